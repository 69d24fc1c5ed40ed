// The slider inside a form built from a form resource, the way the main window uses it: the
// properties arrive in the resource's order with the checks relaxed, no handler is attached
// while the value moves, pictures and "UserImages" come from the resource, and the start-up
// registration makes the class and the cursors known.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SliderTestSupport.h"
#include "controls/SliderPictures.h"
#include "forms/Application.h"
#include "forms/ClassBuilder.h"
#include "forms/Filer.h"
#include "forms/FormReader.h"
#include "forms/Instance.h"
#include "forms/Screen.h"
#include "support/Golden.h"
#include "win32/platform/Cursors.h"
#include "win32/platform/Resources.h"

namespace slidertest {
namespace {

using controls::TKwSlider;

std::vector<std::string>& ReadingLog() {
    static std::vector<std::string> log;
    return log;
}

// A slider that notes its bounds, its value changes and its layouts as the reader drives it.
class TRecordingSlider : public TKwSlider {
  public:
    explicit TRecordingSlider(forms::TComponent* owner) : TKwSlider(owner) {}

    static const forms::TClassInfo& ClassInfo() {
        static const forms::TClassInfo info = forms::TClassBuilder<TRecordingSlider>::Define(
            "TRecordingSlider", &TKwSlider::ClassInfo(), [](auto&) {});
        return info;
    }
    const forms::TClassInfo& ClassType() const override { return ClassInfo(); }

    void SetBounds(int left, int top, int width, int height) override {
        ReadingLog().push_back("bounds " + std::to_string(left) + "," + std::to_string(top) + " " +
                               std::to_string(width) + "x" + std::to_string(height));
        TKwSlider::SetBounds(left, top, width, height);
    }
    void Sized() override {
        ReadingLog().push_back("sized " + std::to_string(Width()) + "x" + std::to_string(Height()));
        TKwSlider::Sized();
    }

  protected:
    void Change() override {
        ReadingLog().push_back("change " + std::to_string(Value()) +
                               (OnChange ? " to a handler" : " unheard"));
        TKwSlider::Change();
    }
};

class TStripForm : public forms::TForm {
  public:
    explicit TStripForm(forms::TComponent* owner) : TForm(owner) {}

    static const forms::TClassInfo& ClassInfo() {
        static const forms::TClassInfo info = forms::TClassBuilder<TStripForm>::Define(
            "TStripForm", &forms::TForm::ClassInfo(), [](forms::TClassBuilder<TStripForm>& c) {
                c.Field("Panel1", &TStripForm::Panel1);
                c.Field("Slider_Frame", &TStripForm::Slider_Frame);
                c.Method("Slider_FrameChange", &TStripForm::Slider_FrameChange);
                c.Method("Slider_FrameKeyDown", &TStripForm::Slider_FrameKeyDown);
            });
        return info;
    }
    const forms::TClassInfo& ClassType() const override { return ClassInfo(); }

    forms::TPanel* Panel1 = nullptr;
    TKwSlider* Slider_Frame = nullptr;
    int targetFps = 0;
    int changes = 0;

    // As the main window: the value becomes the target rate, and a key gives the focus back.
    void Slider_FrameChange(forms::TObject*) {
        ++changes;
        targetFps = Slider_Frame->Value();
    }
    void Slider_FrameKeyDown(forms::TObject*, WORD&, forms::TShiftState) { SetFocus(); }
};

std::string StripText(const std::string& sliderClass, const std::string& extra = {}) {
    return "object StripForm: TStripForm\n"
           "  BorderStyle = bsNone\n"
           "  ClientWidth = 200\n"
           "  ClientHeight = 100\n"
           "  object Panel1: TPanel\n"
           "    Left = 4\n"
           "    Top = 20\n"
           "    Width = 180\n"
           "    Height = 60\n"
           "    BevelOuter = bvNone\n"
           "    TabOrder = 0\n"
           "    object Slider_Frame: " +
           sliderClass +
           "\n"
           "      Left = 48\n"
           "      Top = 8\n"
           "      Width = 89\n"
           "      Height = 28\n"
           "      Cursor = crHandPoint\n"
           "      MinValue = 10\n"
           "      MaxValue = 60\n"
           "      EdgeSize = 1\n"
           "      TabOrder = 0\n"
           "      TabStop = False\n"
           "      Value = 35\n" +
           extra +
           "      OnChange = Slider_FrameChange\n"
           "      OnKeyDown = Slider_FrameKeyDown\n"
           "    end\n"
           "  end\n"
           "end\n";
}

void RegisterText(const char* name, const std::string& text) {
    static std::vector<std::string> kept;
    kept.push_back(text);
    win32::resources::Register(RT_RCDATA, name, kept.back().data(), kept.back().size());
}

class SliderFormTest : public SliderTest {
  protected:
    void SetUp() override {
        SliderTest::SetUp();
        forms::RegisterComponentClass(TRecordingSlider::ClassInfo());
        ReadingLog().clear();
        strip = new TStripForm(forms::Application);
    }

