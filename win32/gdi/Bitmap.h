// The object behind HBITMAP: device-dependent bitmaps in a display format and DIB sections in
// any DIB layout, both with pixel memory of their own.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/ObjectTable.h"
#include "gdi/Surface.h"

namespace win32::gdi {

class Bitmap : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Bitmap;
    Bitmap() : GdiObject(kKind) {}

    // Rows top to bottom as GDI addresses them; `surface.colors` points into `palette`.
    Surface surface;
    std::vector<RGBQUAD> palette;
    std::vector<std::uint8_t> storage;
    bool dibSection = false;
    BITMAPINFOHEADER header{};  // DIB sections: as created (bottom-up when biHeight > 0)
    // The device context this bitmap is selected into (a bitmap is selected into one at most).
    void* selectedIn = nullptr;

    // The first row in memory order: what CreateDIBSection hands out and BITMAP.bmBits shows.
    void* MemoryStart() const {
        return storage.empty() ? nullptr : const_cast<std::uint8_t*>(storage.data());
    }
    int RowBytes() const;
};

// A new bitmap of `width` x `height` in the layout of `layout` (masks, depth), with the given
// colour table for indexed layouts, zero-filled. Null when the size is not positive or too big.
HBITMAP NewBitmap(int width, int height, const Surface& layout, const RGBQUAD* colors,
                  int colorCount, bool bottomUp, Bitmap** created);

// Bytes of one DIB row (rows are padded to 32 bits).
std::int64_t DibRowBytes(std::int64_t width, int bitsPerPixel);

}  // namespace win32::gdi
