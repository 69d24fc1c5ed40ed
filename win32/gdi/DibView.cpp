#include "gdi/DibView.h"

#include <algorithm>
#include <cstring>

#include "gdi/Bitmap.h"
#include "win32/constants.h"

namespace win32::gdi {

namespace {

constexpr std::int64_t kMaxSide = 32767;

}  // namespace

bool DibView::Read(const BITMAPINFO* info, UINT usage) {
    if (info == nullptr || usage != DIB_RGB_COLORS)
        return false;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0)
        return false;
    std::int64_t height = h.biHeight < 0 ? -std::int64_t{h.biHeight} : h.biHeight;
    if (h.biWidth > kMaxSide || height > kMaxSide)
        return false;
    int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;

    layout_ = Surface{};
    layout_.bitsPerPixel = bpp;
    const auto* afterHeader = reinterpret_cast<const std::uint8_t*>(info) + h.biSize;
    if (h.biCompression == BI_BITFIELDS) {
        if (bpp != 16 && bpp != 32)
            return false;
        // The three masks follow a BITMAPINFOHEADER; larger headers carry them inside.
        const std::uint8_t* masks = h.biSize == sizeof(BITMAPINFOHEADER)
                                        ? afterHeader
                                        : reinterpret_cast<const std::uint8_t*>(info) + 40;
        std::memcpy(&layout_.redMask, masks, 4);
        std::memcpy(&layout_.greenMask, masks + 4, 4);
        std::memcpy(&layout_.blueMask, masks + 8, 4);
        if (layout_.redMask == 0 || layout_.greenMask == 0 || layout_.blueMask == 0)
            return false;
    } else if (h.biCompression == BI_RGB) {
        if (bpp == 16) {
            layout_.redMask = 0x7C00;
            layout_.greenMask = 0x03E0;
            layout_.blueMask = 0x001F;
        } else if (bpp == 24 || bpp == 32) {
            layout_.redMask = 0x00FF0000;
            layout_.greenMask = 0x0000FF00;
            layout_.blueMask = 0x000000FF;
        }
    } else {
        return false;
    }

    colors_.clear();
    if (bpp <= 8) {
        int entries = 1 << bpp;
        int used =
            h.biClrUsed == 0 ? entries : static_cast<int>(std::min<DWORD>(h.biClrUsed, entries));
        const auto* table = reinterpret_cast<const RGBQUAD*>(afterHeader);
        colors_.assign(static_cast<std::size_t>(entries), RGBQUAD{0, 0, 0, 0});
        std::copy(table, table + used, colors_.begin());
        layout_.redMask = layout_.greenMask = layout_.blueMask = 0;
    }
    width_ = h.biWidth;
    height_ = static_cast<int>(height);
    bottomUp_ = h.biHeight > 0;
    rowBytes_ = DibRowBytes(width_, bpp);
    return true;
}

Surface DibView::Bind(const void* bits, int firstScan, int lines, int* imageTop) const {
    Surface s = layout_;
    s.width = width_;
    s.height = 0;
    s.colors = colors_.empty() ? nullptr : colors_.data();
    s.colorCount = static_cast<int>(colors_.size());
    firstScan = std::clamp(firstScan, 0, height_);
    lines = std::clamp(lines, 0, height_ - firstScan);
    if (bits == nullptr || lines == 0) {
        *imageTop = 0;
        return s;
    }
    auto* memory = static_cast<std::uint8_t*>(const_cast<void*>(bits));
    s.height = lines;
    if (bottomUp_) {
        s.bits = memory + (lines - 1) * rowBytes_;
        s.pitch = -rowBytes_;
        *imageTop = height_ - firstScan - lines;
    } else {
        s.bits = memory;
        s.pitch = rowBytes_;
        *imageTop = firstScan;
    }
    return s;
}

}  // namespace win32::gdi
