// Controls at work in a shown form: keyboard focus and its notices, Tab and arrow keys, keys
// passed by reference, mouse capture and clicks, cursors from the screen's table and timers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "forms/Application.h"
#include "forms/CustomControl.h"
#include "forms/Image.h"
#include "forms/Instance.h"
#include "forms/Label.h"
#include "forms/Panel.h"
#include "forms/Screen.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Input.h"

namespace formstest {
namespace {

using namespace forms;
using win32::input::MouseButton;

std::string ShiftText(TShiftState shift) {
    std::string text;
    if (shift.Contains(ssShift))
        text += "+shift";
    if (shift.Contains(ssCtrl))
        text += "+ctrl";
    if (shift.Contains(ssLeft))
        text += "+left";
    if (shift.Contains(ssDouble))
        text += "+double";
    return text;
}

// A custom control that writes down what happens to it.
class TRecorder : public TCustomControl {
  public:
    TRecorder(TComponent* owner, const std::string& name, std::vector<std::string>& log)
        : TCustomControl(owner), log_(log) {
        SetName(name);
        OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
            Note("OnKeyDown " + std::to_string(key) + ShiftText(shift));
        };
        OnClick = [this](TObject*) { Note("click"); };
        OnDblClick = [this](TObject*) { Note("dblclick"); };
    }

    bool wantArrows = false;
    WORD consume = 0;
    std::vector<DWORD> timerTimes;
    bool hasFocus = false;

  protected:
    void CMFocusChanged(TMessage& message) override {
        auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
        hasFocus = focused == this;
        TCustomControl::CMFocusChanged(message);
    }
    void WMGetDlgCode(TMessage& message) override {
        message.Result = wantArrows ? DLGC_WANTARROWS : 0;
    }
    void KeyDown(WORD& key, TShiftState shift) override {
        Note("KeyDown " + std::to_string(key));
        if (key == consume)
            key = 0;
        TCustomControl::KeyDown(key, shift);
    }
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
        Note("down " + std::to_string(button) + ShiftText(shift) + " " + std::to_string(x) + "," +
             std::to_string(y));
        TCustomControl::MouseDown(button, shift, x, y);
    }
    void MouseMove(TShiftState shift, int x, int y) override {
        if (shift.Contains(ssLeft))
            Note("drag " + std::to_string(x) + "," + std::to_string(y));
        TCustomControl::MouseMove(shift, x, y);
    }
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override {
        Note("up " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y));
        TCustomControl::MouseUp(button, shift, x, y);
    }
    void WMTimer(TMessage& message) override {
        timerTimes.push_back(timeGetTime());
        TCustomControl::WMTimer(message);
    }

  private:
    void Note(const std::string& what) { log_.push_back(Name() + " " + what); }

    std::vector<std::string>& log_;
};

// Notes which device contexts its erase and its Paint got.
class TPaintProbe : public TCustomControl {
  public:
    explicit TPaintProbe(TComponent* owner) : TCustomControl(owner) {}

    HDC eraseDC = nullptr;
    HDC paintDC = nullptr;
    HWND paintWindow = nullptr;
    int paints = 0;

  protected:
    void WMEraseBkgnd(TMessage& message) override {
        eraseDC = reinterpret_cast<HDC>(message.WParam);
        TCustomControl::WMEraseBkgnd(message);
    }
    void Paint() override {
        ++paints;
        paintDC = Canvas()->Handle();
        paintWindow = WindowFromDC(paintDC);
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(RECT{2, 2, 8, 8});
    }
};

class ControlsTest : public FormsTest {
  protected:
    void SetUp() override {
        FormsTest::SetUp();
        form = new TForm(Application);
        form->SetName("Form");
        form->SetBorderStyle(bsNone);
        form->SetBounds(0, 0, 300, 200);
        image = new TImage(form);
        image->SetParent(form);
        image->SetBounds(10, 10, 40, 40);
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 100, 280, 90);
        a = Recorder("A", panel, 10, 10, true);
        b = Recorder("B", panel, 100, 10, false);
        c = Recorder("C", form, 100, 10, true);
        form->Show();
        Application->ProcessMessages();
        log.clear();
    }

    TRecorder* Recorder(const std::string& name, TWinControl* parent, int left, int top,
                        bool tabStop) {
        auto* recorder = new TRecorder(form, name, log);
        recorder->SetParent(parent);
        recorder->SetBounds(left, top, 60, 30);
        recorder->SetTabStop(tabStop);
        return recorder;
    }

    void Key(int key) {
        win32::input::KeyDown(key);
        win32::input::KeyUp(key);
        Application->ProcessMessages();
    }

    TWinControl* Focused() { return FindControl(GetFocus()); }

    std::vector<std::string> log;
    TForm* form = nullptr;
    TImage* image = nullptr;
    TPanel* panel = nullptr;
    TRecorder* a = nullptr;
    TRecorder* b = nullptr;
    TRecorder* c = nullptr;
};

