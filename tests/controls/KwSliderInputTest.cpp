// The main window's slider driven through the platform: its layout, thumb drags, keys,
// press-and-hold on the ruler with the stepping timer on the virtual clock, the hit areas,
// focus, and the setters' refusals.
#include <gtest/gtest.h>

#include <algorithm>

#include "SliderTestSupport.h"
#include "forms/Exception.h"
#include "forms/Instance.h"

namespace slidertest {
namespace {

using controls::TKwSlider;
using win32::input::MouseButton;

class KwSliderInputTest : public SliderTest {
  protected:
    void SetUp() override {
        SliderTest::SetUp();
        MainWindowSlider();
        log.clear();
    }

    int ThumbLeft() const { return slider->ThumbBounds().left; }
};

TEST_F(KwSliderInputTest, LaysTheMainWindowsSliderOut) {
    EXPECT_EQ(RectText(slider->GetSliderRect()), "0,0-89,28");
    EXPECT_EQ(RectText(slider->ThumbBounds()), "40,6-49,23");
    EXPECT_EQ(slider->RulerImage().Width(), 77);
    EXPECT_EQ(slider->RulerImage().Height(), 8);
    EXPECT_EQ(slider->RulerOrigin().x, 6);
    EXPECT_EQ(slider->RulerOrigin().y, 10);
    controls::TSliderMapping mapping = slider->Mapping();
    EXPECT_EQ(mapping.rulerLength, 68);
    EXPECT_EQ(mapping.trackOrigin, 6);
    EXPECT_EQ(slider->TickArea().top, 24);
    EXPECT_EQ(slider->Increment(), 10);
    EXPECT_TRUE(slider->Options().Contains(controls::soSmooth));
}

TEST_F(KwSliderInputTest, PlacesTheThumbForEachValue) {
    const std::vector<std::pair<int, int>> cases = {{10, 6},  {20, 20}, {35, 40}, {48, 58},
                                                    {60, 74}, {0, 6},   {99, 74}};
    for (auto [value, left] : cases) {
        slider->SetValue(value);
        EXPECT_EQ(ThumbLeft(), left) << "value " << value;
        EXPECT_EQ(slider->ThumbBounds().top, 6);
        EXPECT_EQ(slider->ThumbBounds().right - slider->ThumbBounds().left, 9);
    }
    EXPECT_EQ(slider->Value(), 60);
}

TEST_F(KwSliderInputTest, ADragFollowsThePointerAndChangesOnlyOnNewValues) {
    Press(40, 15);  // the thumb's left edge
    EXPECT_TRUE(slider->DragActive());
    EXPECT_TRUE(slider->ThumbPressed());
    struct Step {
        int x;
        int value;
        int left;
    };
    const std::vector<Step> steps = {
        {23, 22, 22},                // 12.5 goes to 12
        {23, 22, 22},                // no new value: no OnChange
        {57, 48, 58},                // 37.5 goes to 38
        {58, 48, 58},                // the same value again
        {6, 10, 6},   {-40, 10, 6},  // left of the track, also outside the control
        {74, 60, 74}, {200, 60, 74}, {40, 35, 40},
    };
    for (const Step& step : steps) {
        MoveTo(step.x, 15);
        EXPECT_EQ(slider->Value(), step.value) << "x " << step.x;
        EXPECT_EQ(ThumbLeft(), step.left) << "x " << step.x;
    }
    EXPECT_EQ(log, Events({"change 22", "change 48", "change 10", "change 60", "change 35"}));
    log.clear();
    Release(40, 15);
    EXPECT_FALSE(slider->DragActive());
    EXPECT_FALSE(slider->ThumbPressed());
    EXPECT_EQ(log, Events({"changed 35"}));
}

TEST_F(KwSliderInputTest, AGrabInsideTheThumbKeepsItsDistanceToThePointer) {
    Press(44, 15);
    MoveTo(27, 15);  // the thumb's left edge goes to 23
    EXPECT_EQ(slider->Value(), 22);
    EXPECT_EQ(ThumbLeft(), 22);
    Release(27, 15);
}

TEST_F(KwSliderInputTest, APressOnTheThumbsRightEdgeGrabsIt) {
    Press(49, 23);  // right and bottom edges of ThumbBounds (40, 6)-(49, 23)
    EXPECT_TRUE(slider->DragActive());
    EXPECT_FALSE(slider->StepActive());
    Release(49, 23);
    EXPECT_EQ(slider->Value(), 35);
    EXPECT_EQ(log, Events({"changed 35"}));
}

TEST_F(KwSliderInputTest, KeysStepToMultiplesOfTheIncrement) {
    struct Case {
        int from;
        int key;
        int expected;
    };
    const std::vector<Case> cases = {
        {35, VK_RIGHT, 50}, {35, VK_LEFT, 30}, {45, VK_RIGHT, 50}, {45, VK_LEFT, 30},
        {55, VK_RIGHT, 60}, {55, VK_LEFT, 50}, {25, VK_RIGHT, 30}, {25, VK_LEFT, 10},
        {15, VK_RIGHT, 30}, {35, VK_HOME, 10}, {35, VK_END, 60},   {10, VK_LEFT, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " from " << c.from);
        slider->SetValue(c.from);
        slider->SetFocus();
        Pump();
        log.clear();
        Key(c.key);
        EXPECT_EQ(slider->Value(), c.expected);
        std::vector<std::string> expected;
        if (c.expected != c.from)
            expected.push_back("change " + std::to_string(c.expected));
        expected.push_back("changed " + std::to_string(c.expected));
        expected.push_back("keydown 0");  // consumed, then the general processing
        EXPECT_EQ(log, expected);
    }
}

TEST_F(KwSliderInputTest, RightAtTheMaximumRaisesOnlyOnChanged) {
    slider->SetValue(60);
    slider->SetFocus();
    Pump();
    log.clear();
    Key(VK_RIGHT);
    EXPECT_EQ(slider->Value(), 60);
    EXPECT_EQ(log, Events({"changed 60", "keydown 0"}));
}

TEST_F(KwSliderInputTest, OtherKeysReachOnKeyDownUnchanged) {
    slider->SetFocus();
    Pump();
    struct Case {
        int key;
        bool shift;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {VK_RIGHT, true, "keydown 39+shift"},
        {VK_PRIOR, false, "keydown 33"},
        {VK_NEXT, false, "keydown 34"},
        {VK_UP, false, "keydown 38"},  // a horizontal slider ignores Up and Down
        {VK_DOWN, false, "keydown 40"},
    };
    for (const Case& c : cases) {
        log.clear();
        Key(c.key, c.shift);
        EXPECT_EQ(slider->Value(), 35);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.back(), c.expected);
        EXPECT_EQ(std::count_if(log.begin(), log.end(),
                                [](const std::string& e) { return e.rfind("change", 0) == 0; }),
                  0);
    }
    // The arrows stayed with the slider instead of moving the focus.
    EXPECT_EQ(forms::FindControl(GetFocus()), slider);
}

TEST_F(KwSliderInputTest, PressAndHoldOnTheRulerStepsEveryFourHundredMilliseconds) {
    slider->SetValue(60);
    log.clear();
    Press(10, 14);  // left of the thumb at 74
    EXPECT_TRUE(slider->StepActive());
    EXPECT_EQ(slider->Value(), 50);  // one step at once
    EXPECT_EQ(GetCapture(), slider->Handle());
    Wait(399);
    EXPECT_EQ(slider->Value(), 50);
    Wait(1);
    EXPECT_EQ(slider->Value(), 40);
    Wait(400);
    EXPECT_EQ(slider->Value(), 30);
    Wait(400);
    EXPECT_EQ(slider->Value(), 20);  // thumb at 20: the pointer at 10 is still left of it
    Wait(400);
    EXPECT_EQ(slider->Value(), 10);  // thumb at 6: the pointer is on it now
    Wait(1200);
    EXPECT_EQ(slider->Value(), 10);
    EXPECT_EQ(log, Events({"change 50", "change 40", "change 30", "change 20", "change 10"}));
    log.clear();
    Release(10, 14);
    EXPECT_FALSE(slider->StepActive());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(log, Events({"changed 10"}));
    // The timer is gone with the release.
    Wait(1000);
    EXPECT_EQ(log, Events({"changed 10"}));
}

TEST_F(KwSliderInputTest, SteppingPausesWhileThePointerIsOnTheOtherSideAndResumes) {
    Press(80, 14);  // right of the thumb at 40: one step to 50 (thumb at 60)
    EXPECT_EQ(slider->Value(), 50);
    MoveTo(30, 14);  // now left of the thumb: the wrong side
    Wait(800);
    EXPECT_EQ(slider->Value(), 50);
    MoveTo(80, 14);  // back: the timer still runs
    Wait(400);
    EXPECT_EQ(slider->Value(), 60);
    Release(80, 14);
    EXPECT_EQ(log, Events({"change 50", "change 60", "changed 60"}));
}

TEST_F(KwSliderInputTest, TheRulersHitAreaIncludesItsEdges) {
    struct Case {
        int x;
        int y;
        bool steps;
    };
    const std::vector<Case> cases = {
        {6, 7, true},   {6, 21, true},   {83, 7, true},  {83, 21, true},  {20, 14, true},
        {5, 14, false}, {84, 14, false}, {20, 6, false}, {20, 22, false}, {20, 26, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        slider->SetValue(35);
        Press(c.x, c.y);
        EXPECT_EQ(slider->StepActive(), c.steps);
        EXPECT_EQ(slider->Value() != 35, c.steps);
        Release(c.x, c.y);
        // A press anywhere on the control takes the focus.
        EXPECT_TRUE(slider->HasFocus());
    }
}

TEST_F(KwSliderInputTest, DoubleClicksAndTheRightButtonDoNothing) {
    Press(10, 14);
    Release(10, 14);
    EXPECT_EQ(slider->Value(), 30);
    log.clear();
    PressAgain(10, 14);  // the second press of a double-click
    EXPECT_FALSE(slider->StepActive());
    Release(10, 14);
    EXPECT_EQ(slider->Value(), 30);
    EXPECT_EQ(log, Events({}));

    form->SetFocus();
    Pump();
    Press(10, 14, MouseButton::Right);
    Release(10, 14, MouseButton::Right);
    Press(40, 15, MouseButton::Right);
    EXPECT_FALSE(slider->DragActive());
    Release(40, 15, MouseButton::Right);
    EXPECT_EQ(slider->Value(), 30);
    EXPECT_FALSE(slider->HasFocus());
    EXPECT_EQ(log, Events({}));
}

TEST_F(KwSliderInputTest, ALeftPressFocusesAlthoughNoTabStopAndAKeyGivesTheFocusBack) {
    ASSERT_FALSE(slider->TabStop());
    form->SetFocus();
    Pump();
    EXPECT_FALSE(slider->HasFocus());
    // As the main window's handler: the focus goes back once the slider acted on the key.
    slider->OnKeyDown = [this](forms::TObject*, WORD&, forms::TShiftState) { form->SetFocus(); };
    Press(40, 26);  // below the ruler's area: only the focus
    Release(40, 26);
    EXPECT_TRUE(slider->HasFocus());
    EXPECT_EQ(slider->Value(), 35);
    Key(VK_RIGHT);
    EXPECT_EQ(slider->Value(), 50);
    EXPECT_FALSE(slider->HasFocus());
    Key(VK_RIGHT);  // no longer the slider's
    EXPECT_EQ(slider->Value(), 50);
}

TEST_F(KwSliderInputTest, ReadOnlyRefusesTheUserAndEndsAGestureUnderWay) {
    Press(40, 15);
    MoveTo(57, 15);
    EXPECT_EQ(slider->Value(), 48);
    log.clear();
    slider->SetReadOnly(true);
    EXPECT_FALSE(slider->DragActive());
    EXPECT_EQ(log, Events({"changed 48"}));
    MoveTo(70, 15);
    Release(70, 15);
    EXPECT_EQ(slider->Value(), 48);

    Press(10, 14);
    EXPECT_FALSE(slider->StepActive());
    Release(10, 14);
    Key(VK_RIGHT);
    EXPECT_EQ(slider->Value(), 48);
    // The program still sets the value.
    slider->SetValue(20);
    EXPECT_EQ(slider->Value(), 20);

    slider->SetReadOnly(false);
    Press(80, 14);
    log.clear();
    slider->SetReadOnly(true);  // ends the stepping
    EXPECT_FALSE(slider->StepActive());
    EXPECT_EQ(log, Events({"changed 30"}));
    Wait(1000);
    EXPECT_EQ(slider->Value(), 30);
    Release(80, 14);
}

TEST_F(KwSliderInputTest, EdgeSizeMustLeaveTheRulerAMiddle) {
    slider->SetEdgeSize(5);  // 10 is not less than the picture's 10 columns
    EXPECT_EQ(slider->EdgeSize(), 1);
    slider->SetEdgeSize(-1);
    EXPECT_EQ(slider->EdgeSize(), 1);
    slider->SetEdgeSize(4);
    EXPECT_EQ(slider->EdgeSize(), 4);
    EXPECT_EQ(slider->RulerImage().Width(), 77);
}

TEST_F(KwSliderInputTest, IncrementOutsideTheRangeIsRefusedWithTheRange) {
    for (int refused : {0, 51, -3}) {
        SCOPED_TRACE(refused);
        try {
            slider->SetIncrement(refused);
            ADD_FAILURE() << "no exception";
        } catch (const forms::Exception& e) {
            EXPECT_STREQ(e.Message(), "Value must be between 1 and 50");
        }
        EXPECT_EQ(slider->Increment(), 10);
    }
    slider->SetIncrement(50);
    EXPECT_EQ(slider->Increment(), 50);
    slider->SetIncrement(1);
    EXPECT_EQ(slider->Increment(), 1);
}

TEST_F(KwSliderInputTest, RangeChangesClampTheValueAndNarrowTheIncrement) {
    struct Step {
        int minValue;
        int maxValue;
        int expectedMin;
        int expectedMax;
        int value;
        int increment;
    };
    const std::vector<Step> steps = {
        {40, 60, 40, 60, 40, 10},  // the value follows the minimum up
        {40, 45, 40, 45, 40, 5},   // narrower than the increment
        {45, 45, 40, 45, 40, 5},   // an empty range is ignored
        {50, 45, 40, 45, 40, 5},   // so is a reversed one
        {0, 100, 0, 100, 40, 5},
    };
    for (const Step& step : steps) {
        slider->SetRange(step.minValue, step.maxValue);
        EXPECT_EQ(slider->MinValue(), step.expectedMin);
        EXPECT_EQ(slider->MaxValue(), step.expectedMax);
        EXPECT_EQ(slider->Value(), step.value);
        EXPECT_EQ(slider->Increment(), step.increment);
    }
    EXPECT_EQ(log, Events({"change 40"}));
}

TEST_F(KwSliderInputTest, ThePointerOverTheThumbShowsTheSlidersHand) {
    HCURSOR hand = LoadCursorA(forms::HInstance(), "KW_HANDCUR");
    HCURSOR point = LoadCursorA(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr);
    ASSERT_NE(hand, point);
    struct Spot {
        int x;
        int y;
        HCURSOR expected;
    };
    const std::vector<Spot> spots = {
        {40, 6, hand},   {48, 22, hand},  {44, 15, hand},
        {49, 15, point},  // the right edge is not the thumb here
        {44, 23, point}, {20, 14, point}, {2, 2, point},
    };
    for (const Spot& spot : spots) {
        MoveTo(spot.x, spot.y);
        EXPECT_EQ(GetCursor(), spot.expected) << spot.x << "," << spot.y;
    }
}

}  // namespace
}  // namespace slidertest
