// The records and constants that programs and the runner share: the surface descriptor, the
// key and mouse record, and the two functions every program provides. Programs include
// <nuvik/sdk.h>, which includes this header; the runner's own layers include only this one.
#pragma once

#include <cstdint>

// The surface record behind a descriptor. Programs never look inside it: they keep the address
// the screen API put into SurfaceDesc::owner and pass the descriptor back.
struct _SURFACE;

namespace nuvik {

// A program's snapshot of one 16-bit surface, filled by GetScreen or NewSurface. It does not
// follow later changes of the surface; after ExitScreen its pixels name released memory.
struct SurfaceDesc {
    std::uint16_t* pixels;  // row r starts width * r pixels after this address
    std::int32_t depth;     // bits per pixel of the display
    std::int32_t width;
    std::int32_t height;
    std::int32_t reserved1;  // set to 0
    std::int32_t reserved2;  // set to 0
    std::int32_t reserved3;  // left as the program had it
    std::int32_t screen;     // 0 to 3 for a console screen, -1 for a work surface
    _SURFACE* owner;
};

// The 26 keys the key record follows, in slot order (which is also the order they are polled).
enum KeySlot : int {
    kKeyLeft = 0,
    kKeyUp = 1,
    kKeyRight = 2,
    kKeyDown = 3,
    kKeyEscape = 4,
    kKeyCtrl = 5,
    kKeyAlt = 6,
    kKeyEnter = 7,
    kKeySpace = 8,
    kKeyShift = 9,
    kKeyF1 = 10,
    kKeyF2 = 11,
    kKeyF10 = 12,
    kKeyC = 13,
    kKeyX = 14,
    kKeyZ = 15,
    kKey1 = 16,
    kKey2 = 17,
    kKey3 = 18,
    kKey4 = 19,
    kKey5 = 20,
    kKey6 = 21,
    kKey7 = 22,
    kKey8 = 23,
    kKey9 = 24,
    kKey0 = 25,  // after 9, not before 1
    kKeySlotCount = 26,
};

// What KeyStateRecord::mouseEvent holds: the kind of the last message the loop took.
enum MouseEventCode : int {
    kMouseNone = 0,  // any other message; a mouse move also turns the two releases into this
    kMouseLeftDown = 1,
    kMouseLeftUp = 2,
    kMouseLeftDoubleClick = 3,
    kMouseRightDown = 4,
    kMouseRightUp = 5,
    kMouseRightDoubleClick = 6,
};

// The keyboard and mouse record, refreshed with every message the runner's loop takes.
struct KeyStateRecord {
    std::uint8_t held[kKeySlotCount];      // 1 while the last poll found the key down
    std::uint8_t released[kKeySlotCount];  // 1 from the poll that found it let go, until the next
    std::int32_t mouseX;                   // screen pixels, as of the last mouse move taken
    std::int32_t mouseY;
    std::int32_t mouseEvent;  // a MouseEventCode
    std::uint32_t idleCount;  // cleared whenever a poll finds a key down; nothing advances it
};

// The two functions of the program that the runner's frame driver calls; NUVIK_PROGRAM in
// <nuvik/sdk.h> defines them. Set-up: non-zero once set up (0: called again on the next step).
// Frame: 0 to go on, or the driver's next step (9999 stops it).
int ProgramSetUp();
int ProgramFrame();

}  // namespace nuvik
