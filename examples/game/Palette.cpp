#include "Palette.h"

#include <iterator>

namespace {

// Light skies, so that the dark text stays readable. Roles in ColourRole's order.
constexpr RgbColour kScenes[kSceneCount][kRoleCount] = {
    // day
    {{165, 222, 255},
     {82, 181, 66},
     {255, 230, 33},
     {99, 82, 74},
     {230, 99, 33},
     {239, 247, 255},
     {255, 255, 255}},
    // dusk
    {{255, 181, 140},
     {148, 99, 66},
     {255, 255, 82},
     {66, 49, 82},
     {49, 115, 230},
     {255, 239, 214},
     {255, 255, 255}},
    // night
    {{173, 165, 247},
     {49, 66, 132},
     {255, 255, 165},
     {33, 33, 49},
     {255, 148, 49},
     {222, 222, 255},
     {255, 255, 255}},
    // dawn
    {{181, 255, 206},
     {115, 165, 82},
     {255, 197, 66},
     {82, 66, 66},
     {197, 49, 165},
     {239, 255, 239},
     {255, 255, 255}},
};

}  // namespace

void MakeGamePalette() {
    RgbColour colours[1 + kSceneCount * kRoleCount] = {};  // entry 0 (kTextColour) black
    for (int scene = 0; scene < kSceneCount; ++scene) {
        for (int role = 0; role < kRoleCount; ++role)
            colours[ColourOf(scene, static_cast<ColourRole>(role))] = kScenes[scene][role];
    }
    NewRgbPalette(static_cast<int>(std::size(colours)), colours);
}

std::uint8_t ColourOf(int scene, ColourRole role) {
    return static_cast<std::uint8_t>(1 + scene * kRoleCount + role);
}
