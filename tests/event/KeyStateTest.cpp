#include "event/KeyState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "win32/platform/Input.h"

namespace {

class KeyStateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        win32::input::Reset();
        std::memset(&KeyState, 0, sizeof KeyState);
        KeyState.Construct();
    }
    void TearDown() override { win32::input::Reset(); }

    static MSG Message(UINT id) {
        MSG message{};
        message.message = id;
        return message;
    }
    static void Update(UINT id) {
        MSG message = Message(id);
        KeyState.Update(&message);
    }
};

TEST_F(KeyStateTest, EachSlotFollowsItsOwnKeyInTheDocumentedOrder) {
    const int keys[nuvik::kKeySlotCount] = {
        VK_LEFT,  VK_UP, VK_RIGHT, VK_DOWN, VK_ESCAPE, VK_CONTROL, VK_MENU, VK_RETURN, VK_SPACE,
        VK_SHIFT, VK_F1, VK_F2,    VK_F10,  'C',       'X',        'Z',     '1',       '2',
        '3',      '4',   '5',      '6',     '7',       '8',        '9',     '0'};
    for (int slot = 0; slot < nuvik::kKeySlotCount; ++slot) {
        win32::input::KeyDown(keys[slot]);
        KeyState.Update(nullptr);
        for (int other = 0; other < nuvik::kKeySlotCount; ++other) {
            EXPECT_EQ(KeyState.held[other], other == slot ? 1 : 0) << "key " << keys[slot];
        }
        win32::input::KeyUp(keys[slot]);
        KeyState.Update(nullptr);
        EXPECT_EQ(KeyState.released[slot], 1) << "key " << keys[slot];
        KeyState.Update(nullptr);
        EXPECT_EQ(KeyState.released[slot], 0) << "key " << keys[slot];
    }
}

TEST_F(KeyStateTest, HeldReleasedAndIdleCountAcrossUpdates) {
    const int escape = 4;
    KeyState.idleCount = 77;  // only a poll that finds a key down clears it
    KeyState.Update(nullptr);
    EXPECT_EQ(KeyState.idleCount, 77u);

    win32::input::KeyDown(VK_ESCAPE);
    for (int i = 0; i < 3; ++i) {
        KeyState.idleCount = 5;
        Update(WM_TIMER);
        EXPECT_EQ(KeyState.held[escape], 1);
        EXPECT_EQ(KeyState.released[escape], 0);
        EXPECT_EQ(KeyState.idleCount, 0u);
    }
    win32::input::KeyUp(VK_ESCAPE);
    Update(WM_PAINT);
    EXPECT_EQ(KeyState.held[escape], 0);
    EXPECT_EQ(KeyState.released[escape], 1);
    Update(WM_PAINT);
    EXPECT_EQ(KeyState.released[escape], 0);
}

TEST_F(KeyStateTest, APressAndReleaseBetweenTwoUpdatesIsNeverSeen) {
    KeyState.Update(nullptr);
    win32::input::KeyDown('Z');
    win32::input::KeyUp('Z');
    KeyState.Update(nullptr);
    EXPECT_EQ(KeyState.held[15], 0);
    EXPECT_EQ(KeyState.released[15], 0);
}

int queriesOfC = 0;

TEST_F(KeyStateTest, AKeyThatGoesDownBetweenTheTwoQueriesLeavesTheSlotForTheNextPoll) {
    win32::input::KeyDown('C');
    KeyState.Update(nullptr);
    win32::input::KeyUp('C');
    // The first query finds C up; it is down again by the second.
    queriesOfC = 0;
    win32::input::SetAsyncKeyQueryObserver([](int key) {
        if (key == 'C' && ++queriesOfC == 1)
            win32::input::KeyDown('C');
    });
    KeyState.Update(nullptr);
    win32::input::SetAsyncKeyQueryObserver(nullptr);
    EXPECT_EQ(queriesOfC, 2);
    EXPECT_EQ(KeyState.held[13], 1);
    EXPECT_EQ(KeyState.released[13], 0);
    // Without the quick press the same poll reports the release, after two queries for an up key.
    win32::input::KeyUp('C');
    queriesOfC = 0;
    win32::input::SetAsyncKeyQueryObserver([](int key) {
        if (key == 'C')
            ++queriesOfC;
    });
    KeyState.Update(nullptr);
    win32::input::SetAsyncKeyQueryObserver(nullptr);
    EXPECT_EQ(queriesOfC, 2);
    EXPECT_EQ(KeyState.held[13], 0);
    EXPECT_EQ(KeyState.released[13], 1);
}

