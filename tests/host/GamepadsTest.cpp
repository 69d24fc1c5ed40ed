#include "host/sdl/Gamepads.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "VirtualPad.h"
#include "host/InputSink.h"
#include "host/PadMapping.h"
#include "win32/constants.h"

namespace {

using nuvik::host::Gamepads;
using nuvik::host::InputSink;
using nuvik::host::PadButton;
using nuvik::host::PadMapping;
using nuvik::host::ParsePadMapping;
using nuvik::testing::VirtualPad;
using win32::input::MouseButton;
using Log = std::vector<std::string>;

std::string Down(int key) {
    return "down " + std::to_string(key);
}
std::string Up(int key) {
    return "up " + std::to_string(key);
}

// The keys that reached the window system, in order.
class RecordingInput final : public InputSink {
  public:
    void KeyDown(int key) override { log.push_back(Down(key)); }
    void KeyUp(int key) override { log.push_back(Up(key)); }
    void MouseMove(int, int) override { log.push_back("mouse"); }
    void MouseButtonDown(MouseButton, int, int) override { log.push_back("mouse"); }
    void MouseButtonUp(MouseButton, int, int) override { log.push_back("mouse"); }
    void RequestClose() override { log.push_back("close"); }
    void RequestMinimize() override { log.push_back("minimize"); }
    void RequestRestore() override { log.push_back("restore"); }

    // What arrived since the last call.
    Log Take() { return std::exchange(log, {}); }

    Log log;
};

// Only SDL's joystick side runs: no display is needed.
class GamepadsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError(); }
    void TearDown() override {
        pad_.reset();
        pads_.reset();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    void Start(const PadMapping& mapping = {}) {
        pads_ = std::make_unique<Gamepads>(mapping, input_);
        ASSERT_TRUE(pads_->Available()) << pads_->Error();
    }
    void Plug() { pad_ = std::make_unique<VirtualPad>(); }
    // Delivers what SDL has, as the host's event loop would; the log of what reached the sink.
    Log Pump() {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (IsControllerEvent(event.type))
                EXPECT_TRUE(pads_->HandleEvent(event));
            else
                EXPECT_FALSE(pads_->HandleEvent(event)) << std::hex << event.type;
        }
        return input_.Take();
    }
    static bool IsControllerEvent(Uint32 type) {
        return type >= SDL_CONTROLLERAXISMOTION && type <= SDL_CONTROLLERSENSORUPDATE;
    }

    RecordingInput input_;
    std::unique_ptr<Gamepads> pads_;
    std::unique_ptr<VirtualPad> pad_;
};

TEST_F(GamepadsTest, APadPresentAtTheStartPressesTheMappedKeys) {
    Plug();
    Start();
    EXPECT_EQ(pads_->OpenPadCount(), 1);  // before SDL's announcement of it arrives
    Pump();
    struct Step {
        PadButton button;
        bool down;
        Log expected;
    } steps[] = {
        {PadButton::A, true, {Down('Z')}},
        {PadButton::Start, true, {Down(VK_RETURN)}},
        {PadButton::A, false, {Up('Z')}},
        {PadButton::Start, false, {Up(VK_RETURN)}},
        {PadButton::DpadLeft, true, {Down(VK_LEFT)}},
        {PadButton::DpadLeft, false, {Up(VK_LEFT)}},
        {PadButton::Y, true, {}},  // unmapped
        {PadButton::Y, false, {}},
    };
    for (const Step& step : steps) {
        pad_->Set(step.button, step.down);
        EXPECT_EQ(Pump(), step.expected)
            << static_cast<int>(step.button) << (step.down ? " down" : " up");
    }
}

TEST_F(GamepadsTest, TheLeftStickPressesArrowsBeyondHalfWayWithoutChattering) {
    Start();
    Plug();
    Pump();
    struct Step {
        SDL_GameControllerAxis axis;
        Sint16 value;
        Log expected;
    } steps[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, 15000, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 17000, {Down(VK_RIGHT)}},
        {SDL_CONTROLLER_AXIS_LEFTX, 15000, {}},  // back under the threshold: still held
        {SDL_CONTROLLER_AXIS_LEFTX, 17000, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 13000, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, 12000, {Up(VK_RIGHT)}},
        {SDL_CONTROLLER_AXIS_LEFTX, 15000, {}},
        {SDL_CONTROLLER_AXIS_LEFTX, -32768, {Down(VK_LEFT)}},
        {SDL_CONTROLLER_AXIS_LEFTX, 32767, {Up(VK_LEFT), Down(VK_RIGHT)}},
        {SDL_CONTROLLER_AXIS_LEFTY, -20000, {Down(VK_UP)}},
        {SDL_CONTROLLER_AXIS_LEFTY, 20000, {Up(VK_UP), Down(VK_DOWN)}},
        {SDL_CONTROLLER_AXIS_LEFTX, 0, {Up(VK_RIGHT)}},
        {SDL_CONTROLLER_AXIS_LEFTY, 0, {Up(VK_DOWN)}},
        {SDL_CONTROLLER_AXIS_RIGHTX, 32767, {}},  // only the left stick stands for keys
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767, {}},
    };
    for (const Step& step : steps) {
        pad_->Lean(step.axis, step.value);
        EXPECT_EQ(Pump(), step.expected) << "axis " << step.axis << " at " << step.value;
    }
}

