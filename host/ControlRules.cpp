#include "host/ControlRules.h"

#include "win32/constants.h"

namespace nuvik::host {

namespace {

constexpr double kFastForward = 4.0;

// The program's input: now while it runs and nothing waits, else behind what waits.
Delivery Pass(ControlState& state) {
    if (state.paused || state.held > 0) {
        ++state.held;
        return Delivery::Held;
    }
    return Delivery::Now;
}

ControlAction PressRunnerKey(ControlState& state, int virtualKey) {
    switch (virtualKey) {
        case VK_PAUSE:
            state.paused = !state.paused;
            state.advancing = false;
            return ControlAction::None;
        case VK_F8:
            if (state.paused)
                state.advancing = true;
            return ControlAction::None;
        case VK_TAB:
            state.fastForward = true;
            return ControlAction::None;
        case VK_F3:
            return ControlAction::ToggleOverlay;
        case VK_F11:
            return ControlAction::ToggleFullScreen;
        case VK_F12:
            return ControlAction::Screenshot;
        case VK_F9:
            state.recording = !state.recording;
            return state.recording ? ControlAction::StartRecording : ControlAction::StopRecording;
        case VK_F7:
            state.recordingInput = !state.recordingInput;
            return state.recordingInput ? ControlAction::StartInputRecording
                                        : ControlAction::StopInputRecording;
        default:
            return ControlAction::None;
    }
}

}  // namespace

bool IsRunnerKey(int virtualKey) {
    switch (virtualKey) {
        case VK_PAUSE:
        case VK_F8:
        case VK_TAB:
        case VK_F3:
        case VK_F7:
        case VK_F9:
        case VK_F11:
        case VK_F12:
            return true;
        default:
            return false;
    }
}

ControlStep StepControls(const ControlState& state, const ControlEvent& event, double speed) {
    using Kind = ControlEvent::Kind;
    ControlStep step;
    step.state = state;
    ControlState& next = step.state;
    switch (event.kind) {
        case Kind::KeyDown:
            if (IsRunnerKey(event.virtualKey))
                step.action = PressRunnerKey(next, event.virtualKey);
            else
                step.delivery = Pass(next);
            break;
        case Kind::KeyUp:
            if (event.virtualKey == VK_TAB)
                next.fastForward = false;
            else if (!IsRunnerKey(event.virtualKey))
                step.delivery = Pass(next);
            break;
        case Kind::Mouse:
            step.delivery = Pass(next);
            break;
        case Kind::Close:
            // Closing is answered by the program: a paused one is let go first.
            next.paused = false;
            next.advancing = false;
            step.delivery = Delivery::Now;
            break;
        case Kind::Window:
            step.delivery = Delivery::Now;
            break;
        case Kind::Pass:
            // Held input goes on one event a pass, so that the program sees a key that went
            // down and up while it was paused as down for a pass of its own.
            if (!next.paused && next.held > 0) {
                --next.held;
                step.delivery = Delivery::OneHeld;
            }
            break;
        case Kind::FramePresented:
            next.advancing = false;
            break;
    }
    step.clockPaused = next.paused && !next.advancing;
    step.clockSpeed = next.fastForward ? speed * kFastForward : speed;
    return step;
}

}  // namespace nuvik::host
