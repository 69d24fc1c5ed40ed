#include "host/ControlRules.h"

#include <gtest/gtest.h>

#include <ostream>

#include "win32/constants.h"

namespace nuvik::host {
// Failures name the fields that differ.
void PrintTo(const ControlState& state, std::ostream* out) {
    *out << "{paused " << state.paused << ", advancing " << state.advancing << ", fastForward "
         << state.fastForward << ", recording " << state.recording << ", recordingInput "
         << state.recordingInput << ", held " << state.held << "}";
}
}  // namespace nuvik::host

namespace {

using nuvik::host::ControlAction;
using nuvik::host::ControlEvent;
using nuvik::host::ControlState;
using nuvik::host::Delivery;
using nuvik::host::StepControls;
using Kind = ControlEvent::Kind;
using Action = ControlAction;

TEST(ControlRules, EachInputMovesTheControlsAndReachesTheProgramOrNot) {
    const ControlState running{};
    const ControlState paused{.paused = true};
    const ControlState advancing{.paused = true, .advancing = true};
    const ControlState fast{.fastForward = true};
    struct Row {
        const char* rule;
        ControlState before;
        ControlEvent event;
        double speed;  // --speed
        ControlState after;
        Delivery programSees;
        Action action;
        double pace;  // of the program's clock against the host's; 0 while it stands
    } rows[] = {
        // clang-format off
        {"a key reaches a running program", running, {Kind::KeyDown, 'A'}, 1,
         running, Delivery::Now, Action::None, 1},
        {"a paused one's input waits", paused, {Kind::KeyUp, 'A'}, 1,
         {.paused = true, .held = 1}, Delivery::Held, Action::None, 0},
        {"and new input queues behind it", {.held = 2}, {Kind::Mouse}, 1,
         {.held = 3}, Delivery::Held, Action::None, 1},
        {"a pass lets the oldest go", {.held = 2}, {Kind::Pass}, 1,
         {.held = 1}, Delivery::OneHeld, Action::None, 1},
        {"but not while paused", {.paused = true, .held = 2}, {Kind::Pass}, 1,
         {.paused = true, .held = 2}, Delivery::None, Action::None, 0},
        {"Pause stops the clock", running, {Kind::KeyDown, VK_PAUSE}, 1,
         paused, Delivery::None, Action::None, 0},
        {"Pause again goes on", paused, {Kind::KeyDown, VK_PAUSE}, 1,
         running, Delivery::None, Action::None, 1},
        {"and ends an advance", advancing, {Kind::KeyDown, VK_PAUSE}, 1,
         running, Delivery::None, Action::None, 1},
        {"F8 while paused runs the clock", paused, {Kind::KeyDown, VK_F8}, 1,
         advancing, Delivery::None, Action::None, 1},
        {"to the next presented frame", advancing, {Kind::FramePresented}, 1,
         paused, Delivery::None, Action::None, 0},
        {"F8 while running does nothing", running, {Kind::KeyDown, VK_F8}, 1,
         running, Delivery::None, Action::None, 1},
        {"Tab held runs the clock at 4x", running, {Kind::KeyDown, VK_TAB}, 1,
         fast, Delivery::None, Action::None, 4},
        {"of --speed", running, {Kind::KeyDown, VK_TAB}, 0.5,
         fast, Delivery::None, Action::None, 2},
        {"a repeated Tab is not 16x", fast, {Kind::KeyDown, VK_TAB}, 0.5,
         fast, Delivery::None, Action::None, 2},
        {"Tab let go goes back to --speed", fast, {Kind::KeyUp, VK_TAB}, 0.5,
         running, Delivery::None, Action::None, 0.5},
        {"Tab held while paused", paused, {Kind::KeyDown, VK_TAB}, 1,
         {.paused = true, .fastForward = true}, Delivery::None, Action::None, 0},
        {"counts once Pause lets go", {.paused = true, .fastForward = true},
         {Kind::KeyDown, VK_PAUSE}, 1, fast, Delivery::None, Action::None, 4},
        {"F9 starts a recording", running, {Kind::KeyDown, VK_F9}, 1,
         {.recording = true}, Delivery::None, Action::StartRecording, 1},
        {"F9 again stops it", {.recording = true}, {Kind::KeyDown, VK_F9}, 1,
         running, Delivery::None, Action::StopRecording, 1},
        {"F7 starts writing the input down", running, {Kind::KeyDown, VK_F7}, 1,
         {.recordingInput = true}, Delivery::None, Action::StartInputRecording, 1},
        {"F7 again stops it", {.recordingInput = true}, {Kind::KeyDown, VK_F7}, 1,
         running, Delivery::None, Action::StopInputRecording, 1},
        {"F12 writes the screen, even paused", paused, {Kind::KeyDown, VK_F12}, 1,
         paused, Delivery::None, Action::Screenshot, 0},
        {"F3 the overlay", running, {Kind::KeyDown, VK_F3}, 1,
         running, Delivery::None, Action::ToggleOverlay, 1},
        {"F11 full screen", running, {Kind::KeyDown, VK_F11}, 1,
         running, Delivery::None, Action::ToggleFullScreen, 1},
        {"a close while paused lets the program go to answer it", {.paused = true, .held = 1},
         {Kind::Close}, 1, {.held = 1}, Delivery::Now, Action::None, 1},
        {"a close while advancing too", advancing, {Kind::Close}, 1,
         running, Delivery::Now, Action::None, 1},
        {"minimising reaches even a paused program", paused, {Kind::Window}, 1,
         paused, Delivery::Now, Action::None, 0},
        // clang-format on
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        auto step = StepControls(row.before, row.event, row.speed);
        EXPECT_EQ(step.state, row.after);
        EXPECT_EQ(step.delivery, row.programSees);
        EXPECT_EQ(step.action, row.action);
        EXPECT_EQ(step.clockPaused ? 0 : step.clockSpeed, row.pace);
    }
    // No runner key, down or up, ever reaches the program, whatever the state.
    for (int key : {VK_PAUSE, VK_F8, VK_TAB, VK_F3, VK_F7, VK_F9, VK_F11, VK_F12}) {
        for (const ControlState& state : {running, paused, advancing, fast}) {
            EXPECT_EQ(StepControls(state, {Kind::KeyDown, key}, 1).delivery, Delivery::None) << key;
            EXPECT_EQ(StepControls(state, {Kind::KeyUp, key}, 1).delivery, Delivery::None) << key;
        }
    }
}

}  // namespace