TEST_F(GamepadsTest, AKeyHeldByTheDpadAndTheStickGoesUpWhenBothLetGo) {
    Start();
    Plug();
    Pump();
    pad_->Set(PadButton::DpadLeft, true);
    EXPECT_EQ(Pump(), Log{Down(VK_LEFT)});
    pad_->Lean(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    EXPECT_EQ(Pump(), Log{});
    pad_->Set(PadButton::DpadLeft, false);
    EXPECT_EQ(Pump(), Log{});
    pad_->Set(PadButton::DpadLeft, true);
    EXPECT_EQ(Pump(), Log{});
    pad_->Lean(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_EQ(Pump(), Log{});
    pad_->Set(PadButton::DpadLeft, false);
    EXPECT_EQ(Pump(), Log{Up(VK_LEFT)});
}

TEST_F(GamepadsTest, AKeyHeldOnTwoPadsGoesUpWithTheLast) {
    Start();
    Plug();
    VirtualPad second;
    Pump();
    ASSERT_EQ(pads_->OpenPadCount(), 2);
    struct Step {
        VirtualPad* pad;
        bool down;
        Log expected;
    } steps[] = {
        {pad_.get(), true, {Down('Z')}}, {&second, true, {}},  {pad_.get(), false, {}},
        {pad_.get(), true, {}},          {&second, false, {}}, {pad_.get(), false, {Up('Z')}},
    };
    for (const Step& step : steps) {
        step.pad->Set(PadButton::A, step.down);
        EXPECT_EQ(Pump(), step.expected)
            << (step.pad == &second ? "second" : "first") << (step.down ? " down" : " up");
    }
}

TEST_F(GamepadsTest, ARemappedButtonAndDpadPressTheirNewKeys) {
    PadMapping mapping;
    std::string error;
    ASSERT_TRUE(ParsePadMapping("a=space,y=c,dpleft=a", &mapping, &error)) << error;
    Start(mapping);
    Plug();
    Pump();
    pad_->Set(PadButton::A, true);
    pad_->Set(PadButton::Y, true);
    EXPECT_EQ(Pump(), (Log{Down(VK_SPACE), Down('C')}));
    pad_->Lean(SDL_CONTROLLER_AXIS_LEFTX, -32768);  // the stick follows the D-pad
    EXPECT_EQ(Pump(), Log{Down('A')});
}

// SDL itself lets go of a removed pad's buttons and axes before it reports the removal; the
// removal alone must release them all the same.
TEST_F(GamepadsTest, RemovingAPadReleasesWhatItHeld) {
    Start();
    Plug();
    Pump();
    pad_->Set(PadButton::B, true);
    EXPECT_EQ(Pump(), Log{Down('X')});
    pad_->Lean(SDL_CONTROLLER_AXIS_LEFTY, 32767);
    EXPECT_EQ(Pump(), Log{Down(VK_DOWN)});
    SDL_Event removed{};
    removed.cdevice.type = SDL_CONTROLLERDEVICEREMOVED;
    removed.cdevice.which = pad_->Id();
    EXPECT_TRUE(pads_->HandleEvent(removed));
    EXPECT_EQ(input_.Take(), (Log{Up('X'), Up(VK_DOWN)}));
    EXPECT_EQ(pads_->OpenPadCount(), 0);
    pad_->Unplug();
    EXPECT_EQ(Pump(), Log{});
}

TEST_F(GamepadsTest, ReleaseAllLetsGoUntilTheNextPress) {
    Start();
    Plug();
    Pump();
    pad_->Set(PadButton::A, true);
    EXPECT_EQ(Pump(), Log{Down('Z')});
    pad_->Lean(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(Pump(), Log{Down(VK_RIGHT)});
    pads_->ReleaseAll();
    EXPECT_EQ(input_.Take(), (Log{Up('Z'), Up(VK_RIGHT)}));
    pad_->Set(PadButton::A, false);
    pad_->Lean(SDL_CONTROLLER_AXIS_LEFTX, 14000);  // still leaning, but not past the threshold
    EXPECT_EQ(Pump(), Log{});
    pad_->Set(PadButton::A, true);
    EXPECT_EQ(Pump(), Log{Down('Z')});
    pad_->Lean(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(Pump(), Log{Down(VK_RIGHT)});
}

}  // namespace
