// A long run of the demo in process: every frame allocates and frees (text formatting, device
// contexts, fonts, presenting), so a leak of a few bytes a frame shows as steady heap growth.
#include <gtest/gtest.h>

#include <cstddef>

#include "app/FrameDriver.h"
#include "demo/Demo.h"
#include "draw/Ddraw.h"
#include "draw/ScreenApi.h"
#include "frame/Random.h"
#include "win32/api.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/DirectDrawFaults.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/WindowSystem.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator replaces malloc, so glibc's statistics see none of the heap; its own
// count leaves out freed blocks held in quarantine.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#else
#include <malloc.h>
#endif

namespace {

std::size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

constexpr DWORD kStartTick = 5000;
constexpr LONG kTargetFps = 35;
constexpr DWORD kInterval = 1000 / kTargetFps;
constexpr int kWarmUpFrames = 1000;
constexpr int kFrames = 100000;
// Room for allocator bookkeeping that settles late (a bin split, a vector's last doubling); a
// leak of even one byte a frame would exceed it over the 99,000 frames after the warm-up.
constexpr std::size_t kHeapSlackBytes = 16 * 1024;

class SoakTest : public ::testing::Test {
  protected:
    void SetUp() override {
        win32::windowsystem::Reset();
        win32::Framebuffer::Instance().Reset();
        win32::ddraw::faults::Reset();
        win32::diagnostics::Clear();
        win32::clock::UseVirtualClock(kStartTick);
        ResetRandomForTesting();

        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "SoakTestWindow";
        RegisterClassA(&windowClass);
        MainWindowHandle = CreateWindowExA(0, "SoakTestWindow", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                           640, 480, nullptr, nullptr, nullptr, nullptr);
        TargetFps = kTargetFps;
        ShownFps = 0;
        FrameStep = 1000;
        StepFrameDriver();
    }
    void TearDown() override {
        DDraw.Release();
        FrameStep = 0;
        win32::windowsystem::Reset();
        win32::clock::UseRealClock();
    }

    static void RunFrames(int frames) {
        for (int frame = 0; frame < frames; ++frame) {
            win32::clock::AdvanceVirtual(kInterval);
            StepFrameDriver();
        }
    }
};

TEST_F(SoakTest, AHundredThousandFramesDrawEveryFrameAndDoNotGrowTheHeap) {
    DWORD presentedBefore = PresentScreenCalls;
    RunFrames(kWarmUpFrames);
    std::size_t heapAfterWarmUp = HeapInUse();

    RunFrames(kFrames - kWarmUpFrames);
    std::size_t heapAtEnd = HeapInUse();

    EXPECT_EQ(PresentScreenCalls - presentedBefore, static_cast<DWORD>(kFrames));
    EXPECT_EQ(FrameStep, 1001);
    // Frames every 28 ms: each counting window of more than 1000 ms holds 36 frames.
    EXPECT_EQ(ShownFps, 36);
    EXPECT_TRUE(win32::diagnostics::MessageBoxes().empty());
    EXPECT_LE(heapAtEnd, heapAfterWarmUp + kHeapSlackBytes)
        << "heap after " << kWarmUpFrames << " frames: " << heapAfterWarmUp << " bytes, after "
        << kFrames << ": " << heapAtEnd << " bytes";
}

}  // namespace
