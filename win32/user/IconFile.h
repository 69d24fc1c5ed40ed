// Pictures from .cur and .ico files (the bytes of RT_GROUP_CURSOR and RT_GROUP_ICON
// resources): the directory, then a DIB of double height with the colour (XOR) rows and the
// 1-bit AND mask.
#pragma once

#include <cstddef>

#include "win32/platform/Cursors.h"

namespace win32::user {

// `wantCursor`: the file must be a cursor (type 2), else an icon (type 1). The entry closest
// to `preferredSize` square with the most colours is used. Pixels the AND mask keeps and
// the colour rows invert the screen under show as black. False for anything malformed.
bool DecodeIconFile(const void* data, std::size_t size, bool wantCursor, int preferredSize,
                    cursors::CursorImage* image);

}  // namespace win32::user
