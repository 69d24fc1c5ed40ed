// Keyboard focus and key input: focus changes, keys to the focus window, system keys,
// characters, and the key table behind GetAsyncKeyState and GetKeyState.
#include "UserTestSupport.h"
#include "win32/platform/Input.h"

namespace usertest {
namespace {

class KeyboardFocus : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        Recorder::RegisterClass("Rec");
        main = rec.Create("main", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
        a = rec.Create("a", "Rec", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, main);
        b = rec.Create("b", "Rec", WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, main);
        PumpMessages();
        rec.Clear();
    }

    std::vector<Seen> KeysSeen() {
        PumpMessages();
        std::vector<Seen> keys;
        for (const Seen& s : rec.SeenMessages()) {
            if (s.message >= WM_KEYFIRST && s.message <= WM_KEYLAST)
                keys.push_back(s);
        }
        rec.Clear();
        return keys;
    }

    Recorder rec;
    HWND main = nullptr, a = nullptr, b = nullptr;
};

TEST_F(KeyboardFocus, FocusChangeKillsTheOldFocusBeforeSettingTheNew) {
    HWND focusDuringKill = nullptr;
    rec.React(WM_KILLFOCUS, [&](HWND, WPARAM, LPARAM, LRESULT*) {
        focusDuringKill = GetFocus();
        return false;
    });
    EXPECT_EQ(SetFocus(a), main);
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(SetFocus(b), b);  // no change, no messages
    EXPECT_TRUE(SameSequence(rec.SeenMessages(),
                             {
                                 {"main", WM_KILLFOCUS, true, reinterpret_cast<WPARAM>(a), 0},
                                 {"a", WM_SETFOCUS, true, reinterpret_cast<WPARAM>(main), 0},
                                 {"a", WM_KILLFOCUS, true, reinterpret_cast<WPARAM>(b), 0},
                                 {"b", WM_SETFOCUS, true, reinterpret_cast<WPARAM>(a), 0},
                             }));
    EXPECT_EQ(focusDuringKill, b);
    EXPECT_EQ(GetFocus(), b);
}

TEST_F(KeyboardFocus, DisabledAndMinimisedWindowsCannotTakeTheFocus) {
    SetFocus(a);
    EnableWindow(b, FALSE);
    EXPECT_EQ(SetFocus(b), nullptr);
    EXPECT_EQ(GetFocus(), a);
    EnableWindow(b, TRUE);
    ShowWindow(main, SW_MINIMIZE);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(SetFocus(b), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(KeyboardFocus, DisablingOrHidingTheFocusWindowTakesTheFocusAway) {
    SetFocus(a);
    rec.Clear();
    EnableWindow(a, FALSE);
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {
                                                     {"a", WM_CANCELMODE},
                                                     {"a", WM_KILLFOCUS, true, 0, 0},
                                                     {"a", WM_ENABLE, true, FALSE, 0},
                                                 }));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(a));
    SetFocus(b);
    ShowWindow(b, SW_HIDE);
    EXPECT_EQ(GetFocus(), main);  // a hidden window's focus goes to its parent
}

TEST_F(KeyboardFocus, KeysGoToTheFocusWindowAndTranslateToCharacters) {
    SetFocus(b);
    rec.Clear();
    win32::input::KeyDown('A');
    win32::input::KeyDown('A');  // auto-repeat
    win32::input::KeyUp('A');
    win32::input::KeyDown(VK_SHIFT);
    win32::input::KeyDown('2');
    win32::input::KeyUp('2');
    win32::input::KeyUp(VK_SHIFT);
    EXPECT_TRUE(SameSequence(KeysSeen(),
                             {
                                 {"b", WM_KEYDOWN, true, 'A', 0x001E0001},
                                 {"b", WM_CHAR, true, 'a', 0x001E0001},
                                 {"b", WM_KEYDOWN, true, 'A', 0x401E0001},
                                 {"b", WM_CHAR, true, 'a', 0x401E0001},
                                 {"b", WM_KEYUP, true, 'A', static_cast<LPARAM>(0xC01E0001u)},
                                 {"b", WM_KEYDOWN, true, VK_SHIFT, 0x002A0001},
                                 {"b", WM_KEYDOWN, true, '2', 0x00030001},
                                 {"b", WM_CHAR, true, '@', 0x00030001},
                                 {"b", WM_KEYUP, true, '2', static_cast<LPARAM>(0xC0030001u)},
                                 {"b", WM_KEYUP, true, VK_SHIFT, static_cast<LPARAM>(0xC02A0001u)},
                             }));
}

