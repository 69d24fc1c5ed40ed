// The message queue, focus, capture, timers and the modal loop of a message box.
#include "Conformance.h"

namespace conformance {
namespace {

using Trace = std::vector<std::string>;

class MessageLoopTest : public Win32Test {};

TEST_F(MessageLoopTest, PostedMessagesComeOutInOrderAndSentOnesAreAnsweredAtOnce) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 10, 10);
    recorder.Clear();
    PostMessageA(popup, WM_USER, 1, 0);
    PostMessageA(popup, WM_USER + 1, 2, 0);
    SendMessageA(popup, WM_USER + 2, 3, 0);
    EXPECT_EQ(recorder.Trace({WM_USER, WM_USER + 1, WM_USER + 2}), Trace{"popup:WM_USER+2"});
    Pump();
    EXPECT_EQ(recorder.Trace({WM_USER, WM_USER + 1, WM_USER + 2}),
              (Trace{"popup:WM_USER+2", "popup:WM_USER", "popup:WM_USER+1"}));
}

TEST_F(MessageLoopTest, PeekMessageWithoutRemoveLeavesTheMessage) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 10, 10);
    Pump();
    PostMessageA(popup, WM_USER, 7, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE));
}

TEST_F(MessageLoopTest, PeekMessageFiltersByRange) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 10, 10);
    Pump();
    PostMessageA(popup, WM_USER, 0, 0);
    PostMessageA(popup, WM_USER + 2, 0, 0);
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_USER + 1, WM_USER + 5, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 2));
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER));
}

TEST_F(MessageLoopTest, GetMessageReturnsZeroForQuitWithItsCode) {
    PostQuitMessage(42);
    MSG message{};
    EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 42u);
}

TEST_F(MessageLoopTest, SetFocusSendsKillFocusToTheOldWindowFirst) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    HWND first = recorder.Create("first", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, popup);
    HWND second = recorder.Create("second", WS_CHILD | WS_VISIBLE, 20, 0, 10, 10, popup);
    SetForegroundWindow(popup);
    SetFocus(first);
    Pump();
    recorder.Clear();
    EXPECT_EQ(SetFocus(second), first);
    EXPECT_EQ(GetFocus(), second);
    EXPECT_EQ(recorder.Trace({WM_SETFOCUS, WM_KILLFOCUS}),
              (Trace{"first:WM_KILLFOCUS", "second:WM_SETFOCUS"}));
}

TEST_F(MessageLoopTest, DestroyingTheFocusedWindowLeavesNoFocusInIt) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    HWND child = recorder.Create("child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, popup);
    SetForegroundWindow(popup);
    SetFocus(child);
    DestroyWindow(child);
    EXPECT_NE(GetFocus(), child);
}

TEST_F(MessageLoopTest, CaptureIsReplacedWithNoticeToTheWindowThatLosesIt) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    HWND first = recorder.Create("first", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, popup);
    HWND second = recorder.Create("second", WS_CHILD | WS_VISIBLE, 20, 0, 10, 10, popup);
    recorder.Clear();
    EXPECT_EQ(SetCapture(first), nullptr);
    EXPECT_EQ(GetCapture(), first);
    EXPECT_EQ(SetCapture(second), first);
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(recorder.Trace({WM_CAPTURECHANGED}),
              (Trace{"first:WM_CAPTURECHANGED", "second:WM_CAPTURECHANGED"}));
}

TEST_F(MessageLoopTest, ATimerArrivesAsWmTimerWithItsIdAndStopsWhenKilled) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 10, 10);
    EXPECT_EQ(SetTimer(popup, 5, 10, nullptr), 5u);
    MSG message{};
    DWORD start = timeGetTime();
    while (GetMessageA(&message, nullptr, 0, 0)) {
        if (message.message == WM_TIMER)
            break;
        DispatchMessageA(&message);
    }
    EXPECT_EQ(message.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(message.hwnd, popup);
    EXPECT_EQ(message.wParam, 5u);
    EXPECT_GE(timeGetTime() - start, 5u);
    EXPECT_TRUE(KillTimer(popup, 5));
    EXPECT_FALSE(KillTimer(popup, 5));
}

