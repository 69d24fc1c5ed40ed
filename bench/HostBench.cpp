// Message-loop passes per second while nothing happens, with --busy-loop: the loop never waits,
// so the host's share of every pass (Poll and Idle on each PeekMessageA) decides how fast it
// spins. (By default the hosts rest until the next tick once a tick has been seen; what that
// costs is measured by bench/measure_runs.sh as processor time over a run.)
// The SDL host is measured on an X server: without DISPLAY the suite restarts itself under
// xvfb-run at 640 x 480 x 16.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "host/InputSink.h"
#include "host/RunSession.h"
#include "host/headless/HeadlessHost.h"
#include "host/sdl/SdlHost.h"
#include "win32/api.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Host.h"

namespace {

using nuvik::host::HeadlessHost;
using nuvik::host::RunSession;
using nuvik::host::SdlHost;
using nuvik::host::SdlSettings;
using nuvik::host::SessionSettings;
using nuvik::host::SystemHooks;
using nuvik::host::WindowSystemInput;

long long FramesPresented() {
    return 1;
}
int ShownFps() {
    return 35;
}

// One pass of the system's loop with an empty queue: PeekMessageA finds nothing (the host's
// Poll and Idle run inside it) and the idle hook has nothing to do.
void LoopPasses(benchmark::State& state) {
    MSG message;
    for (auto _ : state) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        benchmark::DoNotOptimize(message);
    }
    state.counters["passes/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

SystemHooks Hooks() {
    SystemHooks hooks;
    hooks.framesPresented = FramesPresented;
    hooks.shownFps = ShownFps;
    return hooks;
}

void BM_LoopPassSdlHost(benchmark::State& state) {
    win32::clock::UseRealClock();
    WindowSystemInput input;
    RunSession session(SessionSettings{}, Hooks(), input);
    std::string error;
    std::unique_ptr<SdlHost> host = SdlHost::Open(
        SdlSettings{.windowed = true, .windowScale = 1, .busyLoop = true}, session, input, &error);
    if (!host) {
        state.SkipWithError(("no window: " + error).c_str());
        return;
    }
    session.Start();
    win32::SetCurrentHost(host.get());
    LoopPasses(state);
    win32::SetCurrentHost(nullptr);
}
BENCHMARK(BM_LoopPassSdlHost)->MinTime(2.0);

void BM_LoopPassHeadlessHost(benchmark::State& state) {
    win32::clock::UseRealClock();
    WindowSystemInput input;
    RunSession session(SessionSettings{}, Hooks(), input);
    HeadlessHost host(session, false, /*busyLoop=*/true);
    session.Start();
    win32::SetCurrentHost(&host);
    LoopPasses(state);
    win32::SetCurrentHost(nullptr);
}
BENCHMARK(BM_LoopPassHeadlessHost)->MinTime(2.0);

// Baseline: the same loop with no host at all.
void BM_LoopPassNoHost(benchmark::State& state) {
    win32::SetCurrentHost(nullptr);
    LoopPasses(state);
}
BENCHMARK(BM_LoopPassNoHost)->MinTime(2.0);

// Baseline: asking SDL for events on every pass, which the SDL host avoids.
void BM_SdlPollEventEveryPass(benchmark::State& state) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_Window* window = SDL_CreateWindow("bench", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          640, 480, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    SDL_Event event;
    for (auto _ : state) {
        while (SDL_PollEvent(&event)) {
        }
        benchmark::DoNotOptimize(event);
    }
    state.counters["passes/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK(BM_SdlPollEventEveryPass)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    // Without a display, run again on a private X server (once: the variable marks the retry).
    if (!std::getenv("DISPLAY") && !std::getenv("NUVIK_BENCH_UNDER_XVFB")) {
        setenv("NUVIK_BENCH_UNDER_XVFB", "1", 1);
        std::vector<char*> arguments;
        std::string xvfbRun = "xvfb-run";
        std::string automatic = "-a";
        std::string serverFlag = "-s";
        std::string server = "-screen 0 640x480x16";
        arguments.push_back(xvfbRun.data());
        arguments.push_back(automatic.data());
        arguments.push_back(serverFlag.data());
        arguments.push_back(server.data());
        for (int i = 0; i < argc; ++i)
            arguments.push_back(argv[i]);
        arguments.push_back(nullptr);
        execvp("xvfb-run", arguments.data());
        // No xvfb-run: the SDL figures are skipped with their reason.
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
