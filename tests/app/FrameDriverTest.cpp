#include "app/FrameDriver.h"

#include <gtest/gtest.h>

#include <cstring>

#include "demo/Demo.h"
#include "draw/Ddraw.h"
#include "draw/ScreenApi.h"
#include "frame/Random.h"
#include "win32/api.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/DirectDrawFaults.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Input.h"
#include "win32/platform/WindowSystem.h"

namespace {

int closes = 0;

class FrameDriverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        win32::windowsystem::Reset();
        win32::Framebuffer::Instance().Reset();
        win32::ddraw::faults::Reset();
        win32::diagnostics::Clear();
        win32::clock::UseVirtualClock(kStart);
        ResetRandomForTesting();
        closes = 0;
        SetExitScreenCloser([] { ++closes; });

        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "FrameDriverTestWindow";
        RegisterClassA(&windowClass);
        MainWindowHandle = CreateWindowExA(0, "FrameDriverTestWindow", "", WS_POPUP | WS_VISIBLE, 0,
                                           0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        TargetFps = 35;
        ShownFps = 0;
        FrameStep = 1000;
    }
    void TearDown() override {
        DDraw.Release();
        FrameStep = 0;
        SetExitScreenCloser(nullptr);
        win32::windowsystem::Reset();
        win32::clock::UseRealClock();
    }

    static DWORD Presented() { return PresentScreenCalls; }
    static void Advance(DWORD ms) { win32::clock::AdvanceVirtual(ms); }

    static constexpr DWORD kStart = 5000;
};

TEST_F(FrameDriverTest, SetUpDrawsNothingAndTheFirstFrameComesOneIntervalLater) {
    DWORD before = Presented();
    StepFrameDriver();
    EXPECT_EQ(FrameStep, 1001);
    EXPECT_EQ(LastFrameTick, kStart);
    EXPECT_EQ(Presented(), before);

    // 35 frames a second: 1000 / 35 = 28 ms between frames.
    const struct {
        DWORD advance;
        DWORD presentedAfter;
    } steps[] = {{0, 0}, {27, 0}, {1, 1}, {0, 1}, {27, 1}, {1, 2}, {100, 3}, {27, 3}, {1, 4}};
    for (const auto& step : steps) {
        Advance(step.advance);
        StepFrameDriver();
        EXPECT_EQ(Presented() - before, step.presentedAfter) << "at " << win32::clock::Now();
    }
    EXPECT_EQ(FrameStep, 1001);
}

TEST_F(FrameDriverTest, TheIntervalFollowsTheTargetRate) {
    const struct {
        LONG target;
        DWORD interval;
    } cases[] = {{10, 100}, {35, 28}, {60, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        TargetFps = c.target;
        FrameStep = 1000;
        StepFrameDriver();
        DWORD before = Presented();
        Advance(c.interval - 1);
        StepFrameDriver();
        EXPECT_EQ(Presented(), before);
        Advance(1);
        StepFrameDriver();
        EXPECT_EQ(Presented(), before + 1);
        DDraw.Release();
    }
}

TEST_F(FrameDriverTest, ATickWrapBetweenFramesDoesNotStallTheDriver) {
    win32::clock::SetVirtual(0xFFFFFFF0u);
    StepFrameDriver();
    DWORD before = Presented();
    Advance(28);  // past 2^32
    EXPECT_LT(win32::clock::Now(), 100u);
    StepFrameDriver();
    EXPECT_EQ(Presented(), before + 1);
}

TEST_F(FrameDriverTest, EscapeStopsTheDriverEvenWhenNoFrameIsDueAndNothingFollows) {
    StepFrameDriver();
    DWORD before = Presented();
    win32::input::KeyDown(VK_ESCAPE);
    StepFrameDriver();
    EXPECT_EQ(FrameStep, 9999);
    EXPECT_EQ(closes, 1);
    win32::input::KeyUp(VK_ESCAPE);
    for (int i = 0; i < 5; ++i) {
        Advance(100);
        StepFrameDriver();
    }
    EXPECT_EQ(FrameStep, 9999);
    EXPECT_EQ(Presented(), before);
    EXPECT_EQ(closes, 1);
}

TEST_F(FrameDriverTest, AnUnarmedDriverDoesNothing) {
    FrameStep = 0;
    Advance(1000);
    StepFrameDriver();
    EXPECT_EQ(FrameStep, 0);
    EXPECT_EQ(DDraw.directDraw, nullptr);
}

TEST_F(FrameDriverTest, TheShownRateIsZeroUntilTheFirstCountCompletes) {
    // At 35 frames a second frames come every 28 ms; the counter closes its window at the
    // first frame more than 1000 ms after set-up, the 36th, and reports 36.
    StepFrameDriver();
    for (int frame = 1; frame <= 35; ++frame) {
        Advance(28);
        StepFrameDriver();
        EXPECT_EQ(ShownFps, 0) << "frame " << frame;
    }
    Advance(28);
    StepFrameDriver();
    EXPECT_EQ(ShownFps, 36);
}

TEST_F(FrameDriverTest, SquaresPileUpOnTheWorkSurfaceWithinItsBounds) {
    StepFrameDriver();
    for (int frame = 0; frame < 200; ++frame) {
        Advance(28);
        StepFrameDriver();
    }
    ASSERT_NE(DemoWork.pixels, nullptr);
    // Squares never reach the last column or row (x <= 219 and y <= 139 end at 318 and 238), and
    // nothing clears the work surface.
    for (int y = 0; y < 240; ++y)
        EXPECT_EQ(DemoWork.pixels[y * 320 + 319], 0) << y;
    for (int x = 0; x < 320; ++x)
        EXPECT_EQ(DemoWork.pixels[239 * 320 + x], 0) << x;
    int painted = 0;
    for (int i = 0; i < 320 * 240; ++i)
        painted += DemoWork.pixels[i] != 0 ? 1 : 0;
    EXPECT_GT(painted, 320 * 200);
}

}  // namespace
