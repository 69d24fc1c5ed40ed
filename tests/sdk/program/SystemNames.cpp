// Written the way programs for the console were: with BYTE, WORD, DWORD and RECT. Colours come
// from RGB on whatever display layout the runner has, texts from UTF-8 at run time.
#include <nuvik/sdk.h>

#include <cstdio>

static_assert(NUVIK_SDK_VERSION_MAJOR == PACKAGE_MAJOR &&
                  NUVIK_SDK_VERSION_MINOR == PACKAGE_MINOR &&
                  NUVIK_SDK_VERSION_PATCH == PACKAGE_PATCH,
              "the header's version is the package's");

namespace {

const RgbColour kColours[] = {
    {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}, {255, 200, 40},
};
constexpr BYTE kWhite = 0;
constexpr BYTE kText = 4;  // drawn dark whatever the entry: text takes its fields unscaled

SurfaceDesc screen;
SurfaceDesc work;
DWORD lastFrameTick;
int presses;

int SetUp() {
    InitScreen(MainWindowHandle, 16);
    GetScreen(&screen, 0);
    SetScreen(&screen);
    NewSurface(&work);
    NewRgbPalette(6, kColours);
    lastFrameTick = GetTick();
    return 1;
}

int Frame() {
    if (KeyPressed(kKeyEnter)) {
        ExitScreen();
        return 9999;
    }
    if (GetTick() - lastFrameTick < static_cast<DWORD>(1000 / TargetFps))
        return 0;
    lastFrameTick = GetTick();
    if (KeyPressed(kKeyZ))
        ++presses;

    ClearSurface(&work, kWhite);
    for (BYTE bar = 1; bar <= 5; ++bar)
        FillBox(&work, 20 + (bar - 1) * 56, 20, 48, 60, bar);
    // A pixel written straight into the surface, in the display's own layout.
    const WORD orange = DisplayColour(255, 200, 40);
    for (int x = 20; x < 300; ++x)
        work.pixels[work.width * 90 + x] = orange;
    PutText(&work, 20, 110, ToCp949("Café — 안녕, Straße").c_str(), kText);
    char count[64];
    std::snprintf(count, sizeof count, "Z: %d", presses);
    PutText(&work, 20, 130, ToCp949(count).c_str(), kText);

    const RECT top = {0, 0, 320, 160};
    CopySurface(&screen, 0, 40, &work, &top);
    PresentScreen();
    return 0;
}

}  // namespace

NUVIK_PROGRAM(SetUp, Frame)
