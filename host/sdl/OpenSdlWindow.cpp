#include "host/WindowHost.h"
#include "host/sdl/SdlHost.h"

namespace nuvik::host {

std::unique_ptr<win32::Host> OpenWindowHost(const Options& options, RunSession& session,
                                            RunnerControls& controls, std::string* error) {
    SdlSettings sdl;
    sdl.windowed = options.windowed;
    sdl.windowScale = options.windowScale;
    // A window that F11 makes out of full screen is twice the screen unless told otherwise.
    sdl.toggledWindowScale = options.windowScaleGiven ? options.windowScale : 2;
    sdl.scaleMode = options.scaling;
    sdl.smooth = options.filtering == Filtering::Linear;
    sdl.virtualClock = options.virtualClock;
    sdl.busyLoop = options.busyLoop;
    sdl.padMapping = options.padMapping;
    std::unique_ptr<SdlHost> window = SdlHost::Open(sdl, session, controls, error);
    if (!window)
        return nullptr;
    controls.OnToggleFullScreen([shown = window.get()] { shown->ToggleFullScreen(); });
    controls.OnToggleOverlay([shown = window.get()] { shown->ToggleOverlay(); });
    return window;
}

}  // namespace nuvik::host
