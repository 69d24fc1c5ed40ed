// How the window system and DirectDraw make GDI device contexts on pixel memory they own.
// Implemented by the GDI part of the win32 library. Not part of the Win32 API.
#pragma once

#include <vector>

#include "win32/platform/Framebuffer.h"
#include "win32/types.h"

namespace win32::gdi {

// A device context drawing into `target` with its logical (0, 0) at `origin` (target pixel
// coordinates) and output limited to the union of `clip` (target pixel coordinates; empty
// list: nothing is drawn). The pixel memory stays owned by the caller and must outlive the DC.
HDC CreateTargetDC(const PixelBuffer& target, POINT origin, const std::vector<RECT>& clip);
// Changes where an existing target DC draws (after a window moved or the display mode changed).
void RetargetDC(HDC dc, const PixelBuffer& target, POINT origin, const std::vector<RECT>& clip);
// Deletes a DC made by CreateTargetDC (its selected objects stay alive, as with DeleteDC).
void DeleteTargetDC(HDC dc);
// The pixel memory a DC draws into (a target DC's target, a memory DC's selected bitmap).
bool DescribeDC(HDC dc, PixelBuffer* target, POINT* origin);

// A bitmap made from pixel memory the caller owns (for cursors and icons drawn by a host).
bool DescribeBitmap(HBITMAP bitmap, PixelBuffer* pixels);

}  // namespace win32::gdi
