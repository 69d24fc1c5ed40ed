// The runner's answer to signals. A crash of the program (SIGSEGV, SIGBUS, SIGFPE, SIGILL,
// SIGABRT) prints what, where and when, lets the runner write its report and screenshot, and
// then ends the process with that signal as before. SIGINT and SIGTERM become a close request
// of the main window, as a window manager's would be, so that a run stopped by hand still
// leaves its files; a second one ends the process at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nuvik::host {

struct CrashRecord {
    int signalNumber = 0;
    std::string signal;       // "SIGSEGV"
    std::string description;  // "invalid memory access at address 0x0"
    int frameStep = 0;        // the frame driver's step when it happened
    std::uint32_t tick = 0;   // the program's clock
    long long framesPresented = 0;
    std::vector<std::string> backtrace;  // innermost first: "Frame() at Game.cpp:12"
};

struct CrashHooks {
    int (*frameStep)() = nullptr;
    long long (*framesPresented)() = nullptr;
    // Writes what the run owes its caller (report, screenshot), given the crash. Called once,
    // on the crashing thread; guarded by a time limit, since the program may have broken the
    // heap it needs.
    void (*writeOutputs)(const CrashRecord& crash) = nullptr;
};

// Installs the crash handlers (on an alternate stack, so that a stack overflow is caught too).
void InstallCrashHandlers(const std::string& programName, const CrashHooks& hooks);

// Installs the SIGINT and SIGTERM handlers.
void InstallInterruptHandlers();
// The signal that asked the run to stop (SIGINT or SIGTERM), or 0.
int InterruptSignal();

}  // namespace nuvik::host
