// Mouse input becoming messages: routing to the window under the pointer or the capture
// window, WM_SETCURSOR, activation by a click, double-clicks and hit testing.
#include "UserTestSupport.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Input.h"
#include "win32/platform/WindowSystem.h"

namespace usertest {
namespace {

using win32::input::MouseButton;

class MouseInput : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        Recorder::RegisterClass("Rec");
        Recorder::RegisterClass("Dbl", CS_DBLCLKS);
        main = rec.Create("main", "Rec", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
        PumpMessages();
        rec.Clear();
    }
    Recorder rec;
    HWND main = nullptr;
};

TEST_F(MouseInput, MoveSendsHitTestAndSetCursorBeforeTheMoveInClientCoordinates) {
    win32::input::MouseMove(130, 140);
    PumpMessages();
    EXPECT_TRUE(SameSequence(rec.SeenMessages(),
                             {
                                 {"main", WM_NCHITTEST, true, 0, MAKELPARAM(130, 140)},
                                 {"main", WM_SETCURSOR, true, reinterpret_cast<WPARAM>(main),
                                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)},
                                 {"main", WM_MOUSEMOVE, true, 0, MAKELPARAM(30, 40)},
                             }));
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 130);
    EXPECT_EQ(p.y, 140);
}

TEST_F(MouseInput, CapturedButtonReleaseOutsideTheWindowStillReachesIt) {
    HWND other = rec.Create("other", "Rec", WS_POPUP | WS_VISIBLE, 400, 300, 100, 100, nullptr);
    SetActiveWindow(main);
    PumpMessages();
    rec.Ignore({WM_NCHITTEST, WM_SETCURSOR});
    rec.React(WM_LBUTTONDOWN, [](HWND hwnd, WPARAM, LPARAM, LRESULT*) {
        SetCapture(hwnd);
        return false;
    });
    rec.React(WM_LBUTTONUP, [](HWND, WPARAM, LPARAM, LRESULT*) {
        ReleaseCapture();
        return false;
    });
    rec.Clear();
    win32::input::MouseButtonDown(MouseButton::Left, 150, 150);
    win32::input::MouseMove(450, 350);  // over `other`, far outside `main`
    win32::input::MouseButtonUp(MouseButton::Left, 450, 350);
    PumpMessages();
    EXPECT_TRUE(SameSequence(rec.SeenMessages(),
                             {
                                 {"main", WM_MOUSEMOVE, true, 0, MAKELPARAM(50, 50)},
                                 {"main", WM_LBUTTONDOWN, true, MK_LBUTTON, MAKELPARAM(50, 50)},
                                 {"main", WM_MOUSEMOVE, true, MK_LBUTTON, MAKELPARAM(350, 250)},
                                 {"main", WM_LBUTTONUP, true, 0, MAKELPARAM(350, 250)},
                                 {"main", WM_CAPTURECHANGED, true, 0, 0},
                             }));
    EXPECT_EQ(GetCapture(), nullptr);
    // Without capture the next move goes to the window under the pointer again.
    rec.Clear();
    win32::input::MouseMove(460, 360);
    PumpMessages();
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {{"other", WM_MOUSEMOVE}}));
    (void)other;
}

TEST_F(MouseInput, CaptureMovesBetweenWindowsWithCaptureChanged) {
    HWND child = rec.Create("child", "Rec", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main);
    rec.Clear();
    EXPECT_EQ(SetCapture(main), nullptr);
    EXPECT_EQ(SetCapture(child), main);
    EXPECT_EQ(GetCapture(), child);
    ReleaseCapture();
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {
                                                     {"main", WM_CAPTURECHANGED, true, 0,
                                                      reinterpret_cast<LPARAM>(child)},
                                                     {"child", WM_CAPTURECHANGED, true, 0, 0},
                                                 }));
}

