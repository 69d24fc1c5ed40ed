// A web page and node have no signals: a fault in the program is a trap of the wasm module,
// which ends it from JavaScript (the page says so, nuvik-page.js's onAbort), and no one can
// send it SIGINT or SIGTERM. What a crash record of the desktop runner holds (the faulting
// frame, a backtrace) is not to be had there, so the handlers install nothing.
#include "host/ProcessSignals.h"

namespace nuvik::host {

void InstallCrashHandlers(const std::string&, const CrashHooks&) {}

void InstallInterruptHandlers() {}

int InterruptSignal() {
    return 0;
}

}  // namespace nuvik::host
