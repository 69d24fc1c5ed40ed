// Screen API showcase: the four console screens, each drawn once and switched with SetScreen
// (keys 1 to 4, or Left and Right); work surfaces as a tile sheet and a backdrop; CopySurface
// with source rectangles, clipped at the screen's edges; colour sets switched with Z inside
// the one palette that is ever looked up; text drawn on work surfaces and copied; and the
// display's 16-bit layout (5-6-5 or 5-5-5) told apart at set-up. Escape quits.
#include <nuvik/sdk.h>

#include <cstdint>

namespace {

constexpr int kScreenCount = 4;
constexpr int kSetCount = 4;
constexpr int kSetSize = 16;

// Palette 0: entry 0 is rebuilt as grey 0 in the display's layout (it tells the layouts
// apart); entries 1 to 64 hold four colour sets for a 5-6-5 display, 128 to 191 the same
// sets for a 5-5-5 display, both as given, unconverted.
constexpr int kBase565 = 1;
constexpr int kBase555 = 128;

SurfaceDesc screens[kScreenCount];
SurfaceDesc tiles;     // a sheet of 16 x 16 tiles
SurfaceDesc backdrop;  // screen 0's picture without the moving tile
SurfaceDesc label;     // a text label made once and copied around
std::uint32_t lastFrameTick = 0;
int shown = 0;
int colourSet = 0;
int base = kBase565;
bool display565 = true;
int secondPalette = -1;
int spriteX = 0;
std::uint8_t wasHeld[kKeySlotCount];

constexpr std::uint16_t Rgb(int red, int green, int blue) {
    return static_cast<std::uint16_t>((red << 10) | (green << 5) | blue);
}

std::uint16_t To565(std::uint16_t colour) {
    return static_cast<std::uint16_t>(((colour & 0x7FE0) << 1) | 0x0020 | (colour & 0x001F));
}

// Set s, colour c: a ramp from a light tint of the set's hue down to a dark one.
std::uint16_t SetColour(int set, int c) {
    const int light = 31 - c;
    switch (set) {
        case 0:
            return Rgb(light, light, 31);  // blues
        case 1:
            return Rgb(31, light, light / 2);  // oranges
        case 2:
            return Rgb(light / 2, 31, light);  // greens
        default:
            return Rgb(light, light / 3, light);  // purples
    }
}

std::uint8_t Colour(int set, int c) {
    return static_cast<std::uint8_t>(base + set * kSetSize + c);
}

// The current colour set's index c.
std::uint8_t Current(int c) {
    return Colour(colourSet, c);
}

void MakePalette() {
    std::uint16_t colours[256] = {};
    for (int set = 0; set < kSetCount; ++set) {
        for (int c = 0; c < kSetSize; ++c) {
            colours[kBase565 + set * kSetSize + c] = To565(SetColour(set, c));
            colours[kBase555 + set * kSetSize + c] = SetColour(set, c);
        }
    }
    NewPalette(1, colours);
    ClearSurface(&tiles, 0);
    display565 = tiles.pixels != nullptr && tiles.pixels[0] == 0x0020;
    base = display565 ? kBase565 : kBase555;
    // A second palette fills slot 1, but the look-up keeps reading palette 0: no call makes
    // another slot current.
    std::uint16_t dark[256] = {};
    secondPalette = NewPalette(0, dark);
}

void Header(const SurfaceDesc& surface, int index, const char* title) {
    char text[96];
    FillBox(&surface, 0, 0, 320, 20, Current(1));
    FormatText(text, "%d/4 %s  (%s)", index + 1, title, display565 ? "5-6-5" : "5-5-5");
    PutText(&surface, 4, 2, text, Current(15));
}

// The tile sheet: 16 tiles of 16 x 16 in a row, each a framed square of one shade.
void DrawTiles() {
    ClearSurface(&tiles, Current(0));
    for (int t = 0; t < kSetSize; ++t) {
        FillBox(&tiles, t * 16, 0, 16, 16, Current(15));
        FillBox(&tiles, t * 16 + 2, 2, 12, 12, Current(t));
    }
}

void DrawSurfacesScreen() {
    SurfaceDesc& surface = backdrop;
    ClearSurface(&surface, Current(2));
    Header(surface, 0, "Work surfaces");
    // A wall of tiles from source rectangles of the sheet; the last column and the bottom row
    // hang over the screen's edges and are clipped there.
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 6; ++column) {
            const int t = (row * 6 + column) % kSetSize;
            const Rect source{t * 16, 0, t * 16 + 16, 16};
            CopySurface(&surface, 40 + column * 50, 30 + row * 22, &tiles, &source);
        }
    }
    const Rect wide{0, 0, 64, 16};
    CopySurface(&surface, -24, 130, &tiles, &wide);  // left edge: its first 24 columns go
    CopySurface(&surface, 290, 130, &tiles, &wide);  // right edge: only 30 columns fit
    CopySurface(&surface, 150, 232, &tiles, &wide);  // bottom: 8 rows fit
    PutText(&surface, 4, 160, "CopySurface: 사각형을 잘라 붙이기", Current(15));
    PutText(&surface, 4, 180, "source rectangles, clipped at the edges", Current(15));
}

