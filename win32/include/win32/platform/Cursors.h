// The picture of a cursor, for a host that shows the current shape on a real screen.
// Implemented by the window-system part of the win32 library. Not part of the Win32 API.
#pragma once

#include <cstdint>
#include <vector>

#include "win32/types.h"

namespace win32::cursors {

struct CursorImage {
    int width = 0;
    int height = 0;
    int hotX = 0;
    int hotY = 0;
    std::vector<std::uint32_t> argb;  // 0xAARRGGBB, row after row; alpha 0 is see-through
};

// False for a null or unknown handle.
bool Describe(HCURSOR cursor, CursorImage* image);

}  // namespace win32::cursors
