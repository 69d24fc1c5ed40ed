// Block transfers between surfaces: copies of equal size as row copies, stretched copies by
// nearest pixel, transparent copies, and any ternary raster operation.
#pragma once

#include "core/RectSet.h"
#include "gdi/Raster.h"
#include "gdi/Surface.h"

namespace win32::gdi {

struct BlitSpec {
    Box dst;  // target pixels, normalised (left < right, top < bottom)
    Box src;  // source pixels, normalised; ignored when the operation reads no source
    bool mirrorX = false;
    bool mirrorY = false;
    unsigned rop3 = 0xCC;  // the high word's low byte of a ROP code
    bool keyed = false;    // skip source pixels of colour `key`, compared in the source layout
    COLORREF key = 0;
    DWORD pattern = 0;  // raw value in the destination's layout
};

// Destination pixels whose source pixel lies outside the source are left alone. Returns the
// bounds of what was written.
RECT Blit(const Surface& dst, const RectSet& clip, const Surface* src, const BlitSpec& spec);

}  // namespace win32::gdi