    TStripForm* strip = nullptr;
};

TEST_F(SliderFormTest, TheMainWindowsSliderComesFromItsFormResource) {
    RegisterText("TSTRIPFORM", StripText("TKwSlider"));
    strip->ReadFormResource();
    TKwSlider* read = strip->Slider_Frame;
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Parent(), strip->Panel1);
    EXPECT_EQ(RectText(read->BoundsRect()), "48,8-137,36");
    EXPECT_EQ(read->Cursor(), forms::crHandPoint);
    EXPECT_EQ(read->MinValue(), 10);
    EXPECT_EQ(read->MaxValue(), 60);
    EXPECT_EQ(read->Value(), 35);
    EXPECT_EQ(read->Increment(), 10);
    EXPECT_EQ(read->EdgeSize(), 1);
    EXPECT_FALSE(read->TabStop());
    EXPECT_EQ(read->Options(),
              (controls::TSliderOptions{controls::soShowFocus, controls::soShowPoints,
                                        controls::soSmooth}));
    // Laid out at its size while the form was read, before any window exists.
    EXPECT_FALSE(read->HandleAllocated());
    EXPECT_EQ(read->RulerImage().Width(), 77);
    EXPECT_EQ(RectText(read->ThumbBounds()), "40,6-49,23");
    EXPECT_TRUE(static_cast<bool>(read->OnChange));
    EXPECT_EQ(strip->changes, 0);

    slider = read;
    strip->Show();
    Pump();
    EXPECT_EQ(strip->changes, 0);
    EXPECT_TRUE(nuvik::testing::MatchesGolden(Shot(), "controls/slider-35.png"));

