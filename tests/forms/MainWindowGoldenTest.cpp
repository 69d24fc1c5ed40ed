// A form shaped like the runner's main window, read from its form resource and shown headless:
// a 640 x 480 picture, a transparent hot spot, and a panel with a label and a custom-painted
// control. The screen must match the golden picture pixel for pixel.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "forms/Application.h"
#include "forms/ClassBuilder.h"
#include "forms/CustomControl.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Panel.h"
#include "forms/Picture.h"
#include "forms/Screen.h"
#include "support/Golden.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Input.h"

namespace formstest {
namespace {

using namespace forms;

// A small custom-painted control: a sunken groove drawn with lines, tick marks, a thumb
// picture with a see-through background (from inline picture data) and a focus rectangle.
class TTestDial : public TCustomControl {
  public:
    explicit TTestDial(TComponent* owner)
        : TCustomControl(owner), thumb_(std::make_unique<TPicture>()) {
        SetControlStyle(ControlStyle() + csOpaque + csCaptureMouse);
        SetBounds(0, 0, 100, 30);
        thumb_->OnChange = [this](TObject*) { Invalidate(); };
    }

    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassBuilder<TTestDial>::Define(
            "TTestDial", &TCustomControl::ClassInfo(), [](TClassBuilder<TTestDial>& c) {
                c.Object("Thumb", &TTestDial::Thumb);
                c.Integer("Position", &TTestDial::SetPosition);
            });
        return info;
    }
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TPicture* Thumb() const { return thumb_.get(); }
    void SetPosition(int position) {
        position_ = position;
        Invalidate();
    }

  protected:
    void Paint() override {
        TCanvas& canvas = *Canvas();
        RECT client = ClientRect();
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(client);
        canvas.Pen()->SetColor(clBtnShadow);
        canvas.MoveTo(6, 10);
        canvas.LineTo(client.right - 6, 10);
        canvas.Pen()->SetColor(clBtnHighlight);
        canvas.MoveTo(6, 13);
        canvas.LineTo(client.right - 6, 13);
        canvas.Pen()->SetColor(clWindowText);
        for (int x = 10; x < client.right - 6; x += 13) {
            canvas.MoveTo(x, 20);
            canvas.LineTo(x, x == 10 ? 25 : 23);
        }
        if (TBitmap* thumb = thumb_->Graphic()) {
            thumb->SetTransparent(true);
            canvas.Draw(position_, 4, thumb);
        }
        canvas.DrawFocusRect(RECT{2, 2, client.right - 2, client.bottom - 2});
    }

  private:
    std::unique_ptr<TPicture> thumb_;
    int position_ = 6;
};

class TGoldenWin : public TForm {
  public:
    explicit TGoldenWin(TComponent* owner) : TForm(owner) {}

    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassBuilder<TGoldenWin>::Define(
            "TGoldenWin", &TForm::ClassInfo(), [](TClassBuilder<TGoldenWin>& c) {
                c.Field("Image1", &TGoldenWin::Image1);
                c.Field("Image2", &TGoldenWin::Image2);
                c.Field("Panel1", &TGoldenWin::Panel1);
                c.Field("Label1", &TGoldenWin::Label1);
                c.Field("Dial1", &TGoldenWin::Dial1);
                c.Method("FormShow", &TGoldenWin::FormShow);
                c.Method("Image2Click", &TGoldenWin::Image2Click);
            });
        return info;
    }
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    void FormShow(TObject*) {
        ++shows;
        SetLeft(0);
        SetTop(0);
    }
    void Image2Click(TObject*) {
        ++clicks;
        Close();
    }

    TImage* Image1 = nullptr;
    TImage* Image2 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TTestDial* Dial1 = nullptr;
    int shows = 0;
    int clicks = 0;
};

// 640 x 480, 8 bits per pixel with a 256-colour table: a grey console on black with a black
// screen opening, a power plate and a darker slot plate.
std::vector<BYTE> BackgroundDib() {
    std::vector<std::uint32_t> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[i] = static_cast<std::uint32_t>(i << 16 | i << 8 | i);
    palette[1] = 0x3050A0;  // a blue for the pad
    std::vector<std::uint32_t> pixels(640 * 480, 0);
    auto fill = [&](int left, int top, int right, int bottom, std::uint32_t index) {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x)
                pixels[static_cast<std::size_t>(y) * 640 + x] = index;
        }
    };
    fill(20, 2, 619, 413, 230);   // the console
    fill(158, 94, 481, 335, 0);   // the screen opening
    fill(428, 16, 480, 36, 160);  // the power plate
    fill(200, 7, 419, 36, 120);   // the slot plate
    fill(60, 150, 110, 170, 1);   // the pad, across
    fill(75, 135, 95, 185, 1);    // the pad, down
    for (int x = 0; x < 640; x += 8)
        fill(x, 440, x + 3, 443, static_cast<std::uint32_t>(x * 255 / 640));
    return MakeDib(640, 480, 8, palette, pixels);
}

