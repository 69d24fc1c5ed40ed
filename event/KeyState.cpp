#include "event/KeyState.h"

struct KeyState KeyState;

const BYTE KeyState::kSlotKeys[nuvik::kKeySlotCount] = {
    VK_LEFT,  VK_UP, VK_RIGHT, VK_DOWN, VK_ESCAPE, VK_CONTROL, VK_MENU, VK_RETURN, VK_SPACE,
    VK_SHIFT, VK_F1, VK_F2,    VK_F10,  'C',       'X',        'Z',     '1',       '2',
    '3',      '4',   '5',      '6',     '7',       '8',        '9',     '0',
};

namespace {

bool IsDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

void KeyState::Construct() {
    mouseEvent = nuvik::kMouseNone;
    ClearIdle();
}

void KeyState::Update(const MSG* message) {
    PollKeys();
    TakeMouseMessage(message);
}

void KeyState::PollKeys() {
    for (int slot = 0; slot < nuvik::kKeySlotCount; ++slot) {
        int key = kSlotKeys[slot];
        if (IsDown(key)) {
            held[slot] = 1;
            released[slot] = 0;
            ClearIdle();
            continue;
        }
        // A second look tells a key that went down between the two queries, which is left
        // for the next poll rather than reported as released.
        if (IsDown(key))
            continue;
        released[slot] = held[slot] != 0 ? 1 : 0;
        held[slot] = 0;
    }
}

void KeyState::TakeMouseMessage(const MSG* message) {
    if (message == nullptr)
        return;
    UINT code = message->message - WM_MOUSEMOVE;
    if (code > 6) {
        mouseEvent = nuvik::kMouseNone;
        return;
    }
    if (code != 0) {
        mouseEvent = static_cast<int>(code);
        return;
    }
    // A move ends a reported release but keeps a press or a double-click showing.
    if (mouseEvent == nuvik::kMouseLeftUp || mouseEvent == nuvik::kMouseRightUp)
        mouseEvent = nuvik::kMouseNone;
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    mouseX = cursor.x;
    mouseY = cursor.y;
}

void KeyState::ClearIdle() {
    idleCount = 0;
}