    // A click gives the slider the focus, the next key moves it and hands the focus back.
    Press(80, 14);
    Release(80, 14);
    EXPECT_EQ(strip->targetFps, 50);
    Key(VK_LEFT);
    EXPECT_EQ(strip->targetFps, 40);
    EXPECT_FALSE(read->HasFocus());
    Key(VK_LEFT);
    EXPECT_EQ(strip->targetFps, 40);
    EXPECT_EQ(strip->changes, 2);
}

TEST_F(SliderFormTest, PropertiesArriveInTheResourcesOrderBeforeTheHandlers) {
    forms::ReadComponentText(*strip, StripText("TRecordingSlider"), "STRIP");
    EXPECT_EQ(ReadingLog(), Events({
                                "bounds 48,0 150x40", "bounds 48,8 150x40", "bounds 48,8 89x40",
                                "bounds 48,8 89x28",
                                "change 10 unheard",  // MinValue 10 clamps the value up from 0
                                "sized 89x28",        // EdgeSize 1 lays the control out again
                                "change 35 unheard",  // Value 35, still without a handler
                            }));
    EXPECT_EQ(strip->changes, 0);
}

TEST_F(SliderFormTest, ReadingRelaxesTheChecksAndAnEmptyRangeStillPaints) {
    forms::ReadComponentText(*strip,
                             StripText("TKwSlider",
                                       "      Increment = 0\n"
                                       "      EdgeSize = 5\n"
                                       "      MinValue = 60\n"
                                       "      Increment = 70\n"),
                             "STRIP");
    TKwSlider* read = strip->Slider_Frame;
    EXPECT_EQ(read->Increment(), 70);  // unchecked while reading; 0 was ignored
    EXPECT_EQ(read->EdgeSize(), 1);    // 5 still does not fit the picture
    EXPECT_EQ(read->MinValue(), 60);
    EXPECT_EQ(read->MaxValue(), 60);
    EXPECT_EQ(read->Value(), 60);
    EXPECT_EQ(strip->changes, 0);

    slider = read;
    strip->Show();
    Pump();
    EXPECT_EQ(read->GetThumbOffset(), 6);
    read->SetFocus();
    Key(VK_HOME);
    EXPECT_EQ(read->Value(), 60);
    Press(60, 14);
    MoveTo(80, 14);
    Release(80, 14);
    EXPECT_EQ(read->GetThumbOffset(), 6);
    // Outside reading the empty range gets a real one again.
    read->SetMinValue(0);
    EXPECT_EQ(read->Increment(), 60);
    EXPECT_EQ(read->Value(), 60);
    EXPECT_EQ(read->GetThumbOffset(), 74);
}

TEST_F(SliderFormTest, ReplacedPicturesAreReadAndNotedInUserImages) {
    forms::ReadComponentText(*strip,
                             StripText("TKwSlider",
                                       "      ImageHThumb.Data = {resource:W95_VTB}\n"
                                       "      UserImages = {05}\n"),
                             "STRIP");
    TKwSlider* read = strip->Slider_Frame;
    EXPECT_EQ(read->ReplacedImages(),
              (controls::TSliderImages{controls::siHThumb, controls::siVThumb}));
    // The 38 x 9 picture makes a 19 x 9 thumb: the ruler is the taller one now.
    EXPECT_EQ(read->ThumbBounds().right - read->ThumbBounds().left, 19);
    EXPECT_EQ(read->ThumbBounds().top, 6);
    EXPECT_EQ(read->RulerOrigin().y, 6);
    EXPECT_EQ(read->Mapping().rulerLength, 58);

    forms::TDefinedPropertyWriter writer;
    EXPECT_EQ(writer.Write(*read), (std::vector<std::string>{"UserImages = {05}"}));

    read->SetImage(controls::siHThumb, nullptr);
    EXPECT_EQ(read->ReplacedImages(), (controls::TSliderImages{controls::siVThumb}));
    EXPECT_EQ(read->ThumbBounds().right - read->ThumbBounds().left, 9);
    EXPECT_EQ(read->Mapping().rulerLength, 68);
}

TEST_F(SliderFormTest, UserImagesIsWrittenOnlyWhenItDiffersFromTheAncestor) {
    TKwSlider plain(nullptr);
    TKwSlider replaced(nullptr);
    forms::TPicture picture;
    picture.LoadFromResourceName(forms::HInstance(), "W95_VRL");
    replaced.SetImage(controls::siHRuler, &picture);
    EXPECT_EQ(replaced.ImageHRuler()->Width(), 8);
    EXPECT_EQ(replaced.RulerImage().Height(), 10);

    forms::TDefinedPropertyWriter noAncestor;
    EXPECT_TRUE(noAncestor.Write(plain).empty());
    EXPECT_EQ(noAncestor.Write(replaced), (std::vector<std::string>{"UserImages = {02}"}));
    forms::TDefinedPropertyWriter sameAncestor(&replaced);
    EXPECT_TRUE(sameAncestor.Write(replaced).empty());
    EXPECT_EQ(sameAncestor.Write(plain), (std::vector<std::string>{"UserImages = {00}"}));
}

TEST_F(SliderFormTest, StartUpRegistersTheClassAndBothCursors) {
    EXPECT_EQ(forms::FindComponentClass("TKwSlider"), &TKwSlider::ClassInfo());
    struct Cursor {
        forms::TCursor number;
        const char* name;
        int hotX;
        int hotY;
    };
    const std::vector<Cursor> cursors = {{14000, "KW_HANDCUR", 6, 16},
                                         {14001, "KW_DRAGCUR", 15, 16}};
    for (const Cursor& c : cursors) {
        SCOPED_TRACE(c.name);
        HCURSOR registered = forms::Screen->Cursors[c.number];
        EXPECT_EQ(registered, LoadCursorA(forms::HInstance(), c.name));
        win32::cursors::CursorImage image;
        ASSERT_TRUE(win32::cursors::Describe(registered, &image));
        EXPECT_EQ(image.hotX, c.hotX);
        EXPECT_EQ(image.hotY, c.hotY);
    }
}

}  // namespace
}  // namespace slidertest
