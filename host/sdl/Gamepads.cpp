#include "host/sdl/Gamepads.h"

namespace nuvik::host {

namespace {

static_assert(static_cast<int>(PadButton::A) == SDL_CONTROLLER_BUTTON_A);
static_assert(static_cast<int>(PadButton::Guide) == SDL_CONTROLLER_BUTTON_GUIDE);
static_assert(static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(kPadButtonCount == SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1);

// The stick's new direction on one axis (-1, 0, 1) from its old one and the axis value.
int StickDirection(int old, int value) {
    if (old < 0 && value < -Gamepads::kStickReleaseBelow)
        return -1;
    if (old > 0 && value > Gamepads::kStickReleaseBelow)
        return 1;
    if (value <= -Gamepads::kStickPressAt)
        return -1;
    if (value >= Gamepads::kStickPressAt)
        return 1;
    return 0;
}

bool IsControllerEvent(Uint32 type) {
    return type >= SDL_CONTROLLERAXISMOTION && type < SDL_FINGERDOWN;
}

}  // namespace

Gamepads::Gamepads(const PadMapping& mapping, InputSink& input) : mapping_(mapping), input_(input) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        error_ = SDL_GetError();
        return;
    }
    available_ = true;
    // SDL also announces these pads with SDL_CONTROLLERDEVICEADDED; Open skips a pad it has.
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        Open(i);
}

Gamepads::~Gamepads() {
    if (!available_)
        return;
    for (auto& [id, pad] : pads_)
        SDL_GameControllerClose(pad.controller);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepads::HandleEvent(const SDL_Event& event) {
    if (!IsControllerEvent(event.type))
        return false;
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Open(event.cdevice.which);  // a device index
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            Close(event.cdevice.which);  // an instance id
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            HandleButton(event.cbutton);
            break;
        case SDL_CONTROLLERAXISMOTION:
            HandleAxis(event.caxis);
            break;
        default:  // touchpads, sensors, remapping: nothing a key stands for
            break;
    }
    return true;
}

void Gamepads::ReleaseAll() {
    for (auto& [id, pad] : pads_)
        ReleasePad(pad);
}

void Gamepads::Open(int deviceIndex) {
    if (!available_ || !SDL_IsGameController(deviceIndex))
        return;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || pads_.count(id))
        return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller)
        return;  // unplugged again already, or busy elsewhere: it simply does not take part
    pads_[id].controller = controller;
}

void Gamepads::Close(SDL_JoystickID id) {
    auto found = pads_.find(id);
    if (found == pads_.end())
        return;
    ReleasePad(found->second);
    SDL_GameControllerClose(found->second.controller);
    pads_.erase(found);
}

void Gamepads::HandleButton(const SDL_ControllerButtonEvent& event) {
    auto found = pads_.find(event.which);
    if (found == pads_.end() || event.button >= kPadButtonCount)
        return;
    SetSource(found->second, event.button, event.state == SDL_PRESSED);
}

void Gamepads::HandleAxis(const SDL_ControllerAxisEvent& event) {
    auto found = pads_.find(event.which);
    if (found == pads_.end())
        return;
    Pad& pad = found->second;
    if (event.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        pad.stickX = StickDirection(pad.stickX, event.value);
        SetSource(pad, kStickLeft, pad.stickX < 0);
        SetSource(pad, kStickRight, pad.stickX > 0);
    } else if (event.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        pad.stickY = StickDirection(pad.stickY, event.value);
        SetSource(pad, kStickUp, pad.stickY < 0);
        SetSource(pad, kStickDown, pad.stickY > 0);
    }
}

int Gamepads::KeyForSource(int source) const {
    switch (source) {
        case kStickLeft:
            return mapping_.KeyFor(PadButton::DpadLeft);
        case kStickRight:
            return mapping_.KeyFor(PadButton::DpadRight);
        case kStickUp:
            return mapping_.KeyFor(PadButton::DpadUp);
        case kStickDown:
            return mapping_.KeyFor(PadButton::DpadDown);
        default:
            return mapping_.KeyFor(static_cast<PadButton>(source));
    }
}

void Gamepads::SetSource(Pad& pad, int source, bool down) {
    bool& held = pad.held[static_cast<std::size_t>(source)];
    if (held == down)
        return;
    int key = KeyForSource(source);
    if (key == 0)
        return;
    held = down;
    int& holders = holders_[key];
    if (down) {
        if (holders++ == 0)
            input_.KeyDown(key);
    } else if (--holders == 0) {
        holders_.erase(key);
        input_.KeyUp(key);
    }
}

void Gamepads::ReleasePad(Pad& pad) {
    for (int source = 0; source < kSourceCount; ++source)
        SetSource(pad, source, false);
    pad.stickX = 0;
    pad.stickY = 0;
}

}  // namespace nuvik::host
