// The message queue, focus, capture, timers and the modal loop of a message box.
#include <memory>

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

// Key messages become characters only through TranslateMessage, which posts the WM_CHAR after
// the key message; keys that type nothing post nothing.
TEST_F(MessageLoopTest, TranslateMessagePostsTheCharacterOfAKey) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 10, 10);
    Pump();
    struct Case {
        WPARAM key;
        WPARAM character;  // 0: none
    } cases[] = {{'A', 'a'},        {'7', '7'},   {VK_SPACE, ' '}, {VK_RETURN, '\r'},
                 {VK_ESCAPE, 0x1B}, {VK_LEFT, 0}, {VK_F1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        MSG key{popup, WM_KEYDOWN, c.key, 1, 0, {0, 0}};
        EXPECT_TRUE(TranslateMessage(&key));
        MSG posted{};
        bool typed = PeekMessageA(&posted, popup, WM_CHAR, WM_CHAR, PM_REMOVE) != FALSE;
        EXPECT_EQ(typed, c.character != 0);
        if (typed) {
            EXPECT_EQ(posted.wParam, c.character);
        }
    }
    MSG mouse{popup, WM_LBUTTONDOWN, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(TranslateMessage(&mouse));
}

// A close request for the owner (the window manager's WM_CLOSE) arriving while a box is up is
// the owner's to handle: the box's loop hands it on although the owner is disabled. Whatever
// the owner then does ends the box. Should the request be lost, a timer answers the box after
// two seconds and the cases fail instead of hanging.
class CloseDuringMessageBoxTest : public MessageLoopTest {
  protected:
    void SetUp() override {
        MessageLoopTest::SetUp();
        recorder_ = std::make_unique<Recorder>();
        owner_ = recorder_->Create("owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
        Pump();
        recorder_->Clear();
        rescue_ = SetTimer(nullptr, 0, 2000, [](HWND, UINT, UINT_PTR, DWORD) {
            if (HWND box = GetActiveWindow())
                PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
        });
    }
    void TearDown() override {
        KillTimer(nullptr, rescue_);
        recorder_.reset();
        MessageLoopTest::TearDown();
    }

    std::unique_ptr<Recorder> recorder_;  // made once the window system is fresh
    HWND owner_ = nullptr;
    UINT_PTR rescue_ = 0;
};

// The default answer to WM_CLOSE destroys the owner and the box it owns with it; the box then
// answers 0, as for any box destroyed from outside.
TEST_F(CloseDuringMessageBoxTest, TheDefaultCloseDestroysTheOwnerAndTheBox) {
    PostMessageA(owner_, WM_CLOSE, 0, 0);
    EXPECT_EQ(MessageBoxA(owner_, "text", "caption", MB_OK), 0);
    EXPECT_FALSE(IsWindow(owner_));
    EXPECT_EQ(recorder_->Trace({WM_CLOSE, WM_DESTROY}),
              (Trace{"owner:WM_CLOSE", "owner:WM_DESTROY"}));
}

// An owner that ends the program on WM_CLOSE (PostQuitMessage, as the system's main form does)
// ends the box by that quit: the box answers as if OK were pressed, and the quit is posted again
// for the loop outside.
TEST_F(CloseDuringMessageBoxTest, AQuitFromTheOwnersCloseEndsTheBoxAndReachesTheOuterLoop) {
    WNDPROC previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        owner_, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
            if (message == WM_CLOSE) {
                Recorder::Proc(window, WM_USER, 0, 0);  // seen, not passed on
                PostQuitMessage(7);
                return 0;
            }
            return Recorder::Proc(window, message, w, l);
        })));
    PostMessageA(owner_, WM_CLOSE, 0, 0);
    EXPECT_EQ(MessageBoxA(owner_, "text", "caption", MB_OK), IDOK);
    SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    EXPECT_EQ(recorder_->Trace({WM_USER}), Trace{"owner:WM_USER"});
    EXPECT_TRUE(IsWindow(owner_));
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT)
        DispatchMessageA(&message);
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}

// Our box enables the application again however it ends, a quit included.
TEST_F(CloseDuringMessageBoxTest, AfterAQuitEndedTheBoxTheOwnerIsEnabledAgain) {
    NUVIK_WINE_DEPARTURE("Wine leaves the owner disabled when a quit ends the box");
    PostQuitMessage(3);
    EXPECT_EQ(MessageBoxA(owner_, "text", "caption", MB_OK), IDOK);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    Pump();
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
