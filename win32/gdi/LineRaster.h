// Cosmetic lines: Bresenham's pixels from the start point up to, not including, the end point,
// with the pen's dash pattern, the context's binary raster operation and, in opaque mode, the
// gaps of a styled pen in the background colour.
#pragma once

#include <cstdint>

#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"

namespace win32::gdi {

// Points in target pixels. `phase` is where the dash pattern starts and is advanced by the
// line's length, so that a polyline's pattern runs on from one segment to the next.
void DrawLine(DeviceContext& dc, const Pen& pen, std::int64_t x0, std::int64_t y0, std::int64_t x1,
              std::int64_t y1, std::int64_t* phase);

}  // namespace win32::gdi
