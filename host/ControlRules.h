// The rules of the runner's own keys, as a function: where the controls stand and what just came
// in give where they stand next, what the program sees of it, the pace of the program's clock
// and what the runner has to do. RunnerControls carries the rules out (the held input itself,
// the clock, screenshots and recordings); everything it decides is decided here.
#pragma once

#include <cstddef>

namespace nuvik::host {

// Pause, F8, Tab, F3, F7, F9, F11, F12: keys the program's key record never reads, and that never
// reach it.
bool IsRunnerKey(int virtualKey);

struct ControlState {
    bool paused = false;
    bool advancing = false;       // paused, but let run to its next presented frame (F8)
    bool fastForward = false;     // Tab held
    bool recording = false;       // a GIF recording runs (F9 or --record)
    bool recordingInput = false;  // the input is written down as a script (F7 or --record-input)
    std::size_t held = 0;         // input waiting, in order, for the program to go on

    bool operator==(const ControlState&) const = default;
};

struct ControlEvent {
    enum class Kind {
        KeyDown,
        KeyUp,
        Mouse,           // a move, a button going down or up
        Close,           // the window manager's close request
        Window,          // minimise or restore
        Pass,            // the host's loop came round once
        FramePresented,  // the program presented a frame since the last pass
    };
    Kind kind = Kind::Pass;
    int virtualKey = 0;  // keys
};

// What the program sees of an event.
enum class Delivery {
    None,     // nothing, ever
    Now,      // the event itself, now
    Held,     // the event, once everything held before it has gone on
    OneHeld,  // not this event, but the oldest held one, now
};

// What the runner does besides.
enum class ControlAction {
    None,
    Screenshot,
    StartRecording,
    StopRecording,
    StartInputRecording,
    StopInputRecording,
    ToggleOverlay,
    ToggleFullScreen,
};

struct ControlStep {
    ControlState state;
    Delivery delivery = Delivery::None;
    ControlAction action = ControlAction::None;
    bool clockPaused = false;
    double clockSpeed = 1.0;  // the program's clock against the host's
};

// `speed` is the program's pace without fast-forward (--speed on the real clock, else 1).
ControlStep StepControls(const ControlState& state, const ControlEvent& event, double speed);

}  // namespace nuvik::host