TEST_F(ControlsTest, AControlThatIsNoTabStopTakesTheFocusWhenItAsksForIt) {
    b->SetFocus();
    EXPECT_EQ(Focused(), b);
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_TRUE(b->Focused());
    // Every control of the form heard of the change.
    EXPECT_TRUE(b->hasFocus);
    EXPECT_FALSE(a->hasFocus);
    EXPECT_FALSE(c->hasFocus);

    a->SetFocus();
    EXPECT_EQ(Focused(), a);
    EXPECT_TRUE(a->hasFocus);
    EXPECT_FALSE(b->hasFocus);

    // The form itself takes it back: no control is active any more.
    form->SetFocus();
    EXPECT_EQ(Focused(), form);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_FALSE(a->hasFocus);
}

TEST_F(ControlsTest, AControlThatCannotTakeTheFocusRefuses) {
    b->SetEnabled(false);
    EXPECT_FALSE(b->CanFocus());
    EXPECT_THROW(b->SetFocus(), EInvalidOperation);
    panel->SetVisible(false);
    EXPECT_FALSE(a->CanFocus());
    EXPECT_THROW(a->SetFocus(), EInvalidOperation);
    EXPECT_TRUE(c->CanFocus());
}

TEST_F(ControlsTest, TabMovesThroughTheTabStopsInTabOrder) {
    a->SetFocus();
    struct Step {
        int key;
        bool shift;
        TWinControl* expected;
    };
    const std::vector<Step> steps = {
        {VK_TAB, false, c},  // B is no tab stop, the panel neither
        {VK_TAB, false, a},  // round again
        {VK_TAB, true, c},   // Shift+Tab goes back
        {VK_TAB, true, a},
    };
    for (const Step& step : steps) {
        if (step.shift)
            win32::input::KeyDown(VK_SHIFT);
        Key(step.key);
        if (step.shift)
            win32::input::KeyUp(VK_SHIFT);
        Application->ProcessMessages();
        EXPECT_EQ(Focused(), step.expected) << Focused()->Name();
    }
    c->SetTabOrder(0);  // now before the panel
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(panel->TabOrder(), 1);
    b->SetTabStop(true);
    a->SetFocus();
    Key(VK_TAB);
    EXPECT_EQ(Focused(), b);
    Key(VK_TAB);
    EXPECT_EQ(Focused(), c);
}

TEST_F(ControlsTest, ArrowKeysReachAControlThatAsksForThemAndMoveTheFocusOtherwise) {
    a->wantArrows = true;
    a->SetFocus();
    log.clear();
    Key(VK_RIGHT);
    EXPECT_EQ(Focused(), a);
    EXPECT_EQ(log, (std::vector<std::string>{"A KeyDown 39", "A OnKeyDown 39"}));

    b->SetFocus();
    log.clear();
    Key(VK_RIGHT);  // B lets arrows move the focus, to its sibling, tab stop or not
    EXPECT_EQ(log, (std::vector<std::string>{"B KeyDown 39", "B OnKeyDown 39"}));
    EXPECT_EQ(Focused(), a);
}

TEST_F(ControlsTest, KeysArePassedByReferenceWithTheShiftState) {
    a->consume = VK_HOME;
    a->SetFocus();
    log.clear();
    Key(VK_HOME);
    Key(VK_END);
    win32::input::KeyDown(VK_SHIFT);
    Key(VK_END);
    win32::input::KeyUp(VK_SHIFT);
    Application->ProcessMessages();
    EXPECT_EQ(log,
              (std::vector<std::string>{"A KeyDown 36", "A OnKeyDown 0", "A KeyDown 35",
                                        "A OnKeyDown 35", "A KeyDown 16", "A OnKeyDown 16+shift",
                                        "A KeyDown 35", "A OnKeyDown 35+shift"}));

    // A form that previews keys sees them first and may take them.
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("Form " + std::to_string(key));
        if (key == VK_END)
            key = 0;
    };
    log.clear();
    Key(VK_END);
    Key(VK_PRIOR);
    EXPECT_EQ(log,
              (std::vector<std::string>{"Form 35", "Form 33", "A KeyDown 33", "A OnKeyDown 33"}));
}

