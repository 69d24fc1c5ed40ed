#include "host/sdl/KeyMap.h"

#include <gtest/gtest.h>

#include "win32/constants.h"

namespace {

SDL_Keysym Keysym(SDL_Scancode scancode, SDL_Keycode sym) {
    SDL_Keysym key{};
    key.scancode = scancode;
    key.sym = sym;
    return key;
}

TEST(SdlKeyMap, KeysBecomeTheirVirtualKeyCodes) {
    struct Case {
        SDL_Scancode scancode;
        SDL_Keycode sym;
        int expected;
    } cases[] = {
        {SDL_SCANCODE_A, SDLK_a, 'A'},
        {SDL_SCANCODE_Z, SDLK_z, 'Z'},
        // A German layout swaps Y and Z: the letter printed on the key counts.
        {SDL_SCANCODE_Y, SDLK_z, 'Z'},
        {SDL_SCANCODE_0, SDLK_0, '0'},
        {SDL_SCANCODE_1, SDLK_1, '1'},
        {SDL_SCANCODE_9, SDLK_9, '9'},
        {SDL_SCANCODE_F1, SDLK_F1, VK_F1},
        {SDL_SCANCODE_F10, SDLK_F10, VK_F10},
        {SDL_SCANCODE_F12, SDLK_F12, VK_F12},
        {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, VK_ESCAPE},
        {SDL_SCANCODE_RETURN, SDLK_RETURN, VK_RETURN},
        {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, VK_RETURN},
        {SDL_SCANCODE_SPACE, SDLK_SPACE, VK_SPACE},
        {SDL_SCANCODE_TAB, SDLK_TAB, VK_TAB},
        {SDL_SCANCODE_LEFT, SDLK_LEFT, VK_LEFT},
        {SDL_SCANCODE_RIGHT, SDLK_RIGHT, VK_RIGHT},
        {SDL_SCANCODE_UP, SDLK_UP, VK_UP},
        {SDL_SCANCODE_DOWN, SDLK_DOWN, VK_DOWN},
        {SDL_SCANCODE_HOME, SDLK_HOME, VK_HOME},
        {SDL_SCANCODE_END, SDLK_END, VK_END},
        {SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, VK_PRIOR},
        {SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, VK_NEXT},
        {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, VK_SHIFT},
        {SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, VK_SHIFT},
        {SDL_SCANCODE_LCTRL, SDLK_LCTRL, VK_CONTROL},
        {SDL_SCANCODE_RCTRL, SDLK_RCTRL, VK_CONTROL},
        {SDL_SCANCODE_LALT, SDLK_LALT, VK_MENU},
        {SDL_SCANCODE_RALT, SDLK_RALT, VK_MENU},
        // The runner's own pause key.
        {SDL_SCANCODE_PAUSE, SDLK_PAUSE, VK_PAUSE},
        // Layouts without Latin letters or with symbols on the number row: the key's place.
        {SDL_SCANCODE_1, SDLK_AMPERSAND, '1'},
        {SDL_SCANCODE_0, 0xE0, '0'},
        {SDL_SCANCODE_A, 0x0444, 'A'},
        // Keys the runner does not pass on.
        {SDL_SCANCODE_F13, SDLK_F13, -1},
        {SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK, -1},
        {SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(nuvik::host::VirtualKeyFromSdl(Keysym(c.scancode, c.sym)), c.expected)
            << SDL_GetScancodeName(c.scancode);
    }
}

}  // namespace