TEST_F(MessageLoopTest, ATimerWithoutAWindowCallsItsProcedureWhenDispatched) {
    static int calls = 0;
    calls = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR, DWORD) { ++calls; });
    ASSERT_NE(id, 0u);
    MSG message{};
    while (calls == 0 && GetMessageA(&message, nullptr, 0, 0))
        DispatchMessageA(&message);
    KillTimer(nullptr, id);
    EXPECT_EQ(calls, 1);
}

// The box's own loop keeps the program's windows served: a timer of the owner's fires while
// the box is up and closes it.
TEST_F(MessageLoopTest, AMessageBoxRunsItsOwnLoopUntilClosed) {
    Recorder recorder;
    HWND owner = recorder.Create("owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    static int ticks = 0;
    ticks = 0;
    SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        ++ticks;
        HWND box = GetActiveWindow();
        if (ticks == 3 && box != nullptr)
            PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    });
    PostMessageA(owner, WM_USER, 0, 0);
    int answer = MessageBoxA(owner, "text", "caption", MB_OK);
    EXPECT_EQ(answer, IDOK);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(recorder.Trace({WM_USER}), Trace{"owner:WM_USER"});
}

TEST_F(MessageLoopTest, DisabledWindowsTakeNoFocus) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    HWND child = recorder.Create("child", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, 10, 10, popup);
    SetForegroundWindow(popup);
    SetFocus(popup);
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_EQ(SetFocus(child), nullptr);
    EXPECT_EQ(GetFocus(), popup);
}

TEST_F(MessageLoopTest, EnableWindowSendsEnableAndReportsWhetherItWasDisabled) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 50, 50);
    recorder.Clear();
    EXPECT_FALSE(EnableWindow(popup, FALSE));
    EXPECT_TRUE(EnableWindow(popup, TRUE));
    EXPECT_EQ(recorder.Trace({WM_ENABLE}), (Trace{"popup:WM_ENABLE", "popup:WM_ENABLE"}));
}

// WM_QUIT comes once the posted messages are gone, and before a pending WM_PAINT.
TEST_F(MessageLoopTest, QuitComesAfterThePostedMessagesAndBeforePainting) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    recorder.PaintWith(popup, RGB(0, 0, 0));
    Pump();
    InvalidateRect(popup, nullptr, FALSE);
    PostMessageA(popup, WM_USER, 0, 0);
    PostQuitMessage(0);
    PostMessageA(popup, WM_USER + 1, 0, 0);
    recorder.Clear();
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0))
        DispatchMessageA(&message);
    EXPECT_EQ(recorder.Trace({WM_USER, WM_USER + 1, WM_PAINT}),
              (Trace{"popup:WM_USER", "popup:WM_USER+1"}));
    Pump();
    EXPECT_EQ(recorder.Trace({WM_USER, WM_USER + 1, WM_PAINT}),
              (Trace{"popup:WM_USER", "popup:WM_USER+1", "popup:WM_PAINT"}));
}

TEST_F(MessageLoopTest, PostingToADestroyedWindowFails) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 10, 10);
    DestroyWindow(popup);
    EXPECT_FALSE(PostMessageA(popup, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(popup, WM_USER, 0, 0), 0);
}

TEST_F(MessageLoopTest, SendingFromInsideAHandlerNestsTheCall) {
    Recorder recorder;
    HWND a = recorder.Create("a", WS_POPUP, 0, 0, 10, 10);
    HWND b = recorder.Create("b", WS_POPUP, 0, 0, 10, 10);
    static HWND forward = nullptr;
    forward = b;
    WNDPROC previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        a, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
            if (message == WM_USER)
                SendMessageA(forward, WM_USER + 1, 0, 0);
            return Recorder::Proc(window, message, w, l);
        })));
    recorder.Clear();
    SendMessageA(a, WM_USER, 0, 0);
    SetWindowLongPtrA(a, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    EXPECT_EQ(recorder.Trace({WM_USER, WM_USER + 1}), (Trace{"b:WM_USER+1", "a:WM_USER"}));
}

}  // namespace
}  // namespace conformance
