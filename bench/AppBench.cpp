// The frame driver's two costs, each beside a baseline measured in the same run:
//   a StepFrameDriver whose frame is not due   vs one timeGetTime call (virtual and real clock)
//   a whole DemoFrame that draws and presents  vs memcpy of one 320 x 240 x 16-bit screen plus
//                                                a 100 x 100 fill of 16-bit pixels
// The loop polls the driver on every pass, so the not-due step must stay close to the price of
// reading the tick; a drawn frame must stay far below the 16 ms interval of 60 frames a second.
// Run from a Release or RelWithDebInfo tree.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/FrameDriver.h"
#include "demo/Demo.h"
#include "draw/Ddraw.h"
#include "draw/ScreenApi.h"
#include "frame/Random.h"
#include "win32/api.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/WindowSystem.h"

namespace {

constexpr DWORD kStartTick = 5000;
constexpr LONG kTargetFps = 35;
constexpr DWORD kInterval = 1000 / kTargetFps;  // 28 ms

// The demo armed the way the main window arms it, on a virtual clock that only the benchmark
// moves: a 640 x 480 window, TargetFps 35, FrameStep 1000, and the set-up step taken.
void ArmTheDemo() {
    static bool armed = false;
    if (armed)
        return;
    armed = true;
    win32::windowsystem::Reset();
    win32::Framebuffer::Instance().Reset();
    win32::clock::UseVirtualClock(kStartTick);
    ResetRandomForTesting();

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "AppBenchWindow";
    RegisterClassA(&windowClass);
    MainWindowHandle = CreateWindowExA(0, "AppBenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 640,
                                       480, nullptr, nullptr, nullptr, nullptr);
    TargetFps = kTargetFps;
    FrameStep = 1000;
    StepFrameDriver();
}

// The clock does not move, so every step finds the frame not yet due.
void NotDueStepFrameDriver(benchmark::State& state) {
    ArmTheDemo();
    // Start from a frame just drawn so that the next one is a whole interval away.
    win32::clock::AdvanceVirtual(kInterval);
    StepFrameDriver();
    DWORD presented = PresentScreenCalls;
    for (auto _ : state)
        StepFrameDriver();
    if (PresentScreenCalls != presented || FrameStep != 1001)
        state.SkipWithError("a step drew a frame or left the running state");
}
BENCHMARK(NotDueStepFrameDriver);

void BaselineTimeGetTime(benchmark::State& state) {
    ArmTheDemo();
    for (auto _ : state)
        benchmark::DoNotOptimize(timeGetTime());
}
BENCHMARK(BaselineTimeGetTime);

// The same pair on the real clock, as the runner polls it. Time moves here, so at 10 frames a
// second one step in 100 ms draws; the `frames` counter shows how few of the steps that is.
void NotDueStepFrameDriverRealClock(benchmark::State& state) {
    ArmTheDemo();
    DWORD virtualNow = win32::clock::Now();
    win32::clock::UseRealClock();
    TargetFps = 10;
    LastFrameTick = timeGetTime();
    DWORD presented = PresentScreenCalls;
    for (auto _ : state)
        StepFrameDriver();
    state.counters["frames"] = static_cast<double>(PresentScreenCalls - presented);
    TargetFps = kTargetFps;
    win32::clock::UseVirtualClock(virtualNow);
    LastFrameTick = virtualNow;
}
BENCHMARK(NotDueStepFrameDriverRealClock);

void BaselineTimeGetTimeRealClock(benchmark::State& state) {
    ArmTheDemo();
    DWORD virtualNow = win32::clock::Now();
    win32::clock::UseRealClock();
    for (auto _ : state)
        benchmark::DoNotOptimize(timeGetTime());
    win32::clock::UseVirtualClock(virtualNow);
}
BENCHMARK(BaselineTimeGetTimeRealClock);

// Every call is due: the clock moves by one interval first. PresentScreen copies onto the
// display on every second call, so the figure is the mean of a copying and a non-copying frame.
void WholeDemoFrame(benchmark::State& state) {
    ArmTheDemo();
    DWORD presented = PresentScreenCalls;
    for (auto _ : state) {
        win32::clock::AdvanceVirtual(kInterval);
        benchmark::DoNotOptimize(DemoFrame());
        benchmark::ClobberMemory();
    }
    if (PresentScreenCalls - presented != state.iterations())
        state.SkipWithError("not every DemoFrame presented a frame");
}
BENCHMARK(WholeDemoFrame)->Unit(benchmark::kMicrosecond);

// The least a frame must do: move one screen's worth of pixels and fill one square.
void BaselineMemcpyScreenAndFillSquare(benchmark::State& state) {
    std::vector<WORD> work(320 * 240);
    std::vector<WORD> screen(320 * 240);
    WORD colour = 0;
    for (auto _ : state) {
        WORD* square = work.data() + 70 * 320 + 110;
        for (int row = 0; row < 100; ++row)
            std::fill_n(square + row * 320, 100, colour);
        ++colour;
        std::memcpy(screen.data(), work.data(), 320 * 240 * sizeof(WORD));
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BaselineMemcpyScreenAndFillSquare)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
