#include "user/KeyTable.h"

#include <array>

#include "win32/constants.h"

namespace win32::user {

namespace {

struct Keys {
    std::array<bool, 256> down{};
    std::array<bool, 256> toggled{};
};

Keys& TheKeys(KeyView view) {
    static Keys async, sync;
    return view == KeyView::Async ? async : sync;
}

int Slot(int virtualKey) {
    switch (virtualKey) {
        case VK_SHIFT:
            return VK_LSHIFT;
        case VK_CONTROL:
            return VK_LCONTROL;
        case VK_MENU:
            return VK_LMENU;
        default:
            return virtualKey;
    }
}

bool Valid(int virtualKey) {
    return virtualKey > 0 && virtualKey < 256;
}

}  // namespace

bool RecordKey(KeyView view, int virtualKey, bool down) {
    if (!Valid(virtualKey))
        return false;
    Keys& keys = TheKeys(view);
    int slot = Slot(virtualKey);
    bool wasDown = keys.down[static_cast<std::size_t>(slot)];
    keys.down[static_cast<std::size_t>(slot)] = down;
    if (down && !wasDown) {
        keys.toggled[static_cast<std::size_t>(slot)] =
            !keys.toggled[static_cast<std::size_t>(slot)];
        int generic = MessageKey(virtualKey);
        if (generic != slot)
            keys.toggled[static_cast<std::size_t>(generic)] =
                !keys.toggled[static_cast<std::size_t>(generic)];
    }
    return wasDown;
}

bool KeyIsDown(KeyView view, int virtualKey) {
    if (!Valid(virtualKey))
        return false;
    const Keys& keys = TheKeys(view);
    switch (virtualKey) {
        case VK_SHIFT:
            return keys.down[VK_LSHIFT] || keys.down[VK_RSHIFT];
        case VK_CONTROL:
            return keys.down[VK_LCONTROL] || keys.down[VK_RCONTROL];
        case VK_MENU:
            return keys.down[VK_LMENU] || keys.down[VK_RMENU];
        default:
            return keys.down[static_cast<std::size_t>(virtualKey)];
    }
}

bool KeyIsToggled(KeyView view, int virtualKey) {
    return Valid(virtualKey) && TheKeys(view).toggled[static_cast<std::size_t>(virtualKey)];
}

int MessageKey(int virtualKey) {
    switch (virtualKey) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return virtualKey;
    }
}

UINT ScanCodeOf(int virtualKey) {
    // Set-1 scan codes of a US keyboard, as Windows reports them in bits 16-23.
    static constexpr char kLetterRows[] = "QWERTYUIOP\0\0\0\0ASDFGHJKL\0\0\0\0\0ZXCVBNM";
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        for (UINT i = 0; i < sizeof kLetterRows; ++i) {
            if (kLetterRows[i] == virtualKey)
                return 0x10 + i;
        }
    }
    if (virtualKey >= '1' && virtualKey <= '9')
        return 0x02 + static_cast<UINT>(virtualKey - '1');
    if (virtualKey >= VK_F1 && virtualKey <= VK_F10)
        return 0x3B + static_cast<UINT>(virtualKey - VK_F1);
    switch (virtualKey) {
        case '0':
            return 0x0B;
        case VK_ESCAPE:
            return 0x01;
        case VK_BACK:
            return 0x0E;
        case VK_TAB:
            return 0x0F;
        case VK_RETURN:
            return 0x1C;
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL:
            return 0x1D;
        case VK_SHIFT:
        case VK_LSHIFT:
            return 0x2A;
        case VK_RSHIFT:
            return 0x36;
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU:
            return 0x38;
        case VK_SPACE:
            return 0x39;
        case VK_CAPITAL:
            return 0x3A;
        case VK_F11:
            return 0x57;
        case VK_F12:
            return 0x58;
        case VK_HOME:
            return 0x47;
        case VK_UP:
            return 0x48;
        case VK_PRIOR:
            return 0x49;
        case VK_LEFT:
            return 0x4B;
        case VK_RIGHT:
            return 0x4D;
        case VK_END:
            return 0x4F;
        case VK_DOWN:
            return 0x50;
        case VK_NEXT:
            return 0x51;
        case VK_INSERT:
            return 0x52;
        case VK_DELETE:
            return 0x53;
        default:
            return 0;
    }
}

bool IsExtendedKey(int virtualKey) {
    switch (virtualKey) {
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_DIVIDE:
        case VK_NUMLOCK:
        case VK_SNAPSHOT:
        case VK_LWIN:
        case VK_RWIN:
        case VK_APPS:
            return true;
        default:
            return false;
    }
}

int CharacterOf(int virtualKey) {
    bool shift = KeyIsDown(KeyView::Sync, VK_SHIFT);
    bool control = KeyIsDown(KeyView::Sync, VK_CONTROL);
    if (control && KeyIsDown(KeyView::Sync, VK_MENU))
        return 0;  // Ctrl+Alt types nothing on this layout
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        if (control)
            return virtualKey - 'A' + 1;
        bool upper = shift != KeyIsToggled(KeyView::Sync, VK_CAPITAL);
        return upper ? virtualKey : virtualKey - 'A' + 'a';
    }
    if (control)
        return 0;
    if (virtualKey >= '0' && virtualKey <= '9') {
        static constexpr char kShiftedDigits[] = ")!@#$%^&*(";
        return shift ? kShiftedDigits[virtualKey - '0'] : virtualKey;
    }
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD0 + 9)
        return '0' + (virtualKey - VK_NUMPAD0);
    struct Punctuation {
        int key;
        char plain;
        char shifted;
    };
    static constexpr Punctuation kPunctuation[] = {
        {0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'},  {0xBD, '-', '_'},
        {0xBE, '.', '>'},  {0xBF, '/', '?'}, {0xC0, '`', '~'},  {0xDB, '[', '{'},
        {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
    };
    for (const Punctuation& p : kPunctuation) {
        if (p.key == virtualKey)
            return shift ? p.shifted : p.plain;
    }
    switch (virtualKey) {
        case VK_SPACE:
            return ' ';
        case VK_RETURN:
            return '\r';
        case VK_ESCAPE:
            return 0x1B;
        case VK_BACK:
            return 0x08;
        case VK_TAB:
            return '\t';
        case VK_MULTIPLY:
            return '*';
        case VK_ADD:
            return '+';
        case VK_SUBTRACT:
            return '-';
        case VK_DECIMAL:
            return '.';
        case VK_DIVIDE:
            return '/';
        default:
            return 0;
    }
}

void ResetKeys() {
    TheKeys(KeyView::Async) = Keys{};
    TheKeys(KeyView::Sync) = Keys{};
}

}  // namespace win32::user
