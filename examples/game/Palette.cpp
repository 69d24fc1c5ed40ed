#include "Palette.h"

namespace {

// 5-5-5 colours, each field 0 to 31.
constexpr std::uint16_t Rgb(int red, int green, int blue) {
    return static_cast<std::uint16_t>((red << 10) | (green << 5) | blue);
}

// Day, dusk, night and dawn: light skies, so that the dark text stays readable.
constexpr std::uint16_t kScenes[kSceneCount][kRoleCount] = {
    {Rgb(20, 27, 31), Rgb(10, 22, 8), Rgb(31, 28, 4), Rgb(12, 10, 9), Rgb(28, 12, 4),
     Rgb(29, 30, 31), Rgb(31, 31, 31)},
    {Rgb(31, 22, 17), Rgb(18, 12, 8), Rgb(31, 31, 10), Rgb(8, 6, 10), Rgb(6, 14, 28),
     Rgb(31, 29, 26), Rgb(31, 31, 31)},
    {Rgb(21, 20, 30), Rgb(6, 8, 16), Rgb(31, 31, 20), Rgb(4, 4, 6), Rgb(31, 18, 6), Rgb(27, 27, 31),
     Rgb(31, 31, 31)},
    {Rgb(22, 31, 25), Rgb(14, 20, 10), Rgb(31, 24, 8), Rgb(10, 8, 8), Rgb(24, 6, 20),
     Rgb(29, 31, 29), Rgb(31, 31, 31)},
};

// Entries 1 to 127 hold the colours for a 5-6-5 display, 128 to 254 the same for 5-5-5.
constexpr int kBase565 = 1;
constexpr int kBase555 = 128;

int base = kBase565;

std::uint16_t To565(std::uint16_t colour) {
    return static_cast<std::uint16_t>(((colour & 0x7FE0) << 1) | 0x0020 | (colour & 0x001F));
}

}  // namespace

void MakeGamePalette(const SurfaceDesc& probe) {
    std::uint16_t colours[256] = {};
    for (int scene = 0; scene < kSceneCount; ++scene) {
        for (int role = 0; role < kRoleCount; ++role) {
            int offset = scene * kRoleCount + role;
            colours[kBase565 + offset] = To565(kScenes[scene][role]);
            colours[kBase555 + offset] = kScenes[scene][role];
        }
    }
    // Entry 0 is rebuilt as grey 0 in the display's layout: 0x0020 on 5-6-5, 0 on 5-5-5.
    NewPalette(1, colours);
    ClearSurface(&probe, 0);
    base = probe.pixels != nullptr && probe.pixels[0] == 0x0020 ? kBase565 : kBase555;
}

std::uint8_t ColourOf(int scene, ColourRole role) {
    return static_cast<std::uint8_t>(base + scene * kRoleCount + role);
}