void DrawPaletteScreen(SurfaceDesc& surface) {
    ClearSurface(&surface, Current(3));
    Header(surface, 1, "Colour sets");
    for (int set = 0; set < kSetCount; ++set) {
        for (int c = 0; c < kSetSize; ++c)
            FillBox(&surface, 20 + c * 17, 30 + set * 26, 15, 20, Colour(set, c));
        if (set == colourSet)
            FillBox(&surface, 6, 34 + set * 26, 8, 12, Current(15));
    }
    char text[96];
    FormatText(text, "Z: 색 묶음 바꾸기 / next set (%d)", colourSet + 1);
    PutText(&surface, 4, 140, text, Current(15));
    FormatText(text, "second NewPalette: slot %d, unused", secondPalette);
    PutText(&surface, 4, 160, text, Current(15));
    PutText(&surface, 4, 180, "palette 0 is always the one read", Current(15));
}

void DrawTextScreen(SurfaceDesc& surface) {
    ClearSurface(&surface, Current(4));
    Header(surface, 2, "Text on surfaces");
    // The label is written once on its own work surface and copied three times.
    ClearSurface(&label, Current(1));
    PutText(&label, 2, 2, "안녕하세요, Nuvik!", Current(15));
    PutText(&label, 2, 20, "100%% 글자: %% twice", Current(15));
    const Rect part{0, 0, 170, 38};
    for (int i = 0; i < 3; ++i)
        CopySurface(&surface, 20 + i * 40, 40 + i * 44, &label, &part);
    PutText(&surface, 4, 190, "Text fields are unscaled: dark", Current(15));
    PutText(&surface, 4, 208, "글자는 항상 어둡게 그려집니다", Current(12));
}

void DrawDisplayScreen(SurfaceDesc& surface) {
    ClearSurface(&surface, Current(5));
    Header(surface, 3, "Display");
    char text[96];
    for (int n = 0; n < kScreenCount; ++n) {
        FormatText(text, "screen %d: %dx%d depth %d index %d", n, screens[n].width,
                   screens[n].height, screens[n].depth, screens[n].screen);
        PutText(&surface, 4, 30 + n * 18, text, Current(15));
    }
    FormatText(text, "work: %dx%d index %d", tiles.width, tiles.height, tiles.screen);
    PutText(&surface, 4, 110, text, Current(15));
    FormatText(text, "entry 0 reads 0x%04X: %s", tiles.pixels ? 0u + tiles.pixels[0] : 0u,
               display565 ? "5-6-5" : "5-5-5");
    PutText(&surface, 4, 140, text, Current(15));
    PutText(&surface, 4, 170, "1-4, Left/Right: 화면 바꾸기", Current(15));
}

void DrawAll() {
    DrawTiles();
    DrawSurfacesScreen();
    DrawPaletteScreen(screens[1]);
    DrawTextScreen(screens[2]);
    DrawDisplayScreen(screens[3]);
}

bool Pressed(int slot) {
    return KeyState.held[slot] != 0 && wasHeld[slot] == 0;
}

int SetUp() {
    InitScreen(MainWindowHandle, 16);
    for (int n = 0; n < kScreenCount; ++n)
        GetScreen(&screens[n], n);
    NewSurface(&tiles);
    NewSurface(&backdrop);
    NewSurface(&label);
    MakePalette();
    DrawAll();
    SetScreen(&screens[0]);
    lastFrameTick = GetTick();
    return 1;
}

int Frame() {
    if (KeyState.held[kKeyEscape]) {
        ExitScreen();
        return 9999;
    }
    if (TargetFps <= 0 || GetTick() - lastFrameTick < static_cast<std::uint32_t>(1000 / TargetFps))
        return 0;
    lastFrameTick = GetTick();

    int next = shown;
    for (int n = 0; n < kScreenCount; ++n) {
        if (Pressed(kKey1 + n))
            next = n;
    }
    if (Pressed(kKeyRight))
        next = (shown + 1) % kScreenCount;
    if (Pressed(kKeyLeft))
        next = (shown + kScreenCount - 1) % kScreenCount;
    if (Pressed(kKeyZ)) {
        colourSet = (colourSet + 1) % kSetCount;
        DrawAll();
    }
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        wasHeld[slot] = KeyState.held[slot];
    if (next != shown) {
        shown = next;
        SetScreen(&screens[shown]);
    }

    // Screen 0 moves one tile across its backdrop: the backdrop is copied back first.
    spriteX = (spriteX + 2) % 300;
    CopySurface(&screens[0], 0, 0, &backdrop, nullptr);
    const Rect tile{(spriteX / 20 % kSetSize) * 16, 0, (spriteX / 20 % kSetSize) * 16 + 16, 16};
    CopySurface(&screens[0], spriteX, 210, &tiles, &tile);
    PresentScreen();
    return 0;
}

}  // namespace

NUVIK_PROGRAM(SetUp, Frame);
