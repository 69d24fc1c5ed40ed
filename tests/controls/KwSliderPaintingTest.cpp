// What the slider shows: the ruler tiled from its picture, the tick marks, the thumb's two
// pictures, the focus rectangle, the bevel, the vertical mirror, and pixel-exact goldens of
// the main window's slider on the panel's colour.
#include <gtest/gtest.h>

#include "SliderTestSupport.h"
#include "forms/Bitmap.h"
#include "forms/Instance.h"
#include "support/Golden.h"

namespace slidertest {
namespace {

using controls::TKwSlider;

constexpr COLORREF kFace = RGB(192, 192, 192);  // the panel's button face
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class KwSliderPaintingTest : public SliderTest {};

// The main window's slider, at 35, without focus.
class MainSliderPaintingTest : public SliderTest {
  protected:
    void SetUp() override {
        SliderTest::SetUp();
        MainWindowSlider();
    }
};

TEST_F(MainSliderPaintingTest, TheRulerIsTheCapsAndEightTilesOfItsPicture) {
    forms::TBitmap picture;
    picture.LoadFromResourceName(forms::HInstance(), "W95_HRL");
    ASSERT_EQ(picture.Width(), 10);
    const forms::TBitmap& ruler = slider->RulerImage();
    ASSERT_EQ(ruler.Width(), 77);
    ASSERT_EQ(ruler.Height(), picture.Height());
    for (int column = 0; column < ruler.Width(); ++column) {
        int source = column <= 8 ? column : column <= 72 ? 1 + (column - 9) % 8 : column - 67;
        for (int row = 0; row < ruler.Height(); ++row) {
            ASSERT_EQ(ruler.Pixel(column, row), picture.Pixel(source, row))
                << "column " << column << " row " << row;
        }
    }
}

TEST_F(MainSliderPaintingTest, SixTicksMarkEveryTenWithLongerEnds) {
    struct Tick {
        int x;
        int length;
    };
    const std::vector<Tick> ticks = {{10, 5}, {24, 3}, {37, 3}, {51, 3}, {64, 3}, {78, 5}};
    for (const Tick& tick : ticks) {
        SCOPED_TRACE(tick.x);
        for (int y = 24; y < 28; ++y)
            EXPECT_EQ(PixelAt(tick.x, y), y < 24 + tick.length ? kBlack : kFace) << "y " << y;
        EXPECT_EQ(PixelAt(tick.x - 1, 24), kFace);
        EXPECT_EQ(PixelAt(tick.x + 1, 24), kFace);
    }
    int marked = 0;
    for (int x = 0; x < 89; ++x)
        marked += PixelAt(x, 24) == kBlack ? 1 : 0;
    EXPECT_EQ(marked, 6);
}

TEST_F(MainSliderPaintingTest, IncrementOneTicksEveryThirdValueAndTheMaximum) {
    slider->SetIncrement(1);
    Pump();
    controls::TSliderMapping mapping = slider->Mapping();
    std::vector<int> expected;
    for (int value = 10; value <= 58; value += 3)
        expected.push_back(mapping.OffsetByValue(value) + 4);
    expected.push_back(mapping.OffsetByValue(60) + 4);
    ASSERT_EQ(expected.size(), 18u);
    std::vector<int> marked;
    for (int x = 0; x < 89; ++x) {
        if (PixelAt(x, 24) == kBlack)
            marked.push_back(x);
    }
    EXPECT_EQ(marked, expected);
    EXPECT_EQ(PixelAt(expected.front(), 27), kBlack);
    EXPECT_EQ(PixelAt(expected[1], 27), kFace);
    EXPECT_EQ(PixelAt(expected.back(), 27), kBlack);
}

TEST_F(MainSliderPaintingTest, MatchesTheGoldenAtThirtyFive) {
    EXPECT_TRUE(nuvik::testing::MatchesGolden(Shot(), "controls/slider-35.png"));
    // The panel shows through the thumb's and the ruler's see-through corners.
    EXPECT_EQ(PixelAt(40, 22), kFace);
    EXPECT_EQ(PixelAt(6, 10), kFace);
}

TEST_F(MainSliderPaintingTest, AHeldThumbShowsItsPressedPicture) {
    Press(44, 15);
    EXPECT_TRUE(nuvik::testing::MatchesGolden(Shot(), "controls/slider-35-pressed.png"));
    // Row 2 of the pressed picture is checkered: W L W L ...
    EXPECT_EQ(PixelAt(42, 8), kWhite);
    Release(44, 15);
    EXPECT_EQ(PixelAt(42, 8), kFace);
}

TEST_F(MainSliderPaintingTest, TheFocusRectangleRunsTwoPixelsInside) {
    slider->SetFocus();
    Pump();
    EXPECT_TRUE(nuvik::testing::MatchesGolden(Shot(), "controls/slider-35-focused.png"));
    // The dotted frame (2, 2)-(87, 26): its dots are the pixels whose coordinates add up to an
    // odd number; the pixels outside it are not touched.
    EXPECT_EQ(PixelAt(2, 2), kFace);
    EXPECT_NE(PixelAt(3, 2), kFace);
    EXPECT_EQ(PixelAt(1, 2), kFace);
    EXPECT_EQ(PixelAt(87, 2), kFace);
    EXPECT_NE(PixelAt(2, 23), kFace);
    form->SetFocus();
    Pump();
    EXPECT_TRUE(nuvik::testing::MatchesGolden(Shot(), "controls/slider-35.png"));
}

TEST_F(MainSliderPaintingTest, ADisabledSliderShowsThePressedThumb) {
    slider->SetEnabled(false);
    Pump();
    EXPECT_EQ(PixelAt(42, 8), kWhite);
    slider->SetEnabled(true);
    Pump();
    EXPECT_EQ(PixelAt(42, 8), kFace);
}

TEST_F(MainSliderPaintingTest, AMovedThumbInvalidatesOnlyItsOldAndNewPlace) {
    slider->SetValue(48);
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(slider->Handle(), &update, FALSE));
    EXPECT_EQ(RectText(update), "40,6-67,23");
    Pump();
    EXPECT_FALSE(GetUpdateRect(slider->Handle(), &update, FALSE));
}

TEST_F(MainSliderPaintingTest, OpaqueOptionsDrawTheTransparentColour) {
    slider->SetOptions(slider->Options() + controls::soRulerOpaque + controls::soThumbOpaque);
    Pump();
    EXPECT_EQ(PixelAt(6, 10), RGB(255, 0, 255));
    EXPECT_EQ(PixelAt(40, 22), RGB(255, 0, 255));
    // Bringing a built-in picture back clears the option of its kind.
    slider->SetImage(controls::siHThumb, nullptr);
    EXPECT_FALSE(slider->Options().Contains(controls::soThumbOpaque));
    EXPECT_TRUE(slider->Options().Contains(controls::soRulerOpaque));
}

TEST_F(MainSliderPaintingTest, AHandlerMayDrawTheTicksItself) {
    int calls = 0;
    slider->OnDrawPoints = [&](forms::TObject* sender) {
        ++calls;
        EXPECT_EQ(sender, slider);
        slider->DefaultDrawPoints(25, 1, 2);  // ticks at 10, 35 and 60
    };
    slider->Invalidate();
    Pump();
    EXPECT_GE(calls, 1);
    std::vector<int> marked;
    for (int x = 0; x < 89; ++x) {
        if (PixelAt(x, 24) == kBlack)
            marked.push_back(x);
    }
    EXPECT_EQ(marked, (std::vector<int>{10, 44, 78}));
    EXPECT_EQ(PixelAt(10, 25), kBlack);
    EXPECT_EQ(PixelAt(44, 25), kFace);
}

// A slider whose shown value comes from elsewhere, as a data-aware descendant's would.
class TReportingSlider : public TKwSlider {
  public:
    explicit TReportingSlider(forms::TComponent* owner) : TKwSlider(owner) {}
    int GetSliderValue() const override { return reported; }
    int reported = 60;
};

TEST_F(KwSliderPaintingTest, APaintCopyShowsTheReportedValueWithTheNormalThumb) {
    slider = new TReportingSlider(form);
    slider->SetParent(panel);
    slider->SetBounds(48, 8, 89, 28);
    slider->SetRange(10, 60);
    slider->SetEdgeSize(1);
    slider->SetValue(35);
    form->Show();
    Pump();
    Press(44, 15);  // the thumb at 40 is held: its pressed picture
    EXPECT_EQ(PixelAt(42, 8), kWhite);
    slider->SetControlState(slider->ControlState() + forms::csPaintCopy);
    slider->Invalidate();
    Pump();
    // Drawn where 60 lies, with the normal picture, and nothing left where the thumb is held.
    EXPECT_EQ(PixelAt(74, 6), kWhite);
    EXPECT_EQ(PixelAt(76, 8), kFace);
    EXPECT_EQ(PixelAt(42, 8), kFace);
    EXPECT_EQ(slider->ThumbBounds().left, 40);
    slider->SetControlState(slider->ControlState() - forms::csPaintCopy);
    Release(44, 15);
}

TEST_F(KwSliderPaintingTest, ChildControlsAlignInsideTheBevel) {
    MainWindowSlider();
    slider->SetBevelStyle(forms::bvRaised);
    auto* child = new forms::TPanel(form);
    child->SetParent(slider);
    child->SetAlign(forms::alClient);
    EXPECT_EQ(RectText(child->BoundsRect()), "1,1-88,27");
}

TEST_F(KwSliderPaintingTest, ALoweredBevelFramesTheControlAndInsetsTheLayout) {
    MainWindowSlider();
    slider->SetBevelStyle(forms::bvLowered);
    Pump();
    EXPECT_EQ(RectText(slider->GetSliderRect()), "1,1-88,27");
    EXPECT_EQ(slider->ThumbBounds().top, 7);
    EXPECT_EQ(slider->RulerImage().Width(), 75);
    EXPECT_EQ(PixelAt(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(PixelAt(88, 27), kWhite);
    slider->SetBevelStyle(forms::bvRaised);
    Pump();
    EXPECT_EQ(PixelAt(0, 0), kWhite);
    EXPECT_EQ(PixelAt(88, 27), RGB(128, 128, 128));
}

TEST_F(KwSliderPaintingTest, AVerticalSliderIsTheMirrorWithTheMaximumAtTheTop) {
    panel->SetBounds(4, 4, 180, 92);
    PlainSlider(20, 2, 40, 150);
    slider->SetOrientation(controls::soVertical);  // the width and height are exchanged
    EXPECT_EQ(slider->Width(), 150);
    EXPECT_EQ(slider->Height(), 40);
    slider->SetBounds(20, 2, 40, 89);
    slider->SetRange(10, 60);
    slider->SetValue(35);
    Pump();
    // Thumb 19 x 9, ruler 8 x 77: L = 68, the thumb centred on the ruler across the axis.
    EXPECT_EQ(slider->RulerImage().Width(), 8);
    EXPECT_EQ(slider->RulerImage().Height(), 77);
    EXPECT_EQ(slider->RulerOrigin().x, 6 + (19 - 8) / 2);
    EXPECT_EQ(RectText(slider->ThumbBounds()), "6,40-25,49");
    EXPECT_EQ(slider->TickArea().left, 26);
    slider->SetValue(60);
    EXPECT_EQ(slider->ThumbBounds().top, 6);
    slider->SetValue(48);
    EXPECT_EQ(slider->ThumbBounds().top, 22);
    Pump();
    EXPECT_TRUE(nuvik::testing::MatchesGolden(Shot(), "controls/slider-vertical-48.png"));

    // Up is the next step, Down the prior one; Left and Right do nothing.
    slider->SetFocus();
    Pump();
    const std::vector<std::pair<int, int>> keys = {
        {VK_UP, 60}, {VK_DOWN, 50}, {VK_LEFT, 50}, {VK_RIGHT, 50}, {VK_DOWN, 40}};
    for (auto [key, expected] : keys) {
        Key(key);
        EXPECT_EQ(slider->Value(), expected) << "key " << key;
    }
    // A drag upwards raises the value.
    RECT thumb = slider->ThumbBounds();
    Press(10, thumb.top);
    MoveTo(10, 6);
    EXPECT_EQ(slider->Value(), 60);
    MoveTo(10, 200);
    EXPECT_EQ(slider->Value(), 10);
    Release(10, 200);
    // Press and hold above the thumb steps up.
    Press(10, 8);
    EXPECT_EQ(slider->Value(), 20);
    Release(10, 8);
}

TEST_F(KwSliderPaintingTest, ControlsTooSmallForATrackPaintWithoutDividingByZero) {
    struct Case {
        const char* what;
        controls::TSliderOrientation orientation;
        int width;
        int height;
        int rulerLength;
    };
    const std::vector<Case> cases = {
        {"a ruler as long as the thumb", controls::soHorizontal, 21, 28, 9},
        {"no room for a ruler", controls::soHorizontal, 8, 28, 0},
        {"vertical, lower than the margins", controls::soVertical, 28, 10, 0},
        {"vertical, ruler shorter than the thumb", controls::soVertical, 28, 16, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (slider != nullptr)
            delete slider;
        PlainSlider(10, 2, 150, 40);
        slider->SetOrientation(c.orientation);
        slider->SetBounds(10, 2, c.width, c.height);
        slider->SetRange(10, 60);
        slider->SetValue(35);
        Pump();
        int rulerLength = c.orientation == controls::soVertical ? slider->RulerImage().Height()
                                                                : slider->RulerImage().Width();
        EXPECT_EQ(rulerLength, c.rulerLength);
        EXPECT_EQ(slider->GetThumbOffset(), 6);
        Press(c.width - 1, c.height - 1);
        MoveTo(0, 0);
        Release(0, 0);
        EXPECT_EQ(slider->GetThumbOffset(), 6);
        slider->SetFocus();
        Key(VK_END);
        EXPECT_EQ(slider->Value(), 60);
        EXPECT_EQ(slider->GetThumbOffset(), 6);
    }
}

}  // namespace
}  // namespace slidertest
