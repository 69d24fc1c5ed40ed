#include "host/FrameIntervals.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using nuvik::host::FrameIntervals;

TEST(FrameIntervals, PercentilesAreNearestRanksOfTheIntervalsAdded) {
    const struct {
        std::vector<std::uint32_t> intervals;
        std::uint32_t p50, p99, max;
    } cases[] = {
        {{}, 0, 0, 0},
        {{28}, 28, 28, 28},
        {{28, 29}, 28, 29, 29},
        // 99 steady frames and one late one: the 99th percentile is still the steady interval.
        {std::vector<std::uint32_t>(99, 28), 28, 28, 28},
        {[] {
             std::vector<std::uint32_t> v(99, 28);
             v.push_back(40);
             return v;
         }(),
         28, 28, 40},
        {[] {
             std::vector<std::uint32_t> v(98, 16);
             v.push_back(17);
             v.push_back(90);
             return v;
         }(),
         16, 17, 90},
        // Longer than the exact range: counted, and the maximum kept exactly.
        {{100, 5000, 70000}, 5000, 70000, 70000},
    };
    for (const auto& c : cases) {
        FrameIntervals intervals;
        for (std::uint32_t ms : c.intervals)
            intervals.Add(ms);
        auto summary = intervals.Summary();
        EXPECT_EQ(summary.count, c.intervals.size());
        EXPECT_EQ(summary.p50, c.p50) << c.intervals.size();
        EXPECT_EQ(summary.p99, c.p99) << c.intervals.size();
        EXPECT_EQ(summary.max, c.max) << c.intervals.size();
    }
}

}  // namespace
