#include "app/FrameDriver.h"

#include "frame/FormatText.h"
#include "frame/FpsCounter.h"
#include "frame/Random.h"
#include "frame/Tick.h"

LONG FrameStep = 0;
SurfaceDesc DemoScreen;
SurfaceDesc DemoWork;
WORD DemoPalette[256];
DWORD LastFrameTick = 0;
WORD ShownFps = 0;

namespace {

constexpr LONG kSetUpDue = 1000;
constexpr LONG kRunning = 1001;
constexpr BYTE kTextColour = 250;

const char kBanner[] = "Velmont용 Nuvik SDK Ver 0.2";

}  // namespace

void StepFrameDriver() {
    switch (FrameStep) {
        case kSetUpDue:
            if (DemoInit() != 0)
                FrameStep = kRunning;
            break;
        case kRunning: {
            int result = DemoFrame();
            if (result != 0)
                FrameStep = result;
            break;
        }
        default:
            break;
    }
}

int DemoInit() {
    InitScreen(MainWindowHandle, 16);
    GetScreen(&DemoScreen, 0);
    NewPalette(256, DemoPalette);
    SetScreen(&DemoScreen);
    NewSurface(&DemoWork);
    ClearSurface(&DemoScreen, 0);
    ResetFrameCounter();
    LastFrameTick = GetTick();
    return 1;
}

int DemoFrame() {
    // Escape is read at the moment of the step, whether or not a frame is due.
    if (GetAsyncKeyState(VK_ESCAPE) & 0x8000) {
        ExitScreen();
        return 9999;
    }

    // The slider keeps the target between 10 and 60; a program that never set it gets no
    // frames rather than a division by zero.
    if (TargetFps <= 0)
        return 0;
    DWORD now = GetTick();
    if (now - LastFrameTick < static_cast<DWORD>(1000 / TargetFps))
        return 0;

    WORD count = CountFrame();
    if (count != 0)
        ShownFps = count;
    // The next frame is due one interval after this fresh reading: late frames are not made up.
    LastFrameTick = GetTick();

    DWORD colour = GetRandom();
    DWORD y = GetRandom() % 140;
    DWORD x = GetRandom() % 220;
    FillBox(&DemoWork, static_cast<int>(x), static_cast<int>(y), 100, 100,
            static_cast<BYTE>(colour));
    CopySurface(&DemoScreen, 0, 0, &DemoWork, nullptr);

    char text[256];
    FormatText(text, "%d Frame / Sec", static_cast<int>(ShownFps));
    PutText(&DemoScreen, 0, 0, kBanner, kTextColour);
    PutText(&DemoScreen, 0, 20, text, kTextColour);
    PresentScreen();
    return 0;
}
