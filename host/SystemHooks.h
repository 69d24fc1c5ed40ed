// What the runner needs from the system it runs: its entry point and a few figures for the
// report.
#pragma once

namespace nuvik::host {

struct SystemHooks {
    int (*run)() = nullptr;  // unit start-up and the application loop; returns the exit code
    long long (*framesPresented)() = nullptr;
    int (*frameStep)() = nullptr;
    int (*targetFps)() = nullptr;
    int (*shownFps)() = nullptr;  // the rate the "N Frame / Sec" line shows
};

}  // namespace nuvik::host
