// A game controller made by SDL's virtual joystick driver, its buttons and axes in
// game-controller order, so that SDL maps it as a game controller by itself. SDL's joystick
// support must be running while it lives.
#pragma once

#include <SDL.h>

#include "host/PadMapping.h"

namespace nuvik::testing {

class VirtualPad {
  public:
    VirtualPad();
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    SDL_JoystickID Id() const { return SDL_JoystickInstanceID(joystick_); }

    void Set(host::PadButton button, bool down);
    void Lean(SDL_GameControllerAxis axis, Sint16 value);
    void Unplug();

  private:
    SDL_Joystick* joystick_ = nullptr;
};

}  // namespace nuvik::testing
