// Input viewer: what a program reads from the key record, live. Every one of the 26 key
// slots with its held and released flags, and the mouse position and last mouse event. Hold
// Escape for two seconds to quit (a short press shows in its slot like any other key).
#include <nuvik/sdk.h>

#include <cstdint>

namespace {

// The palette made from 256 zero colours is the grey ramp: index j is grey j % 32 of 31.
constexpr std::uint8_t kBackground = 27;
constexpr std::uint8_t kIdleCell = 31;
constexpr std::uint8_t kHeldCell = 14;
constexpr std::uint8_t kReleasedCell = 22;
constexpr std::uint8_t kText = 0;

// Where the console's 320 x 240 screen lies in the 640 x 480 display the mouse is read in.
constexpr int kScreenLeft = 160;
constexpr int kScreenTop = 95;

constexpr std::uint32_t kQuitHoldMs = 2000;

const char* const kSlotNames[kKeySlotCount] = {
    "Left",  "Up", "Right", "Down", "Esc", "Ctrl", "Alt", "Enter", "Space",
    "Shift", "F1", "F2",    "F10",  "C",   "X",    "Z",   "1",     "2",
    "3",     "4",  "5",     "6",    "7",   "8",    "9",   "0",
};

const char* const kMouseEventNames[] = {
    "none", "left down", "left up", "left double", "right down", "right up", "right double",
};

SurfaceDesc screen;
SurfaceDesc work;
std::uint16_t greys[256];
std::uint32_t lastFrameTick = 0;
std::uint32_t escapeDownSince = 0;
bool escapeWasHeld = false;

void DrawSlot(int slot) {
    constexpr int kCellWidth = 78;
    constexpr int kCellHeight = 21;
    const int x = 3 + (slot % 4) * (kCellWidth + 2);
    const int y = 22 + (slot / 4) * (kCellHeight + 2);
    std::uint8_t fill = kIdleCell;
    if (KeyState.held[slot])
        fill = kHeldCell;
    else if (KeyState.released[slot])
        fill = kReleasedCell;
    FillBox(&work, x, y, kCellWidth, kCellHeight, fill);
    char text[32];
    FormatText(text, "%s %d%d", kSlotNames[slot], KeyState.held[slot], KeyState.released[slot]);
    PutText(&work, x + 3, y + 2, text, kText);
}

void DrawMouse() {
    char text[96];
    const int event = KeyState.mouseEvent;
    const char* name =
        event >= 0 && event <= kMouseRightDoubleClick ? kMouseEventNames[event] : "?";
    FormatText(text, "마우스 %d,%d  화면 %d,%d", KeyState.mouseX, KeyState.mouseY,
               KeyState.mouseX - kScreenLeft, KeyState.mouseY - kScreenTop);
    PutText(&work, 4, 186, text, kText);
    FormatText(text, "Mouse event %d: %s", event, name);
    PutText(&work, 4, 204, text, kText);

    // A cross where the pointer is, when it is over the console's screen.
    const int x = KeyState.mouseX - kScreenLeft;
    const int y = KeyState.mouseY - kScreenTop;
    if (x >= 4 && x < 316 && y >= 4 && y < 236) {
        FillBox(&work, x - 4, y, 9, 1, kText);
        FillBox(&work, x, y - 4, 1, 9, kText);
    }
}

int SetUp() {
    InitScreen(MainWindowHandle, 16);
    GetScreen(&screen, 0);
    NewPalette(256, greys);
    SetScreen(&screen);
    NewSurface(&work);
    ClearSurface(&screen, kBackground);
    lastFrameTick = GetTick();
    return 1;
}

int Frame() {
    const std::uint32_t now = GetTick();
    if (KeyState.held[kKeyEscape]) {
        if (!escapeWasHeld)
            escapeDownSince = now;
        if (now - escapeDownSince >= kQuitHoldMs) {
            ExitScreen();
            return 9999;
        }
    }
    escapeWasHeld = KeyState.held[kKeyEscape] != 0;

    if (TargetFps <= 0 || now - lastFrameTick < static_cast<std::uint32_t>(1000 / TargetFps))
        return 0;
    lastFrameTick = now;

    ClearSurface(&work, kBackground);
    PutText(&work, 4, 2, "키 상태 / Key slots: held released", kText);
    for (int slot = 0; slot < kKeySlotCount; ++slot)
        DrawSlot(slot);
    DrawMouse();
    if (escapeWasHeld)
        PutText(&work, 200, 222, "Esc: quitting...", kText);
    CopySurface(&screen, 0, 0, &work, nullptr);
    PresentScreen();
    return 0;
}

}  // namespace

NUVIK_PROGRAM(SetUp, Frame);
