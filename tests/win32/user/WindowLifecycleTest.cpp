// Creating, showing and destroying windows: the messages each step sends, in order.
#include "UserTestSupport.h"
#include "win32/platform/WindowSystem.h"

namespace usertest {
namespace {

class WindowLifecycle : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        Recorder::RegisterClass("Rec");
    }
    Recorder rec;
};

TEST_F(WindowLifecycle, CreatingAVisibleTopLevelWindowCreatesShowsActivatesAndFocusesIt) {
    HWND main = rec.Create("main", "Rec", WS_POPUP | WS_VISIBLE, 10, 20, 200, 100);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(SameSequence(rec.SeenMessages(),
                             {
                                 {"main", WM_NCCREATE},
                                 {"main", WM_NCCALCSIZE},
                                 {"main", WM_CREATE},
                                 {"main", WM_SIZE, true, SIZE_RESTORED, MAKELPARAM(200, 100)},
                                 {"main", WM_MOVE, true, 0, MAKELPARAM(10, 20)},
                                 {"main", WM_SHOWWINDOW, true, TRUE, 0},
                                 {"main", WM_WINDOWPOSCHANGING},
                                 {"main", WM_ACTIVATEAPP, true, TRUE, 0},
                                 {"main", WM_NCACTIVATE, true, TRUE, 0},
                                 {"main", WM_ACTIVATE, true, WA_ACTIVE, 0},
                                 {"main", WM_SETFOCUS, true, 0, 0},
                                 {"main", WM_WINDOWPOSCHANGED},
                             }));
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(win32::windowsystem::MainWindow(), main);

    // The first paint erases with the class brush from inside BeginPaint.
    rec.Clear();
    PumpMessages();
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {{"main", WM_PAINT}, {"main", WM_ERASEBKGND}}));
}

TEST_F(WindowLifecycle, ShowingAHiddenWindowLaterGivesTheSameShowSequence) {
    HWND main = rec.Create("main", "Rec", WS_POPUP, 0, 0, 50, 50);
    rec.Clear();
    EXPECT_FALSE(ShowWindow(main, SW_SHOW));  // it was hidden
    EXPECT_EQ(rec.SeenMessages().front().message, static_cast<UINT>(WM_SHOWWINDOW));
    EXPECT_EQ(rec.SeenMessages().back().message, static_cast<UINT>(WM_WINDOWPOSCHANGED));
    rec.Clear();
    EXPECT_TRUE(ShowWindow(main, SW_SHOW));  // already shown: nothing happens
    EXPECT_TRUE(rec.SeenMessages().empty());
}

TEST_F(WindowLifecycle, DestroyingAParentSendsDestroyParentFirstAndNcDestroyChildrenFirst) {
    HWND main = rec.Create("main", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    HWND child = rec.Create("child", "Rec", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, main);
    HWND grandchild = rec.Create("grandchild", "Rec", WS_CHILD | WS_VISIBLE, 1, 1, 5, 5, child);
    PumpMessages();
    rec.Clear();
    ASSERT_TRUE(DestroyWindow(main));
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {
                                                     {"main", WM_WINDOWPOSCHANGING},
                                                     {"main", WM_WINDOWPOSCHANGED},
                                                     {"main", WM_KILLFOCUS, true, 0, 0},
                                                     {"main", WM_NCACTIVATE, true, FALSE, 0},
                                                     {"main", WM_ACTIVATE, true, WA_INACTIVE, 0},
                                                     {"main", WM_ACTIVATEAPP, true, FALSE, 0},
                                                     {"main", WM_DESTROY},
                                                     {"child", WM_DESTROY},
                                                     {"grandchild", WM_DESTROY},
                                                     {"grandchild", WM_NCDESTROY},
                                                     {"child", WM_NCDESTROY},
                                                     {"main", WM_NCDESTROY},
                                                 }));
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_FALSE(DestroyWindow(main));  // a stale handle stays invalid
}

