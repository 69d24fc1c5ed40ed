#include "host/WindowHost.h"
#include "host/web/WebHost.h"

namespace nuvik::host {

std::unique_ptr<win32::Host> OpenWindowHost(const Options& options, RunSession& session,
                                            RunnerControls& controls, std::string* error) {
    if (!WebHost::PageAvailable()) {
        *error = "there is no web page to show the run on";
        return nullptr;
    }
    WebSettings settings;
    settings.virtualClock = options.virtualClock;
    settings.busyLoop = options.busyLoop;
    settings.padMapping = options.padMapping;
    return std::make_unique<WebHost>(settings, session, controls);
}

}  // namespace nuvik::host
