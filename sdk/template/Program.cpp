// @NAME@: a box the arrow keys move over a grey screen. Escape quits.
#include <nuvik/sdk.h>

#include <cstdint>

namespace {

// The palette made from 256 zero colours is the grey ramp: index j is grey j % 32 of 31.
constexpr std::uint8_t kBackground = 28;
constexpr std::uint8_t kBox = 10;
constexpr std::uint8_t kText = 0;
constexpr int kBoxSize = 40;

SurfaceDesc screen;
std::uint16_t greys[256];
std::uint32_t lastFrameTick;
int boxX = 140;
int boxY = 100;

int SetUp() {
    InitScreen(MainWindowHandle, 16);
    GetScreen(&screen, 0);
    NewPalette(256, greys);
    SetScreen(&screen);
    lastFrameTick = GetTick();
    return 1;
}

int Frame() {
    if (KeyState.held[kKeyEscape]) {
        ExitScreen();
        return 9999;
    }
    if (TargetFps <= 0 || GetTick() - lastFrameTick < static_cast<std::uint32_t>(1000 / TargetFps))
        return 0;  // the next frame is not due yet
    lastFrameTick = GetTick();

    if (KeyState.held[kKeyLeft] && boxX > 0)
        boxX -= 2;
    if (KeyState.held[kKeyRight] && boxX < 320 - kBoxSize)
        boxX += 2;
    if (KeyState.held[kKeyUp] && boxY > 20)
        boxY -= 2;
    if (KeyState.held[kKeyDown] && boxY < 216 - kBoxSize)
        boxY += 2;
    ClearSurface(&screen, kBackground);
    FillBox(&screen, boxX, boxY, kBoxSize, kBoxSize, kBox);
    PutText(&screen, 4, 4, "@NAME@", kText);
    PutText(&screen, 4, 220, "Arrows move the box, Escape quits", kText);
    PresentScreen();
    return 0;
}

}  // namespace

NUVIK_PROGRAM(SetUp, Frame);
