#include "gdi/Bitmap.h"

#include <algorithm>
#include <memory>

namespace win32::gdi {

namespace {

// Big enough for any picture this platform shows, small enough that the byte count of a row
// and of the whole bitmap never overflows.
constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxBytes = std::int64_t{256} * 1024 * 1024;

}  // namespace

std::int64_t DibRowBytes(std::int64_t width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

int Bitmap::RowBytes() const {
    return static_cast<int>(surface.pitch < 0 ? -surface.pitch : surface.pitch);
}

HBITMAP NewBitmap(int width, int height, const Surface& layout, const RGBQUAD* colors,
                  int colorCount, bool bottomUp, Bitmap** created) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    std::int64_t rowBytes = DibRowBytes(width, layout.bitsPerPixel);
    if (rowBytes * height > kMaxBytes)
        return nullptr;

    auto bitmap = std::make_unique<Bitmap>();
    bitmap->storage.assign(static_cast<std::size_t>(rowBytes * height), 0);
    Surface& s = bitmap->surface;
    s = layout;
    s.width = width;
    s.height = height;
    if (bottomUp) {
        s.bits = bitmap->storage.data() + (height - 1) * rowBytes;
        s.pitch = -rowBytes;
    } else {
        s.bits = bitmap->storage.data();
        s.pitch = rowBytes;
    }
    s.colors = nullptr;
    s.colorCount = 0;
    if (layout.IsIndexed()) {
        int entries = 1 << layout.bitsPerPixel;
        bitmap->palette.assign(static_cast<std::size_t>(entries), RGBQUAD{0, 0, 0, 0});
        if (colors != nullptr)
            std::copy(colors, colors + std::min(colorCount, entries), bitmap->palette.begin());
        s.colors = bitmap->palette.data();
        s.colorCount = entries;
    }
    Bitmap* raw = bitmap.get();
    void* handle = ObjectTable::Instance().Add(std::move(bitmap));
    if (handle == nullptr)
        return nullptr;
    if (created != nullptr)
        *created = raw;
    return static_cast<HBITMAP>(handle);
}

}  // namespace win32::gdi
