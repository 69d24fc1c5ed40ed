// The runner's entry point, linked into every program built with the SDK. On Windows the system
// runs on the real platform; elsewhere a host chosen by the command line (SDL window or
// headless) carries it.
#include "app/FrameDriver.h"
#include "app/Program.h"
#include "assets/Assets.h"
#include "draw/ScreenApi.h"
#include "sdk/ReportedRate.h"

#ifdef _WIN32

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return RunProgram();
}

#else

#include "host/Runner.h"

int main(int argc, char** argv) {
    nuvik::assets::RegisterAll();
    nuvik::host::SystemHooks hooks;
    hooks.run = &RunProgram;
    hooks.framesPresented = [] { return static_cast<long long>(PresentScreenCalls); };
    hooks.frameStep = [] { return static_cast<int>(FrameStep); };
    hooks.targetFps = [] { return static_cast<int>(TargetFps); };
    hooks.shownFps = &nuvik::sdk::LastReportedRate;
    return nuvik::host::RunRunner(argc, argv, hooks);
}

#endif