TEST_F(MouseInput, AClickOnAnInactiveWindowActivatesItFirst) {
    HWND other = rec.Create("other", "Rec", WS_POPUP | WS_VISIBLE, 400, 300, 100, 100, nullptr);
    ASSERT_NE(rec.Create("child", "Rec", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, other), nullptr);
    SetActiveWindow(main);
    win32::input::MouseMove(420, 320);
    PumpMessages();
    rec.Ignore({WM_NCHITTEST, WM_NCACTIVATE, WM_ACTIVATEAPP, WM_WINDOWPOSCHANGING,
                WM_WINDOWPOSCHANGED, WM_KILLFOCUS, WM_MOUSEMOVE});
    rec.Clear();
    win32::input::MouseButtonDown(MouseButton::Left, 420, 320);
    PumpMessages();
    EXPECT_TRUE(SameSequence(
        rec.SeenMessages(),
        {
            {"child", WM_MOUSEACTIVATE, true, reinterpret_cast<WPARAM>(other),
             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)},
            {"other", WM_MOUSEACTIVATE},  // the child's default asks its parent
            {"main", WM_ACTIVATE, true, WA_INACTIVE, reinterpret_cast<LPARAM>(other)},
            {"other", WM_ACTIVATE, true, WA_CLICKACTIVE, reinterpret_cast<LPARAM>(main)},
            {"other", WM_SETFOCUS},
            {"child", WM_SETCURSOR},
            {"other", WM_SETCURSOR},  // the child's default asks its parent first
            {"child", WM_LBUTTONDOWN, true, MK_LBUTTON, MAKELPARAM(10, 10)},
        }));
    EXPECT_EQ(GetActiveWindow(), other);
}

TEST_F(MouseInput, DoubleClicksNeedTheClassStyleAndASecondPressCloseInTimeAndPlace) {
    struct Case {
        const char* what;
        const char* cls;
        DWORD gapMs;
        int dx;
        int dy;
        UINT second;
    } cases[] = {
        {"quick, same place", "Dbl", 100, 0, 0, WM_LBUTTONDBLCLK},
        {"at the time limit", "Dbl", 500, 0, 0, WM_LBUTTONDBLCLK},
        {"too slow", "Dbl", 501, 0, 0, WM_LBUTTONDOWN},
        {"4 pixels away", "Dbl", 100, 4, -4, WM_LBUTTONDBLCLK},
        {"5 pixels away", "Dbl", 100, 5, 0, WM_LBUTTONDOWN},
        {"class without CS_DBLCLKS", "Rec", 100, 0, 0, WM_LBUTTONDOWN},
    };
    for (const Case& c : cases) {
        win32::windowsystem::Reset();
        Recorder::RegisterClass("Rec");
        Recorder::RegisterClass("Dbl", CS_DBLCLKS);
        HWND w = rec.Create("w", c.cls, WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
        ASSERT_NE(w, nullptr);
        PumpMessages();
        rec.Clear();
        win32::input::MouseButtonDown(MouseButton::Left, 50, 50);
        win32::input::MouseButtonUp(MouseButton::Left, 50, 50);
        win32::clock::AdvanceVirtual(c.gapMs);
        win32::input::MouseButtonDown(MouseButton::Left, 50 + c.dx, 50 + c.dy);
        win32::input::MouseButtonUp(MouseButton::Left, 50 + c.dx, 50 + c.dy);
        PumpMessages();
        std::vector<UINT> buttons;
        for (const Seen& s : rec.SeenMessages()) {
            if (s.message >= WM_LBUTTONDOWN && s.message <= WM_LBUTTONDBLCLK)
                buttons.push_back(s.message);
        }
        EXPECT_EQ(buttons,
                  (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, c.second, WM_LBUTTONUP}))
            << c.what;
    }
}

TEST_F(MouseInput, AThirdQuickPressStartsANewClick) {
    win32::windowsystem::Reset();
    Recorder::RegisterClass("Dbl", CS_DBLCLKS);
    rec.Create("w", "Dbl", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    PumpMessages();
    rec.Clear();
    for (int i = 0; i < 4; ++i) {
        win32::input::MouseButtonDown(MouseButton::Right, 10, 10);
        win32::input::MouseButtonUp(MouseButton::Right, 10, 10);
    }
    PumpMessages();
    std::vector<UINT> presses;
    for (const Seen& s : rec.SeenMessages()) {
        if (s.message == WM_RBUTTONDOWN || s.message == WM_RBUTTONDBLCLK)
            presses.push_back(s.message);
    }
    EXPECT_EQ(presses, (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_RBUTTONDOWN,
                                          WM_RBUTTONDBLCLK}));
}

