#include "frame/FpsCounter.h"

#include <gtest/gtest.h>

#include "win32/platform/Clock.h"

namespace {

namespace clock = win32::clock;

class FpsCounterTest : public ::testing::Test {
  protected:
    void TearDown() override { clock::UseRealClock(); }

    // Resets at `start`, then ticks at each offset from it; returns what each tick returned.
    static std::vector<WORD> TicksAt(DWORD start, const std::vector<DWORD>& offsets) {
        FpsCounter counter{};
        clock::UseVirtualClock(start);
        counter.Reset();
        std::vector<WORD> results;
        for (DWORD offset : offsets) {
            clock::SetVirtual(start + offset);
            results.push_back(counter.Tick());
        }
        return results;
    }
};

TEST_F(FpsCounterTest, WindowClosesOnlyAfterMoreThan1000Milliseconds) {
    struct Case {
        const char* what;
        DWORD start;
        std::vector<DWORD> offsets;
        std::vector<WORD> results;
    } cases[] = {
        {"exactly 1000 ms keeps counting, 1001 ms reports", 5000, {1000, 1001}, {0, 2}},
        {"a first tick at 1001 ms reports itself", 5000, {1001}, {1}},
        {"ten 100 ms ticks, then the eleventh",
         20000,
         {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 11}},
        {"the same across the tick's wrap",
         0xFFFFFE00u,
         {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 11}},
        {"a pause reports the frames counted, not a rate", 7, {100, 200, 300, 9000}, {0, 0, 0, 4}},
        {"the next window starts at the reporting tick",
         0,
         {1001, 1500, 2001, 2002, 2003},
         {1, 0, 0, 3, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TicksAt(c.start, c.offsets), c.results) << c.what;
}

TEST_F(FpsCounterTest, ReportingRestartsTheWindowAtTheCurrentTick) {
    FpsCounter counter{};
    clock::UseVirtualClock(0xFFFFFF00u);
    counter.Reset();
    EXPECT_EQ(counter.startTick, 0xFFFFFF00u);
    clock::SetVirtual(0x000002E9u);  // 1001 ms later, past the wrap
    EXPECT_EQ(counter.Tick(), 1);
    EXPECT_EQ(counter.startTick, 0x000002E9u);
    EXPECT_EQ(counter.frameCount, 0);
}

TEST_F(FpsCounterTest, TheGlobalCounterIsResetAndCountedThroughTheFreeFunctions) {
    clock::UseVirtualClock(300);
    ResetFrameCounter();
    EXPECT_EQ(FrameCounter.startTick, 300u);
    EXPECT_EQ(FrameCounter.frameCount, 0);
    EXPECT_EQ(CountFrame(), 0);
    EXPECT_EQ(CountFrame(), 0);
    EXPECT_EQ(FrameCounter.frameCount, 2);
    clock::AdvanceVirtual(1001);
    EXPECT_EQ(CountFrame(), 3);
    EXPECT_EQ(FrameCounter.startTick, 1301u);
}

}  // namespace