TEST_F(WindowLifecycle, AChildDestroyedAloneIsHiddenFirstAndGivesTheFocusToItsParent) {
    HWND main = rec.Create("main", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    HWND child = rec.Create("child", "Rec", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, main);
    SetFocus(child);
    rec.Clear();
    DestroyWindow(child);
    EXPECT_TRUE(SameSequence(rec.SeenMessages(),
                             {
                                 {"main", WM_PARENTNOTIFY, true, MAKEWPARAM(WM_DESTROY, 0),
                                  reinterpret_cast<LPARAM>(child)},
                                 {"child", WM_SHOWWINDOW, true, FALSE, 0},
                                 {"child", WM_WINDOWPOSCHANGING},
                                 {"child", WM_WINDOWPOSCHANGED},
                                 {"child", WM_KILLFOCUS},
                                 {"main", WM_SETFOCUS},
                                 {"child", WM_DESTROY},
                                 {"child", WM_NCDESTROY},
                             }));
    EXPECT_EQ(GetFocus(), main);
}

TEST_F(WindowLifecycle, CreationFailsWhenNcCreateOrCreateRefuses) {
    struct Case {
        UINT refusing;
        LRESULT answer;
        std::vector<Step> expected;
    } cases[] = {
        {WM_NCCREATE, FALSE, {{"w", WM_NCCREATE}, {"w", WM_NCDESTROY}}},
        {WM_CREATE,
         -1,
         {{"w", WM_NCCREATE},
          {"w", WM_NCCALCSIZE},
          {"w", WM_CREATE},
          {"w", WM_DESTROY},
          {"w", WM_NCDESTROY}}},
    };
    for (const Case& c : cases) {
        rec.Clear();
        rec.React(c.refusing, [&](HWND, WPARAM, LPARAM, LRESULT* result) {
            *result = c.answer;
            return true;
        });
        EXPECT_EQ(rec.Create("w", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10), nullptr);
        EXPECT_TRUE(SameSequence(rec.SeenMessages(), c.expected)) << MessageName(c.refusing);
        rec.React(c.refusing, [](HWND, WPARAM, LPARAM, LRESULT*) { return false; });
    }
    EXPECT_EQ(win32::windowsystem::MainWindow(), nullptr);
}

TEST_F(WindowLifecycle, CreateStructCarriesTheArgumentsAndTheTextIsKept) {
    int param = 7;
    CREATESTRUCTA seen{};
    rec.React(WM_CREATE, [&](HWND, WPARAM, LPARAM lParam, LRESULT*) {
        seen = *reinterpret_cast<CREATESTRUCTA*>(lParam);
        return false;
    });
    HWND w = CreateWindowExA(WS_EX_TOPMOST, "Rec", "title", WS_POPUP, 3, 4, 30, 40, nullptr,
                             nullptr, nullptr, &param);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(seen.lpCreateParams, &param);
    EXPECT_EQ(seen.x, 3);
    EXPECT_EQ(seen.y, 4);
    EXPECT_EQ(seen.cx, 30);
    EXPECT_EQ(seen.cy, 40);
    EXPECT_EQ(seen.dwExStyle, static_cast<DWORD>(WS_EX_TOPMOST));
    char text[16];
    EXPECT_EQ(GetWindowTextA(w, text, sizeof text), 5);
    EXPECT_STREQ(text, "title");
    SetWindowTextA(w, "a much longer title");
    EXPECT_EQ(GetWindowTextA(w, text, 7), 6);  // cut to the buffer, terminated
    EXPECT_STREQ(text, "a much");
    EXPECT_EQ(GetWindowTextLengthA(w), 19);
}

TEST_F(WindowLifecycle, WindowLongsReadAndReplaceTheirFields) {
    HWND main = rec.Create("main", "Rec", WS_POPUP, 0, 0, 10, 10);
    HWND child = CreateWindowExA(0, "Rec", "", WS_CHILD, 0, 0, 5, 5, main,
                                 reinterpret_cast<HMENU>(42), nullptr, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_ID), 42);
    EXPECT_EQ(GetWindowLongPtrA(child, GWL_STYLE), static_cast<LONG>(WS_CHILD));
    EXPECT_EQ(GetWindowLongPtrA(main, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(Recorder::Proc));
    EXPECT_EQ(SetWindowLongPtrA(main, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(GetWindowLongPtrA(main, GWLP_USERDATA), 1234);
    EXPECT_EQ(GetParent(child), main);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(main));

    // Subclassing: the new procedure sees messages first and passes them on.
    static WNDPROC previous = nullptr;
    static int subclassed = 0;
    auto sub = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        ++subclassed;
        return CallWindowProcA(previous, h, m, w, l);
    };
    previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+sub)));
    EXPECT_EQ(previous, Recorder::Proc);
    rec.Clear();
    SendMessageA(main, WM_USER, 1, 2);
    EXPECT_EQ(subclassed, 1);
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {{"main", WM_USER, true, 1, 2}}));
}

TEST_F(WindowLifecycle, GeometryMapsBetweenClientAndScreen) {
    HWND main = rec.Create("main", "Rec", WS_POPUP, 100, 50, 300, 200);
    HWND child = rec.Create("child", "Rec", WS_CHILD, 20, 30, 100, 80, main);
    RECT r;
    GetClientRect(child, &r);
    EXPECT_EQ(r.right, 100);
    EXPECT_EQ(r.bottom, 80);
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 80);
    POINT p{5, 6};
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 125);
    EXPECT_EQ(p.y, 86);
    ScreenToClient(main, &p);
    EXPECT_EQ(p.x, 25);
    EXPECT_EQ(p.y, 36);
    POINT pts[2] = {{0, 0}, {1, 1}};
    MapWindowPoints(child, nullptr, pts, 2);
    EXPECT_EQ(pts[1].x, 121);
    EXPECT_EQ(pts[1].y, 81);

    rec.Clear();
    MoveWindow(child, 40, 30, 10, 80, TRUE);
    EXPECT_TRUE(SameSequence(rec.SeenMessages(),
                             {
                                 {"child", WM_WINDOWPOSCHANGING},
                                 {"child", WM_WINDOWPOSCHANGED},
                                 {"child", WM_MOVE, true, 0, MAKELPARAM(40, 30)},
                                 {"child", WM_SIZE, true, SIZE_RESTORED, MAKELPARAM(10, 80)},
                             }));
}

}  // namespace
}  // namespace usertest
