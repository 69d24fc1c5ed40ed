// The game's colours. Only the first palette made after InitScreen is ever looked up, and
// the entries after NewPalette's `count` are taken as they are, in the display's own 16-bit
// layout. So palette 0 carries every colour twice, once per layout (5-6-5 and 5-5-5), and the
// set-up finds out which half the display reads.
#pragma once

#include <nuvik/sdk.h>

#include <cstdint>

// What a colour is used for; each scene (one per level) has its own colour for every role.
enum ColourRole : int {
    kSky,
    kGround,
    kStar,
    kRock,
    kBasket,
    kPanel,
    kFlash,
    kRoleCount,
};

constexpr int kSceneCount = 4;

// Makes palette 0 and tells the layout apart by clearing `probe` (any surface) with entry 0.
void MakeGamePalette(const SurfaceDesc& probe);

// The palette index of a role's colour in a scene (0 to kSceneCount - 1).
std::uint8_t ColourOf(int scene, ColourRole role);

// The index texts are drawn with: text takes each colour field unscaled (0 to 31 of 255), so
// it always comes out dark; the game puts it on light colours.
constexpr std::uint8_t kTextColour = 0;
