// Device-independent bitmaps handed in by callers (BITMAPINFO plus bits), seen as surfaces.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/Surface.h"
#include "win32/types.h"

namespace win32::gdi {

class DibView {
  public:
    // False for layouts this platform does not read: compressed DIBs, palette-index colour
    // tables (DIB_PAL_COLORS), depths other than 1, 4, 8, 16, 24 and 32, absurd sizes.
    bool Read(const BITMAPINFO* info, UINT usage);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool BottomUp() const { return bottomUp_; }
    std::int64_t RowBytes() const { return rowBytes_; }
    // The layout (no pixel memory) with the colour table.
    const Surface& Layout() const { return layout_; }
    const std::vector<RGBQUAD>& Colors() const { return colors_; }

    // A surface over `bits` that holds `lines` rows starting at scan line `firstScan` (scan
    // lines count from the bottom of a bottom-up DIB, from the top of a top-down one). Its
    // row 0 is image row `*imageTop` when the image is addressed from its top.
    Surface Bind(const void* bits, int firstScan, int lines, int* imageTop) const;

  private:
    int width_ = 0;
    int height_ = 0;
    bool bottomUp_ = true;
    std::int64_t rowBytes_ = 0;
    Surface layout_;
    std::vector<RGBQUAD> colors_;
};

}  // namespace win32::gdi
