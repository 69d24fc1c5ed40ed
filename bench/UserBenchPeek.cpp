// PeekMessageA on an empty queue with no host, the pass an idle-driven message loop makes
// millions of times a second (target: at least 5 million calls a second):
//   with no windows at all
//   with a main window, two children, everything painted and a timer that is not yet due
//   baseline: SDL_PollEvent on an empty SDL event queue (events subsystem only)
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "win32/api.h"
#include "win32/platform/Host.h"
#include "win32/platform/WindowSystem.h"

namespace {

LRESULT CALLBACK PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void DrainQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

void BM_PeekMessageEmptyQueue(benchmark::State& state) {
    win32::SetCurrentHost(nullptr);
    win32::windowsystem::Reset();
    MSG msg;
    for (auto _ : state) {
        BOOL got = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        benchmark::DoNotOptimize(got);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PeekMessageEmptyQueue);

void BM_PeekMessageEmptyQueueWithWindows(benchmark::State& state) {
    win32::SetCurrentHost(nullptr);
    win32::windowsystem::Reset();
    WNDCLASSA cls{};
    cls.lpfnWndProc = PlainProc;
    cls.lpszClassName = "BenchWindow";
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&cls);
    HWND main = CreateWindowExA(WS_EX_TOPMOST, "BenchWindow", "", WS_POPUP | WS_VISIBLE, 0, 0, 640,
                                480, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "BenchWindow", "", WS_CHILD | WS_VISIBLE, 4, 428, 633, 49, main, nullptr,
                    nullptr, nullptr);
    CreateWindowExA(0, "BenchWindow", "", WS_CHILD | WS_VISIBLE, 52, 436, 89, 28, main, nullptr,
                    nullptr, nullptr);
    SetTimer(main, 1, 0x7FFFFFFF, nullptr);
    DrainQueue();
    MSG msg;
    for (auto _ : state) {
        BOOL got = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
        benchmark::DoNotOptimize(got);
    }
    state.SetItemsProcessed(state.iterations());
    win32::windowsystem::Reset();
}
BENCHMARK(BM_PeekMessageEmptyQueueWithWindows);

void BM_SdlPollEventEmptyQueue(benchmark::State& state) {
    SDL_Init(SDL_INIT_EVENTS);
    SDL_Event event;
    for (auto _ : state) {
        int got = SDL_PollEvent(&event);
        benchmark::DoNotOptimize(got);
    }
    state.SetItemsProcessed(state.iterations());
    SDL_Quit();
}
BENCHMARK(BM_SdlPollEventEmptyQueue);

}  // namespace

BENCHMARK_MAIN();
