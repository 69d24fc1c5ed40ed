#include "win32/platform/Clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "win32/kernel.h"

namespace {

namespace clock = win32::clock;

class ClockTest : public ::testing::Test {
  protected:
    void TearDown() override { clock::UseRealClock(); }
};

TEST_F(ClockTest, VirtualClockMovesOnlyWhenToldAndWrapsAt32Bits) {
    clock::UseVirtualClock(5);
    EXPECT_TRUE(clock::IsVirtual());
    EXPECT_EQ(timeGetTime(), 5u);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(timeGetTime(), 5u);

    clock::AdvanceVirtual(10);
    EXPECT_EQ(timeGetTime(), 15u);
    clock::SetVirtual(0xFFFFFFFEu);
    clock::AdvanceVirtual(3);
    EXPECT_EQ(timeGetTime(), 1u);
}

TEST_F(ClockTest, SleepUnderTheVirtualClockAdvancesItByExactlyTheRequestedTime) {
    clock::UseVirtualClock(100);
    auto before = std::chrono::steady_clock::now();
    Sleep(60000);
    EXPECT_EQ(timeGetTime(), 60100u);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
}

TEST_F(ClockTest, TheProgramsTimeHoldsWhilePausedAndRunsAtItsSpeedFromWhereItWas) {
    clock::UseVirtualClock(1000);
    const struct {
        const char* what;
        void (*change)();
        DWORD hostMs;  // the host's clock moves by this much after the change
        DWORD program, host;
    } steps[] = {
        {"at one with the host", [] {}, 10, 1010, 1010},
        {"paused: held", [] { clock::SetPaused(true); }, 50, 1010, 1060},
        {"going on from where it stopped", [] { clock::SetPaused(false); }, 5, 1015, 1065},
        {"twice as fast", [] { clock::SetSpeed(2); }, 10, 1035, 1075},
        {"a quarter as fast", [] { clock::SetSpeed(0.25); }, 8, 1037, 1083},
        {"paused at a quarter", [] { clock::SetPaused(true); }, 100, 1037, 1183},
        {"back to the host's pace",
         [] {
             clock::SetPaused(false);
             clock::SetSpeed(1);
         },
         3, 1040, 1186},
    };
    for (const auto& step : steps) {
        step.change();
        clock::AdvanceVirtual(step.hostMs);
        EXPECT_EQ(timeGetTime(), step.program) << step.what;
        EXPECT_EQ(clock::HostNow(), step.host) << step.what;
    }
}

TEST_F(ClockTest, RealClockFollowsTheWallClock) {
    clock::UseRealClock();
    EXPECT_FALSE(clock::IsVirtual());
    DWORD before = timeGetTime();
    Sleep(50);
    DWORD elapsed = timeGetTime() - before;
    EXPECT_GE(elapsed, 50u);
    EXPECT_LT(elapsed, 5000u);
}

TEST_F(ClockTest, RealClockOffsetLetsTheTickWrapPast32Bits) {
    clock::UseRealClock();
    DWORD now = timeGetTime();
    // Put the tick 300 ms before the wrap, then let the wall clock carry it across.
    clock::UseRealClock(0u - now - 300u);
    DWORD beforeWrap = timeGetTime();
    EXPECT_GE(beforeWrap, 0xFFFFFFFFu - 300u);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    DWORD afterWrap = timeGetTime();
    EXPECT_LT(afterWrap, beforeWrap) << "the tick did not wrap";
    EXPECT_LT(afterWrap, 5000u);
    DWORD elapsed = afterWrap - beforeWrap;
    EXPECT_GE(elapsed, 600u);
    EXPECT_LT(elapsed, 5000u);
}

}  // namespace
