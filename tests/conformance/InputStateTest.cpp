// The state the system polls rather than receives: keys, the pointer and its shape, whether a
// window is minimized; and the calls of its idle loop and trace (WaitMessage,
// OutputDebugStringA).
#include "Conformance.h"

namespace conformance {
namespace {

class InputStateTest : public Win32Test {};

// Nobody touches the keyboard during the tests, and a posted key message is only a message:
// the key state follows the keyboard, not what the queue carries.
TEST_F(InputStateTest, APostedKeyMessageLeavesTheKeyStateAlone) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    Pump();
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_ESCAPE, VK_LEFT, static_cast<int>('Z')}) {
        SCOPED_TRACE(key);
        PostMessageA(popup, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
        Pump();
        EXPECT_EQ(GetAsyncKeyState(key) & 0x8000, 0);
        EXPECT_GE(GetKeyState(key), 0);
    }
    EXPECT_EQ(recorder.Trace({WM_KEYDOWN}).size(), 6u);
}

TEST_F(InputStateTest, GetCursorPosReportsWhereSetCursorPosPutThePointer) {
    for (POINT at : {POINT{123, 45}, POINT{0, 0}, POINT{639, 479}}) {
        ASSERT_TRUE(SetCursorPos(at.x, at.y));
        POINT where{-1, -1};
        EXPECT_TRUE(GetCursorPos(&where));
        EXPECT_EQ(where.x, at.x);
        EXPECT_EQ(where.y, at.y);
    }
    EXPECT_FALSE(GetCursorPos(nullptr));
}

TEST_F(InputStateTest, SetCursorReturnsTheShapeItReplaces) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "KW_HANDCUR");
    ASSERT_NE(arrow, nullptr);
    ASSERT_NE(cross, nullptr);
    ASSERT_NE(hand, nullptr);
    HCURSOR original = SetCursor(arrow);
    EXPECT_EQ(SetCursor(cross), arrow);
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_EQ(SetCursor(hand), cross);
    EXPECT_EQ(SetCursor(nullptr), hand);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(SetCursor(original), nullptr);
}

TEST_F(InputStateTest, IsIconicFollowsMinimizeAndRestore) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    EXPECT_FALSE(IsIconic(popup));
    ShowWindow(popup, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(popup));
    EXPECT_NE(GetWindowLongA(popup, GWL_STYLE) & WS_MINIMIZE, 0);
    ShowWindow(popup, SW_RESTORE);
    EXPECT_FALSE(IsIconic(popup));
    DestroyWindow(popup);
    EXPECT_FALSE(IsIconic(popup));
    EXPECT_FALSE(IsIconic(nullptr));
}

TEST_F(InputStateTest, WaitMessageReturnsWhenAMessageArrives) {
    Recorder recorder;
    HWND popup = recorder.Create("popup", WS_POPUP, 0, 0, 10, 10);
    Pump();
    // Already waiting: at once, and the message stays for the loop.
    PostMessageA(popup, WM_USER, 0, 0);
    EXPECT_TRUE(WaitMessage());
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, popup, WM_USER, WM_USER, PM_REMOVE));
    // Nothing waiting: it sleeps until something comes (a wake-up may come early, so it is
    // called in a loop as programs do), here the timer.
    SetTimer(popup, 1, 50, nullptr);
    DWORD start = timeGetTime();
    int waits = 0;
    while (!PeekMessageA(&message, popup, WM_TIMER, WM_TIMER, PM_REMOVE) && waits < 1000) {
        EXPECT_TRUE(WaitMessage());
        ++waits;
    }
    EXPECT_GE(timeGetTime() - start, 40u);
    EXPECT_LT(waits, 20);  // it slept rather than spun
    KillTimer(popup, 1);
}

// Without a debugger attached nothing shows; any text, none included, is taken.
TEST_F(InputStateTest, OutputDebugStringATakesAnyTextAndLeavesTheQueueAlone) {
    OutputDebugStringA("trace line\n");
    OutputDebugStringA("\xC7\xD1\xB1\xDB\n");  // CP949
    OutputDebugStringA("");
    OutputDebugStringA(nullptr);
    EXPECT_EQ(Pump(), 0);
}

}  // namespace
}  // namespace conformance