// A 9 x 9 thumb, 4 bits per pixel: magenta ground (the bottom-left pixel), a white tab with a
// dark edge.
std::string ThumbHex() {
    std::vector<std::uint32_t> pixels(81, 0);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            int inset = y < 5 ? 0 : y - 4;
            bool inside = x >= inset && x <= 8 - inset;
            bool edge = inside && (x == inset || x == 8 - inset || y == 0);
            pixels[static_cast<std::size_t>(y) * 9 + x] = !inside ? 0 : edge ? 2 : 1;
        }
    }
    std::vector<BYTE> dib = MakeDib(9, 9, 4, {0xFF00FF, 0xFFFFFF, 0x404040}, pixels);
    std::string hex;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < dib.size(); ++i) {
        if (i % 32 == 0)
            hex += "\n        ";
        hex += kDigits[dib[i] >> 4];
        hex += kDigits[dib[i] & 15];
    }
    return hex;
}

std::string GoldenWinText() {
    return "object GoldenWin: TGoldenWin\n"
           "  Left = 504\n"
           "  Top = 327\n"
           "  BorderIcons = []\n"
           "  BorderStyle = bsNone\n"
           "  Caption = 'Nuvik '#49892#54665#44592\n"
           "  ClientHeight = 480\n"
           "  ClientWidth = 640\n"
           "  Color = clMenu\n"
           "  Font.Charset = DEFAULT_CHARSET\n"
           "  Font.Color = clWindowText\n"
           "  Font.Height = -11\n"
           "  Font.Name = 'MS Sans Serif'\n"
           "  Font.Style = []\n"
           "  FormStyle = fsStayOnTop\n"
           "  OnShow = FormShow\n"
           "  PixelsPerInch = 96\n"
           "  TextHeight = 13\n"
           "  object Image1: TImage\n"
           "    Left = 0\n"
           "    Top = 0\n"
           "    Width = 640\n"
           "    Height = 480\n"
           "    Picture.Data = {resource:GOLDEN_BACKGROUND}\n"
           "  end\n"
           "  object Image2: TImage\n"
           "    Left = 428\n"
           "    Top = 16\n"
           "    Width = 53\n"
           "    Height = 21\n"
           "    Cursor = crHandPoint\n"
           "    OnClick = Image2Click\n"
           "  end\n"
           "  object Panel1: TPanel\n"
           "    Left = 4\n"
           "    Top = 428\n"
           "    Width = 633\n"
           "    Height = 49\n"
           "    BevelOuter = bvNone\n"
           "    Font.Charset = HANGEUL_CHARSET\n"
           "    Font.Color = clWindowText\n"
           "    Font.Height = -13\n"
           "    Font.Name = #44404#47548\n"
           "    Font.Style = []\n"
           "    ParentFont = False\n"
           "    TabOrder = 0\n"
           "    object Label1: TLabel\n"
           "      Left = 8\n"
           "      Top = 16\n"
           "      Width = 39\n"
           "      Height = 13\n"
           "      Caption = #54532#47112#51076\n"
           "    end\n"
           "    object Dial1: TTestDial\n"
           "      Left = 48\n"
           "      Top = 8\n"
           "      Width = 89\n"
           "      Height = 28\n"
           "      Cursor = crHandPoint\n"
           "      TabOrder = 0\n"
           "      TabStop = False\n"
           "      Position = 40\n"
           "      Thumb.Data = {" +
           ThumbHex() +
           "}\n"
           "    end\n"
           "  end\n"
           "end\n";
}

class MainWindowGoldenTest : public FormsTest {
  protected:
    void SetUp() override {
        FormsTest::SetUp();
        RegisterComponentClass(TTestDial::ClassInfo());
        RegisterResource(RT_BITMAP, "GOLDEN_BACKGROUND", BackgroundDib());
        RegisterResource(RT_RCDATA, "TGoldenWin", GoldenWinText());
    }
};

TEST_F(MainWindowGoldenTest, TheFormReadFromItsResourceLooksRight) {
    TGoldenWin* win = nullptr;
    Application->CreateForm(win);
    ASSERT_NE(win->Dial1, nullptr);
    EXPECT_EQ(win->Label1->Parent(), win->Panel1);
    EXPECT_EQ(win->Dial1->Parent(), win->Panel1);
    EXPECT_EQ(win->Dial1->Color(), win->Panel1->Color());  // the dial takes the panel's colour
    EXPECT_EQ(win->Panel1->Color(), clBtnFace);

    win->Show();
    Application->ProcessMessages();
    win->Dial1->SetFocus();
    Application->ProcessMessages();

    EXPECT_EQ(win->shows, 1);
    EXPECT_EQ(win->Left(), 0);
    EXPECT_EQ(win->ClientWidth(), 640);
    EXPECT_EQ(win->ClientHeight(), 480);
    EXPECT_TRUE(GetWindowLongA(win->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongA(win->Handle(), GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(nuvik::testing::MatchesGolden(win32::Framebuffer::Instance().Buffer(),
                                              "forms/main_window.png"));
}

TEST_F(MainWindowGoldenTest, TheHotSpotOnThePowerPlateClosesTheWindow) {
    TestHost host;
    TGoldenWin* win = nullptr;
    Application->CreateForm(win);
    host.At(20, [] { Click(POINT{300, 300}); });  // the screen opening: nothing happens
    host.At(40, [] { Click(POINT{428, 16}); });   // the plate's corner
    Application->Run();
    EXPECT_EQ(win->clicks, 1);
    EXPECT_GE(timeGetTime(), 40u);
    EXPECT_FALSE(host.gaveUp);
}

}  // namespace
}  // namespace formstest
