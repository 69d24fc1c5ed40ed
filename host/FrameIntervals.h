// The intervals between presented frames of one run, in ticks of the clock the program sees,
// kept as a histogram so that a run of any length costs the same memory.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace nuvik::host {

struct FrameIntervalSummary {
    std::uint64_t count = 0;
    std::uint32_t p50 = 0;  // nearest-rank percentiles, ms
    std::uint32_t p99 = 0;
    std::uint32_t max = 0;
};

class FrameIntervals {
  public:
    // Intervals up to this many ms are counted in a histogram; longer ones, at most one per two
    // seconds of a run, are kept one by one.
    static constexpr std::uint32_t kBucketsUpToMs = 2000;

    void Add(std::uint32_t ms);
    void Clear();
    // The smallest interval that at least `percent` per cent of the intervals do not exceed;
    // 0 when there are none.
    std::uint32_t Percentile(double percent) const;
    FrameIntervalSummary Summary() const;

  private:
    std::array<std::uint64_t, kBucketsUpToMs + 1> buckets_{};
    std::vector<std::uint32_t> longer_;
    std::uint64_t count_ = 0;
    std::uint32_t max_ = 0;
};

}  // namespace nuvik::host