TEST_F(ControlsTest, APressCapturesTheMouseUntilTheRelease) {
    POINT inside = OnScreen(a->Handle(), 5, 6);
    POINT outside = OnScreen(a->Handle(), 80, -20);
    win32::input::MouseMove(inside.x, inside.y);
    win32::input::MouseButtonDown(MouseButton::Left, inside.x, inside.y);
    win32::input::MouseMove(outside.x, outside.y);
    win32::input::MouseButtonUp(MouseButton::Left, outside.x, outside.y);
    Application->ProcessMessages();
    // Released outside: no click, but every message came to A.
    EXPECT_EQ(log,
              (std::vector<std::string>{"A down 0+left 5,6", "A drag 80,-20", "A up 0 80,-20"}));
    EXPECT_EQ(GetCapture(), nullptr);

    log.clear();
    win32::clock::AdvanceVirtual(2000);  // long enough not to make a double-click
    Click(inside);
    Application->ProcessMessages();
    EXPECT_EQ(log, (std::vector<std::string>{"A down 0+left 5,6", "A click", "A up 0 5,6"}));
}

TEST_F(ControlsTest, AWindowlessControlCapturesThroughItsParent) {
    std::vector<std::string> clicks;
    image->OnClick = [&](TObject*) { clicks.push_back("image"); };
    image->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        clicks.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    POINT inside = OnScreen(form->Handle(), 20, 20);
    POINT outside = OnScreen(form->Handle(), 120, 70);
    win32::input::MouseButtonDown(MouseButton::Left, inside.x, inside.y);
    win32::input::MouseButtonUp(MouseButton::Left, outside.x, outside.y);
    Application->ProcessMessages();
    EXPECT_EQ(clicks, (std::vector<std::string>{"up 110,60"}));
    clicks.clear();
    win32::clock::AdvanceVirtual(2000);
    Click(inside);
    Application->ProcessMessages();
    EXPECT_EQ(clicks, (std::vector<std::string>{"image", "up 10,10"}));
}

TEST_F(ControlsTest, TheSecondPressOfADoubleClickCarriesDouble) {
    POINT inside = OnScreen(a->Handle(), 3, 4);
    Click(inside);
    Click(inside);
    Application->ProcessMessages();
    EXPECT_EQ(log,
              (std::vector<std::string>{"A down 0+left 3,4", "A click", "A up 0 3,4", "A dblclick",
                                        "A down 0+left+double 3,4", "A up 0 3,4"}));
}

TEST_F(ControlsTest, TheCursorComesFromTheScreensTableByTheControlsNumber) {
    RegisterResource(RT_GROUP_CURSOR, "FORMS_TEST_CURSOR", MakeCursorFile(3, 4));
    HCURSOR custom = LoadCursorA(HInstance(), "FORMS_TEST_CURSOR");
    ASSERT_NE(custom, nullptr);
    Screen->Cursors[14000] = custom;
    image->SetCursor(14000);
    panel->SetCursor(crHandPoint);
    b->SetCursor(14001);  // a number nobody registered: the default

    struct Spot {
        const char* what;
        HWND window;
        int x;
        int y;
        HCURSOR expected;
    };
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    const std::vector<Spot> spots = {
        {"the picture", form->Handle(), 30, 30, custom},
        {"the bare form", form->Handle(), 200, 50, arrow},
        {"the panel", panel->Handle(), 200, 60, hand},
        {"A, on the panel", a->Handle(), 5, 5, arrow},
        {"B, unregistered number", b->Handle(), 5, 5, arrow},
        {"the picture again", form->Handle(), 11, 11, custom},
    };
    for (const Spot& spot : spots) {
        SCOPED_TRACE(spot.what);
        POINT at = OnScreen(spot.window, spot.x, spot.y);
        win32::input::MouseMove(at.x, at.y);
        Application->ProcessMessages();
        EXPECT_EQ(GetCursor(), spot.expected);
    }

    // The screen's own cursor overrides every control's.
    Screen->SetCursor(crHourGlass);
    Application->ProcessMessages();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    Screen->SetCursor(crDefault);
    Application->ProcessMessages();
    EXPECT_EQ(GetCursor(), custom);
    Screen->Cursors[14000] = nullptr;
    EXPECT_EQ(static_cast<HCURSOR>(Screen->Cursors[14000]), arrow);
}