TEST_F(MouseInput, HitTestingFindsTheFrontMostEnabledShownWindow) {
    // main (100,100)-(300,200) holds: front (10,10 50x50), back below it (20,20 50x50),
    // hidden (100,10 50x50), disabled (100,60 50x30), glass (150,10 40x40, HTTRANSPARENT)
    // over `under` (150,10 40x40).
    HWND front = rec.Create("front", "Rec", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, main);
    HWND back = rec.Create("back", "Rec", WS_CHILD | WS_VISIBLE, 20, 20, 50, 50, main);
    HWND hidden = rec.Create("hidden", "Rec", WS_CHILD, 100, 10, 50, 50, main);
    HWND disabled =
        rec.Create("disabled", "Rec", WS_CHILD | WS_VISIBLE | WS_DISABLED, 100, 60, 50, 30, main);
    HWND glass = rec.Create("glass", "Rec", WS_CHILD | WS_VISIBLE, 150, 10, 40, 40, main);
    HWND under = rec.Create("under", "Rec", WS_CHILD | WS_VISIBLE, 150, 10, 40, 40, main);
    HWND inner = rec.Create("inner", "Rec", WS_CHILD | WS_VISIBLE, 5, 5, 10, 10, back);
    rec.React(WM_NCHITTEST, [&](HWND hwnd, WPARAM, LPARAM, LRESULT* result) {
        if (hwnd != glass)
            return false;
        *result = HTTRANSPARENT;
        return true;
    });
    struct Case {
        POINT screen;
        HWND expected;
    } cases[] = {
        {{115, 115}, front},  // front only
        {{135, 135}, front},  // front lies above back
        {{165, 165}, back},   // back only
        {{126, 126}, front},  // inner's place, but front covers it
        {{126, 180}, main},   // below every child
        {{205, 115}, main},   // the hidden child does not count
        {{205, 165}, main},   // a disabled child leaves the point to its parent
        {{255, 115}, under},  // glass lets the point through
        {{99, 99}, nullptr},  // outside every window
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindowFromPoint(c.screen), c.expected) << c.screen.x << "," << c.screen.y;
    (void)hidden;
    (void)disabled;
    (void)inner;
    EXPECT_EQ(ChildWindowFromPoint(main, POINT{105, 15}), hidden);  // hidden ones count here
    EXPECT_EQ(ChildWindowFromPoint(main, POINT{5, 95}), main);
    EXPECT_EQ(ChildWindowFromPoint(main, POINT{-1, 5}), nullptr);

    // A disabled top-level window is found, and input over it is dropped.
    EnableWindow(main, FALSE);
    EXPECT_EQ(WindowFromPoint(POINT{115, 115}), main);
    rec.Clear();
    win32::input::MouseButtonDown(MouseButton::Left, 116, 116);
    PumpMessages();
    EXPECT_TRUE(rec.Of(WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(rec.Of(WM_MOUSEMOVE).empty());
    ASSERT_EQ(rec.Of(WM_SETCURSOR).size(), 2u);
    EXPECT_EQ(LOWORD(rec.Of(WM_SETCURSOR)[0].lParam), static_cast<WORD>(HTERROR));
}

TEST_F(MouseInput, DefaultSetCursorShowsTheClassCursorAndTellsTheHost) {
    ScriptedHost host;
    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr);
    win32::windowsystem::Reset();
    Recorder::RegisterClass("Hand", 0, nullptr, hand);
    rec.Create("w", "Hand", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    PumpMessages();
    win32::input::MouseMove(10, 10);
    PumpMessages();
    EXPECT_EQ(GetCursor(), hand);
    ASSERT_FALSE(host.cursors.empty());
    EXPECT_EQ(host.cursors.back(), hand);
    std::size_t told = host.cursors.size();
    win32::input::MouseMove(11, 10);
    PumpMessages();
    EXPECT_EQ(host.cursors.size(), told);  // the same shape again is not news
}

TEST_F(MouseInput, MovesNotYetTakenMergeIntoTheLatestPosition) {
    for (int x = 110; x < 200; x += 10)
        win32::input::MouseMove(x, 150);
    rec.Ignore({WM_NCHITTEST, WM_SETCURSOR});
    PumpMessages();
    EXPECT_TRUE(
        SameSequence(rec.SeenMessages(), {{"main", WM_MOUSEMOVE, true, 0, MAKELPARAM(90, 50)}}));
}

}  // namespace
}  // namespace usertest
