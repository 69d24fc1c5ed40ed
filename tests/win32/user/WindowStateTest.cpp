// Minimising, restoring and closing the main window (also at the host's request), enabling,
// and the stacking of windows.
#include "UserTestSupport.h"
#include "win32/platform/Input.h"
#include "win32/platform/WindowSystem.h"

namespace usertest {
namespace {

class WindowState : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        Recorder::RegisterClass("Rec");
        main = rec.Create("main", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                          WS_EX_TOPMOST);
        PumpMessages();
        rec.Clear();
    }
    Recorder rec;
    HWND main = nullptr;
};

TEST_F(WindowState, HostMinimiseAndRestoreActOnTheMainWindow) {
    rec.Ignore(
        {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATEAPP, WM_ERASEBKGND});
    win32::input::RequestMinimize();
    EXPECT_TRUE(IsIconic(main));
    EXPECT_TRUE(win32::input::AnyTopLevelIconic());
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(PumpMessages(), 0);  // a minimised window does not paint
    win32::input::RequestRestore();
    EXPECT_FALSE(IsIconic(main));
    EXPECT_FALSE(win32::input::AnyTopLevelIconic());
    PumpMessages();
    EXPECT_TRUE(SameSequence(rec.SeenMessages(),
                             {
                                 {"main", WM_SIZE, true, SIZE_MINIMIZED, 0},
                                 {"main", WM_ACTIVATE, true, MAKEWPARAM(WA_INACTIVE, 1), 0},
                                 {"main", WM_KILLFOCUS},
                                 {"main", WM_ACTIVATE, true, WA_ACTIVE, 0},
                                 {"main", WM_SETFOCUS},
                                 {"main", WM_SIZE, true, SIZE_RESTORED, MAKELPARAM(640, 480)},
                                 {"main", WM_PAINT},
                             }));
    EXPECT_EQ(GetFocus(), main);
}

TEST_F(WindowState, SystemCommandsMinimiseRestoreAndClose) {
    SendMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(main));
    SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(main));
    rec.Clear();
    rec.Ignore({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCACTIVATE, WM_ACTIVATEAPP,
                WM_ACTIVATE, WM_KILLFOCUS});
    SendMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {{"main", WM_SYSCOMMAND},
                                                  {"main", WM_CLOSE},
                                                  {"main", WM_DESTROY},
                                                  {"main", WM_NCDESTROY}}));
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(WindowState, HostCloseRequestIsPostedToTheFirstTopLevelWindowStillAlive) {
    HWND second = rec.Create("second", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    win32::input::RequestClose();
    PumpMessages();
    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(win32::windowsystem::MainWindow(), second);
    win32::input::RequestClose();
    PumpMessages();
    EXPECT_FALSE(IsWindow(second));
    win32::input::RequestClose();  // nobody left: nothing happens
    EXPECT_EQ(PumpMessages(), 0);
}

TEST_F(WindowState, TopMostWindowsStayAboveTheOthers) {
    HWND plain = rec.Create("plain", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND high =
        rec.Create("high", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, WS_EX_TOPMOST);
    EXPECT_EQ(GetTopWindow(nullptr), high);
    EXPECT_EQ(GetWindow(high, GW_HWNDNEXT), main);
    EXPECT_EQ(GetWindow(main, GW_HWNDNEXT), plain);
    EXPECT_EQ(WindowFromPoint(POINT{50, 50}), high);
    // Activating the plain window brings it to the top of its own band only.
    SetActiveWindow(plain);
    EXPECT_EQ(GetWindow(plain, GW_HWNDPREV), main);
    SetWindowPos(plain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetTopWindow(nullptr), plain);
    EXPECT_TRUE(GetWindowLongPtrA(plain, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(plain, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(main, GW_HWNDNEXT), plain);
}

TEST_F(WindowState, ChildrenStackInCreationOrderWithTheFirstOnTop) {
    HWND first = rec.Create("first", "Rec", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, main);
    HWND second = rec.Create("second", "Rec", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, main);
    EXPECT_EQ(GetWindow(main, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), first);
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(WindowFromPoint(POINT{10, 10}), second);
    EXPECT_EQ(GetAncestor(second, GA_ROOT), main);
    EXPECT_TRUE(IsChild(main, second));
    EXPECT_FALSE(IsChild(second, main));
}

TEST_F(WindowState, EnablingSendsEnableOnlyOnAChange) {
    EXPECT_FALSE(EnableWindow(main, TRUE));  // was not disabled
    EXPECT_TRUE(rec.SeenMessages().empty());
    EXPECT_FALSE(EnableWindow(main, FALSE));
    EXPECT_TRUE(EnableWindow(main, FALSE));  // already disabled: no messages
    EXPECT_TRUE(EnableWindow(main, TRUE));
    std::vector<Seen> enables = rec.Of(WM_ENABLE);
    ASSERT_EQ(enables.size(), 2u);
    EXPECT_EQ(enables[0].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_EQ(enables[1].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(rec.Of(WM_CANCELMODE).size(), 1u);
}

TEST_F(WindowState, ResetForgetsWindowsClassesAndTheQuitRequest) {
    PostQuitMessage(1);
    SetTimer(main, 1, 10, nullptr);
    win32::windowsystem::Reset();
    EXPECT_FALSE(IsWindow(main));
    EXPECT_EQ(win32::windowsystem::MainWindow(), nullptr);
    WNDCLASSA cls;
    EXPECT_FALSE(GetClassInfoA(nullptr, "Rec", &cls));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowState, ClassesRegisterOnceAndUnregisterOnlyWithoutWindows) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = Recorder::Proc;
    cls.lpszClassName = "rec";  // names compare without case
    EXPECT_EQ(RegisterClassA(&cls), 0);
    EXPECT_FALSE(UnregisterClassA("Rec", nullptr));
    DestroyWindow(main);
    EXPECT_TRUE(UnregisterClassA("Rec", nullptr));
    EXPECT_EQ(
        CreateWindowExA(0, "Rec", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(
        CreateWindowExA(0, "Unknown", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    ATOM atom = RegisterClassA(&cls);
    ASSERT_NE(atom, 0);
    EXPECT_NE(CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    // A child window needs a parent.
    EXPECT_EQ(
        CreateWindowExA(0, "rec", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
}

}  // namespace
}  // namespace usertest
