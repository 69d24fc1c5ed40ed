// Area operations of a device context: coordinates in 64 bits (a caller's huge or negative
// sizes never overflow), clipped to the context's clip list and the target's bounds before a
// single pixel is touched.
#pragma once

#include <cstdint>

#include "gdi/DeviceContext.h"

namespace win32::gdi {

struct Box {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    std::int64_t Width() const { return right - left; }
    std::int64_t Height() const { return bottom - top; }
};

// A logical (x, y, width, height) box of `dc` in target pixels; negative sizes extend left/up.
Box DeviceBox(DeviceContext& dc, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h);
Box DeviceBox(DeviceContext& dc, const RECT& logical);
// The part of `box` inside `clip` (always within int range).
RECT ClipBox(const Box& box, const RECT& clip);

// Combines `value` with every pixel of `box` under a binary raster operation.
void FillBox(DeviceContext& dc, const Box& box, int rop2, DWORD value);

}  // namespace win32::gdi
