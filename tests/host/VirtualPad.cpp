#include "VirtualPad.h"

#include <gtest/gtest.h>

namespace nuvik::testing {

VirtualPad::VirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = host::kPadButtonCount;
    desc.name = "virtual pad";
    int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(index);
    EXPECT_NE(joystick_, nullptr) << SDL_GetError();
    EXPECT_TRUE(SDL_IsGameController(index));
}

void VirtualPad::Set(host::PadButton button, bool down) {
    SDL_JoystickSetVirtualButton(joystick_, static_cast<int>(button), down ? 1 : 0);
}

void VirtualPad::Lean(SDL_GameControllerAxis axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick_, axis, value);
}

void VirtualPad::Unplug() {
    if (!joystick_)
        return;
    SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id)
            SDL_JoystickDetachVirtual(i);
    }
}

}  // namespace nuvik::testing
