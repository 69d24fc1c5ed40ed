#include "host/FrameIntervals.h"

#include <algorithm>
#include <cmath>

namespace nuvik::host {

void FrameIntervals::Add(std::uint32_t ms) {
    if (ms <= kBucketsUpToMs)
        ++buckets_[ms];
    else
        longer_.push_back(ms);
    ++count_;
    max_ = std::max(max_, ms);
}

void FrameIntervals::Clear() {
    buckets_.fill(0);
    longer_.clear();
    count_ = 0;
    max_ = 0;
}

std::uint32_t FrameIntervals::Percentile(double percent) const {
    if (count_ == 0)
        return 0;
    // Nearest rank: the interval at position ceil(p/100 * n), counting from 1.
    double wanted =
        std::ceil(std::clamp(percent, 0.0, 100.0) / 100.0 * static_cast<double>(count_));
    std::uint64_t rank = std::max<std::uint64_t>(1, static_cast<std::uint64_t>(wanted));
    std::uint64_t seen = 0;
    for (std::uint32_t ms = 0; ms <= kBucketsUpToMs; ++ms) {
        seen += buckets_[ms];
        if (seen >= rank)
            return ms;
    }
    std::vector<std::uint32_t> longer = longer_;
    std::sort(longer.begin(), longer.end());
    return longer[rank - seen - 1];
}

FrameIntervalSummary FrameIntervals::Summary() const {
    return {count_, Percentile(50), Percentile(99), max_};
}

}  // namespace nuvik::host