TEST_F(KeyboardFocus, AltAndF10MakeSystemKeysUnlessCtrlIsHeld) {
    SetFocus(a);
    rec.Clear();
    struct Case {
        std::vector<std::pair<int, bool>> keys;  // (key, down)
        std::vector<UINT> messages;
    } cases[] = {
        {{{VK_MENU, true}, {'X', true}, {'X', false}, {VK_MENU, false}},
         {WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_SYSKEYUP}},
        {{{VK_CONTROL, true},
          {VK_MENU, true},
          {'X', true},
          {'X', false},
          {VK_MENU, false},
          {VK_CONTROL, false}},
         {WM_KEYDOWN, WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP, WM_KEYUP, WM_KEYUP}},
        {{{VK_F10, true}, {VK_F10, false}}, {WM_SYSKEYDOWN, WM_SYSKEYUP}},
        {{{VK_LEFT, true}, {VK_LEFT, false}}, {WM_KEYDOWN, WM_KEYUP}},
    };
    for (const Case& c : cases) {
        for (auto [key, down] : c.keys) {
            if (down)
                win32::input::KeyDown(key);
            else
                win32::input::KeyUp(key);
        }
        std::vector<UINT> messages;
        for (const Seen& s : KeysSeen())
            messages.push_back(s.message);
        EXPECT_EQ(messages, c.messages) << "first key " << c.keys.front().first;
    }
    // Alt+X carries the context bit (29); Left carries the extended-key bit (24).
    win32::input::KeyDown(VK_MENU);
    win32::input::KeyDown('X');
    win32::input::KeyDown(VK_LEFT);
    auto seen = KeysSeen();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_TRUE(seen[1].lParam & (1 << 29));
    EXPECT_TRUE(seen[3].lParam & (1 << 24));
}

TEST_F(KeyboardFocus, WithoutFocusTheActiveWindowHearsKeysAsSystemKeys) {
    SetFocus(nullptr);
    EXPECT_EQ(GetActiveWindow(), main);
    win32::input::KeyDown(VK_RETURN);
    win32::input::KeyUp(VK_RETURN);
    EXPECT_TRUE(SameSequence(KeysSeen(), {{"main", WM_SYSKEYDOWN, true, VK_RETURN, 0x1C0001},
                                          {"main", WM_SYSCHAR, true, '\r', 0x1C0001},
                                          {"main", WM_SYSKEYUP}}));
}

TEST_F(KeyboardFocus, AsyncStateFollowsTheHostAndKeyStateTheMessagesTaken) {
    struct Case {
        int pressed;
        int queried;
        bool down;
    } cases[] = {
        {VK_ESCAPE, VK_ESCAPE, true},
        {VK_RSHIFT, VK_SHIFT, true},
        {VK_LCONTROL, VK_CONTROL, true},
        {VK_RMENU, VK_MENU, true},
        {VK_SHIFT, VK_LSHIFT, true},
        {VK_RSHIFT, VK_LSHIFT, false},
        {'0', '0', true},
        {'0', '9', false},
    };
    for (const Case& c : cases) {
        win32::input::KeyDown(c.pressed);
        // The async state changes as soon as the host reports the key ...
        EXPECT_EQ((GetAsyncKeyState(c.queried) & 0x8000) != 0, c.down)
            << c.pressed << " -> " << c.queried;
        EXPECT_GE(GetKeyState(c.queried), 0);
        // ... GetKeyState once its message has been taken from the queue.
        PumpMessages();
        EXPECT_EQ(GetKeyState(c.queried) < 0, c.down) << c.pressed << " -> " << c.queried;
        win32::input::KeyUp(c.pressed);
        EXPECT_EQ(GetAsyncKeyState(c.queried), 0);
        PumpMessages();
        EXPECT_GE(GetKeyState(c.queried), 0);
    }
    // The toggle bit of GetKeyState flips with every press.
    for (int expected : {1, 0}) {
        win32::input::KeyDown(VK_CAPITAL);
        win32::input::KeyUp(VK_CAPITAL);
        PumpMessages();
        EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, expected);
    }
    // Buttons live in the same table.
    win32::input::MouseButtonDown(win32::input::MouseButton::Left, 5, 5);
    EXPECT_NE(GetAsyncKeyState(VK_LBUTTON) & 0x8000, 0);
    win32::input::MouseButtonUp(win32::input::MouseButton::Left, 5, 5);
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
}

TEST_F(KeyboardFocus, InputResetForgetsKeysPointerFocusAndQueuedInput) {
    SetFocus(a);
    win32::input::KeyDown(VK_SPACE);
    win32::input::MouseMove(30, 30);
    win32::input::Reset();
    EXPECT_EQ(GetAsyncKeyState(VK_SPACE), 0);
    EXPECT_EQ(GetFocus(), nullptr);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(PumpMessages(), 0);
}

}  // namespace
}  // namespace usertest
