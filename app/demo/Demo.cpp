#include "demo/Demo.h"

#include <nuvik/sdk.h>

// The demo reads Escape from the platform at the moment of the step, not from the key record:
// it quits even when no message has refreshed the record since the key went down.
#include "win32/api.h"

SurfaceDesc DemoScreen;
SurfaceDesc DemoWork;
std::uint16_t DemoPalette[256];
std::uint32_t LastFrameTick = 0;
std::uint16_t ShownFps = 0;

namespace {

constexpr std::uint8_t kTextColour = 250;

const char kBanner[] = "Velmont용 Nuvik SDK Ver 0.2";

}  // namespace

NUVIK_PROGRAM(DemoInit, DemoFrame);

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
    std::uint32_t now = GetTick();
    if (now - LastFrameTick < static_cast<std::uint32_t>(1000 / TargetFps))
        return 0;

    std::uint16_t count = CountFrame();
    if (count != 0)
        ShownFps = count;
    // The next frame is due one interval after this fresh reading: late frames are not made up.
    LastFrameTick = GetTick();

    std::uint32_t colour = GetRandom();
    std::uint32_t y = GetRandom() % 140;
    std::uint32_t x = GetRandom() % 220;
    FillBox(&DemoWork, static_cast<int>(x), static_cast<int>(y), 100, 100,
            static_cast<std::uint8_t>(colour));
    CopySurface(&DemoScreen, 0, 0, &DemoWork, nullptr);

    char text[256];
    FormatText(text, "%d Frame / Sec", static_cast<int>(ShownFps));
    PutText(&DemoScreen, 0, 0, kBanner, kTextColour);
    PutText(&DemoScreen, 0, 20, text, kTextColour);
    PresentScreen();
    return 0;
}
