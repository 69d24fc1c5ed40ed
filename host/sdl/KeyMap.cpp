#include "host/sdl/KeyMap.h"

#include "win32/constants.h"

namespace nuvik::host {

namespace {

int FromKeycode(SDL_Keycode code) {
    if (code >= SDLK_a && code <= SDLK_z)
        return 'A' + static_cast<int>(code - SDLK_a);
    if (code >= SDLK_0 && code <= SDLK_9)
        return '0' + static_cast<int>(code - SDLK_0);
    if (code >= SDLK_F1 && code <= SDLK_F12)
        return VK_F1 + static_cast<int>(code - SDLK_F1);
    switch (code) {
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_END:
            return VK_END;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_PAUSE:
            return VK_PAUSE;
        default:
            return -1;
    }
}

int FromScancode(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z)
        return 'A' + static_cast<int>(code - SDL_SCANCODE_A);
    // The number row runs 1 to 9 and then 0.
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9)
        return '1' + static_cast<int>(code - SDL_SCANCODE_1);
    if (code == SDL_SCANCODE_0)
        return '0';
    return -1;
}

}  // namespace

int VirtualKeyFromSdl(const SDL_Keysym& key) {
    int virtualKey = FromKeycode(key.sym);
    if (virtualKey < 0)
        virtualKey = FromScancode(key.scancode);
    return virtualKey;
}

}  // namespace nuvik::host
