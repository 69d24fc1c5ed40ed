// The records that programs and DirectDraw share, as the original 32-bit Windows lays them out.
// tools/windows-check.sh compiles this file alone for i686 (no 32-bit build of the system is
// made, and nothing runs): a wrong size or offset fails the compile.
#include <cstddef>

#include "draw/ScreenApi.h"
#include "event/KeyState.h"

#if !defined(_WIN32) || defined(_WIN64)
#error "the record sizes are those of 32-bit Windows: compile with i686-w64-mingw32"
#endif

// DirectDraw's own records (the probe fills the first layout by hand: dwSize = 108).
static_assert(sizeof(DDSURFACEDESC) == 108);
static_assert(sizeof(DDSURFACEDESC2) == 124);
static_assert(sizeof(DDPIXELFORMAT) == 32);
static_assert(offsetof(DDSURFACEDESC, ddsCaps) == 104);

// A surface descriptor: nine 32-bit fields.
static_assert(sizeof(SurfaceDesc) == 9 * 4);
static_assert(offsetof(SurfaceDesc, pixels) == 0);
static_assert(offsetof(SurfaceDesc, depth) == 4);
static_assert(offsetof(SurfaceDesc, width) == 8);
static_assert(offsetof(SurfaceDesc, height) == 12);
static_assert(offsetof(SurfaceDesc, reserved1) == 16);
static_assert(offsetof(SurfaceDesc, reserved2) == 20);
static_assert(offsetof(SurfaceDesc, reserved3) == 24);
static_assert(offsetof(SurfaceDesc, screen) == 28);
static_assert(offsetof(SurfaceDesc, owner) == 32);

// The key and mouse record: 26 held flags, 26 released flags, then four 32-bit fields.
using KeyRecord = decltype(KeyState);
static_assert(sizeof(KeyRecord) == 26 + 26 + 4 * 4);
static_assert(offsetof(KeyRecord, held) == 0);
static_assert(offsetof(KeyRecord, released) == 26);
static_assert(offsetof(KeyRecord, mouseX) == 52);
static_assert(offsetof(KeyRecord, mouseY) == 56);
static_assert(offsetof(KeyRecord, mouseEvent) == 60);
static_assert(offsetof(KeyRecord, idleCount) == 64);
