// Game controllers through SDL, as keys: each pad button, and the left stick as a second D-pad,
// presses the virtual key the mapping gives it, exactly as that key would arrive from a
// keyboard. Pads present at the start and pads plugged in later both work.
#pragma once

#include <SDL.h>

#include <array>
#include <map>
#include <string>

#include "host/InputSink.h"
#include "host/PadMapping.h"

namespace nuvik::host {

class Gamepads {
  public:
    // How far the stick must lean (of 32767) to press its arrow, and how far back it must come
    // to let go: the gap keeps a stick resting near the threshold from chattering.
    static constexpr int kStickPressAt = 16384;
    static constexpr int kStickReleaseBelow = 12288;

    // Starts SDL's game-controller support and opens every pad already present. `input` must
    // outlive this object.
    Gamepads(const PadMapping& mapping, InputSink& input);
    // Closes the pads and stops the game-controller support again; sends no input.
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // False when SDL could not start its game-controller support; Error() says why. The runner
    // then runs without pads.
    bool Available() const { return available_; }
    const std::string& Error() const { return error_; }
    int OpenPadCount() const { return static_cast<int>(pads_.size()); }

    // True when `event` was a game-controller event, which this consumed.
    bool HandleEvent(const SDL_Event& event);
    // Lets go of every key a pad holds (when the window loses the focus, say). A button still
    // held presses again on its next press, the stick when it next leans past the threshold.
    void ReleaseAll();

  private:
    // What can hold a key on one pad: its buttons, then the stick's four directions.
    static constexpr int kStickLeft = kPadButtonCount;
    static constexpr int kStickRight = kPadButtonCount + 1;
    static constexpr int kStickUp = kPadButtonCount + 2;
    static constexpr int kStickDown = kPadButtonCount + 3;
    static constexpr int kSourceCount = kPadButtonCount + 4;

    struct Pad {
        SDL_GameController* controller = nullptr;
        std::array<bool, kSourceCount> held{};
        int stickX = 0;  // -1 left, 0 centred, 1 right
        int stickY = 0;  // -1 up, 0 centred, 1 down
    };

    void Open(int deviceIndex);
    void Close(SDL_JoystickID id);
    void HandleButton(const SDL_ControllerButtonEvent& event);
    void HandleAxis(const SDL_ControllerAxisEvent& event);
    int KeyForSource(int source) const;
    void SetSource(Pad& pad, int source, bool down);
    void ReleasePad(Pad& pad);

    PadMapping mapping_;
    InputSink& input_;
    bool available_ = false;
    std::string error_;
    std::map<SDL_JoystickID, Pad> pads_;
    // How many sources, over all pads, hold each virtual key: it goes down with the first and
    // up with the last.
    std::map<int, int> holders_;
};

}  // namespace nuvik::host
