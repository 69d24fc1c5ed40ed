// The game's colours: one palette made from RGB colours, a colour for every role in each scene
// (one scene per level), and black for text.
#pragma once

#include <nuvik/sdk.h>

#include <cstdint>

// What a colour is used for; each scene has its own colour for every role.
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

// Makes the game's palette; call it before any other palette (only the first palette made
// after InitScreen is ever looked up).
void MakeGamePalette();

// The palette index of a role's colour in a scene (0 to kSceneCount - 1).
std::uint8_t ColourOf(int scene, ColourRole role);

// The index texts are drawn with: text takes each colour field unscaled (0 to 31 of 255), so
// it always comes out dark; the game puts it on light colours.
constexpr std::uint8_t kTextColour = 0;