TEST_F(KeyStateTest, MouseEventCodesFollowTheMessagesTaken) {
    struct Step {
        UINT message;
        int expected;
    };
    const std::vector<std::vector<Step>> sequences = {
        {{WM_LBUTTONDOWN, 1}, {WM_LBUTTONUP, 2}, {WM_LBUTTONDBLCLK, 3}, {WM_LBUTTONUP, 2}},
        {{WM_LBUTTONDOWN, 1}, {WM_MOUSEMOVE, 1}, {WM_MOUSEMOVE, 1}},
        {{WM_LBUTTONUP, 2}, {WM_MOUSEMOVE, 0}},
        {{WM_RBUTTONUP, 5}, {WM_MOUSEMOVE, 0}},
        {{WM_RBUTTONDOWN, 4}, {WM_MOUSEMOVE, 4}, {WM_RBUTTONDBLCLK, 6}, {WM_MOUSEMOVE, 6}},
        {{WM_LBUTTONDOWN, 1}, {WM_KEYDOWN, 0}},
        {{WM_LBUTTONDOWN, 1}, {WM_TIMER, 0}},
        {{WM_LBUTTONDOWN, 1}, {WM_PAINT, 0}},
        {{WM_LBUTTONDOWN, 1}, {WM_MBUTTONDOWN, 0}},
        {{WM_LBUTTONDOWN, 1}, {WM_MOUSEWHEEL, 0}},
        {{WM_LBUTTONDOWN, 1}, {0x1FF, 0}},
    };
    for (std::size_t s = 0; s < sequences.size(); ++s) {
        KeyState.mouseEvent = 0;
        for (const Step& step : sequences[s]) {
            Update(step.message);
            EXPECT_EQ(KeyState.mouseEvent, step.expected)
                << "sequence " << s << ", message 0x" << std::hex << step.message;
        }
    }
}

TEST_F(KeyStateTest, AMoveTakesTheCursorPositionNotTheMessageCoordinates) {
    win32::input::MouseMove(123, 45);
    MSG move = Message(WM_MOUSEMOVE);
    move.lParam = MAKELPARAM(1, 2);
    KeyState.Update(&move);
    EXPECT_EQ(KeyState.mouseX, 123);
    EXPECT_EQ(KeyState.mouseY, 45);

    win32::input::MouseMove(200, 300);
    Update(WM_LBUTTONDOWN);  // button messages leave the position
    EXPECT_EQ(KeyState.mouseX, 123);
    EXPECT_EQ(KeyState.mouseY, 45);
}

TEST_F(KeyStateTest, ANullMessagePollsKeysAndLeavesTheMouseAlone) {
    KeyState.mouseEvent = 3;
    KeyState.mouseX = 9;
    win32::input::KeyDown(VK_SPACE);
    KeyState.Update(nullptr);
    EXPECT_EQ(KeyState.held[8], 1);
    EXPECT_EQ(KeyState.mouseEvent, 3);
    EXPECT_EQ(KeyState.mouseX, 9);
}

TEST_F(KeyStateTest, EitherShiftCtrlOrAltSideCountsForItsSlot) {
    const struct {
        int key;
        int slot;
    } cases[] = {{VK_LSHIFT, 9},   {VK_RSHIFT, 9}, {VK_LCONTROL, 5},
                 {VK_RCONTROL, 5}, {VK_LMENU, 6},  {VK_RMENU, 6}};
    for (const auto& c : cases) {
        win32::input::Reset();
        std::memset(&KeyState, 0, sizeof KeyState);
        win32::input::KeyDown(c.key);
        KeyState.Update(nullptr);
        EXPECT_EQ(KeyState.held[c.slot], 1) << "key 0x" << std::hex << c.key;
    }
}

}  // namespace