TEST_F(ControlsTest, ABufferedControlPaintsOffScreenAndCopiesTheResultInOneGo) {
    struct Case {
        bool buffered;
        bool paintsOnTheWindow;
    };
    for (Case run : {Case{false, true}, Case{true, false}}) {
        SCOPED_TRACE(run.buffered);
        auto* probe = new TPaintProbe(form);
        probe->SetParent(form);
        probe->SetBounds(200, 20, 10, 10);
        probe->SetColor(clBlue);
        probe->SetDoubleBuffered(run.buffered);
        Application->ProcessMessages();
        ASSERT_GE(probe->paints, 1);
        EXPECT_EQ(probe->paintWindow == probe->Handle(), run.paintsOnTheWindow);
        if (run.buffered) {
            EXPECT_EQ(probe->eraseDC, probe->paintDC);  // both went to the off-screen picture
        }
        const auto& screen = win32::Framebuffer::Instance().Buffer();
        POINT corner = OnScreen(probe->Handle(), 0, 0);
        auto at = [&](int x, int y) {
            return win32::UnpackColor(screen.format,
                                      win32::ReadPixel(screen, corner.x + x, corner.y + y));
        };
        EXPECT_EQ(at(0, 0), RGB(0, 0, 255));  // the erased background
        EXPECT_EQ(at(5, 5), RGB(255, 0, 0));  // what Paint drew
        EXPECT_EQ(at(9, 9), RGB(0, 0, 255));
        delete probe;
    }
}

TEST_F(ControlsTest, AlignedChildrenShareThePanelInsideItsBevelsAndBorder) {
    panel->SetBevelOuter(bvRaised);
    panel->SetBorderWidth(2);
    a->SetAlign(alTop);
    b->SetAlign(alClient);
    c->SetParent(panel);
    c->SetAlign(alLeft);
    struct Expected {
        TControl* control;
        RECT bounds;
    };
    // 280 x 90 with a 1-pixel bevel and a 2-pixel border: (3, 3) to (277, 87).
    for (const Expected& e : {Expected{a, {3, 3, 277, 33}}, Expected{c, {3, 33, 63, 87}},
                              Expected{b, {63, 33, 277, 87}}}) {
        SCOPED_TRACE(e.control->Name());
        RECT bounds = e.control->BoundsRect();
        EXPECT_EQ(bounds.left, e.bounds.left);
        EXPECT_EQ(bounds.top, e.bounds.top);
        EXPECT_EQ(bounds.right, e.bounds.right);
        EXPECT_EQ(bounds.bottom, e.bounds.bottom);
    }
    // A size change of the panel lays them out again.
    panel->SetBounds(10, 100, 200, 60);
    EXPECT_EQ(b->BoundsRect().right, 197);
    EXPECT_EQ(b->BoundsRect().bottom, 57);
    EXPECT_EQ(c->BoundsRect().bottom, 57);
}

TEST_F(ControlsTest, ALabelKeepsItselfAsLargeAsItsText) {
    auto* label = new TLabel(form);
    label->SetParent(panel);
    label->SetBounds(100, 50, 5, 5);
    label->SetCaption("Frame");
    int shortWidth = label->Width();
    EXPECT_GT(shortWidth, 5);
    EXPECT_GT(label->Height(), 5);
    label->SetAlignment(taRightJustify);
    int right = label->Left() + label->Width();
    label->SetCaption("Frames per second");
    EXPECT_GT(label->Width(), shortWidth);
    EXPECT_EQ(label->Left() + label->Width(), right);  // right-justified: the right edge stays
    label->SetAutoSize(false);
    label->SetCaption("F");
    EXPECT_GT(label->Width(), shortWidth);
}

TEST_F(ControlsTest, ATimersMessagesArriveAtItsPeriod) {
    TestHost host;
    DWORD start = timeGetTime();
    ASSERT_NE(SetTimer(a->Handle(), 1, 400, nullptr), 0u);
    Application->OnIdle = [&](TObject*, bool& done) {
        done = false;
        if (a->timerTimes.size() == 3) {
            KillTimer(a->Handle(), 1);
            Application->Terminate();
        }
    };
    Application->Run();
    EXPECT_EQ(a->timerTimes, (std::vector<DWORD>{start + 400, start + 800, start + 1200}));
    EXPECT_FALSE(host.gaveUp);
}

}  // namespace
}  // namespace formstest
