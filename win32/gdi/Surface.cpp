#include "gdi/Surface.h"

#include <algorithm>

namespace win32::gdi {

bool Surface::SameLayout(const Surface& other) const {
    if (bitsPerPixel != other.bitsPerPixel)
        return false;
    if (IsIndexed()) {
        return colorCount == other.colorCount &&
               (colors == other.colors ||
                (colorCount > 0 &&
                 std::memcmp(colors, other.colors, sizeof(RGBQUAD) * colorCount) == 0));
    }
    return redMask == other.redMask && greenMask == other.greenMask && blueMask == other.blueMask;
}

Surface Surface::FromBuffer(const PixelBuffer& buffer) {
    Surface s;
    s.bits = buffer.bits;
    s.width = buffer.width;
    s.height = buffer.height;
    s.pitch = buffer.pitch;
    s.bitsPerPixel = buffer.format.bitsPerPixel;
    s.redMask = buffer.format.redMask;
    s.greenMask = buffer.format.greenMask;
    s.blueMask = buffer.format.blueMask;
    return s;
}

PixelBuffer Surface::ToBuffer() const {
    PixelBuffer buffer;
    buffer.bits = bits;
    buffer.width = width;
    buffer.height = height;
    buffer.pitch = static_cast<int>(pitch);
    buffer.format = PixelFormat{bitsPerPixel, redMask, greenMask, blueMask};
    return buffer;
}

PixelCodec::PixelCodec(const Surface& surface)
    : indexed_(surface.IsIndexed()),
      red_(Describe(surface.redMask)),
      green_(Describe(surface.greenMask)),
      blue_(Describe(surface.blueMask)),
      colors_(surface.colors),
      colorCount_(surface.colorCount) {}

PixelCodec::Channel PixelCodec::Describe(DWORD mask) {
    Channel c;
    if (mask == 0)
        return c;
    while (((mask >> c.shift) & 1) == 0)
        ++c.shift;
    while (c.shift + c.width < 32 && ((mask >> (c.shift + c.width)) & 1))
        ++c.width;
    return c;
}

DWORD PixelCodec::PackChannel(const Channel& c, BYTE value) {
    if (c.width == 0)
        return 0;
    if (c.width >= 8)
        return static_cast<DWORD>(value) << (c.shift + c.width - 8);
    return (static_cast<DWORD>(value) >> (8 - c.width)) << c.shift;
}

BYTE PixelCodec::UnpackChannel(const Channel& c, DWORD value) {
    if (c.width == 0)
        return 0;
    DWORD field = (value >> c.shift) & ((c.width >= 32) ? 0xFFFFFFFFu : ((1u << c.width) - 1));
    if (c.width >= 8)
        return static_cast<BYTE>(field >> (c.width - 8));
    DWORD widened = field << (8 - c.width);
    for (int filled = c.width; filled < 8; filled += c.width)
        widened |= (field << (8 - c.width)) >> filled;
    return static_cast<BYTE>(widened);
}

DWORD PixelCodec::Pack(COLORREF color) const {
    if (indexed_)
        return NearestIndex(color);
    return PackChannel(red_, GetRValue(color)) | PackChannel(green_, GetGValue(color)) |
           PackChannel(blue_, GetBValue(color));
}

COLORREF PixelCodec::Unpack(DWORD value) const {
    if (indexed_) {
        if (colors_ == nullptr || static_cast<int>(value) >= colorCount_)
            return RGB(0, 0, 0);
        const RGBQUAD& q = colors_[value];
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
    return RGB(UnpackChannel(red_, value), UnpackChannel(green_, value),
               UnpackChannel(blue_, value));
}

DWORD PixelCodec::NearestIndex(COLORREF color) const {
    color &= 0x00FFFFFF;
    if (color == lastColor_)
        return lastIndex_;
    DWORD best = 0;
    long bestDistance = -1;
    for (int i = 0; i < colorCount_; ++i) {
        long dr = static_cast<long>(colors_[i].rgbRed) - GetRValue(color);
        long dg = static_cast<long>(colors_[i].rgbGreen) - GetGValue(color);
        long db = static_cast<long>(colors_[i].rgbBlue) - GetBValue(color);
        long distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<DWORD>(i);
            if (distance == 0)
                break;
        }
    }
    lastColor_ = color;
    lastIndex_ = best;
    return best;
}

namespace {

// Fills `count` values of T from `row` with eight-byte stores: fast whatever the compiler's
// loop vectoriser decides, and indifferent to the row's alignment.
template <typename T>
void FillRun(std::uint8_t* row, int count, T value) {
    std::uint64_t pattern = 0;
    for (std::size_t i = 0; i < sizeof pattern / sizeof value; ++i)
        pattern |= static_cast<std::uint64_t>(value) << (i * 8 * sizeof value);
    std::size_t bytes = static_cast<std::size_t>(count) * sizeof value;
    std::size_t at = 0;
    for (; at + 32 <= bytes; at += 32) {
        std::memcpy(row + at, &pattern, 8);
        std::memcpy(row + at + 8, &pattern, 8);
        std::memcpy(row + at + 16, &pattern, 8);
        std::memcpy(row + at + 24, &pattern, 8);
    }
    for (; at + 8 <= bytes; at += 8)
        std::memcpy(row + at, &pattern, 8);
    for (; at < bytes; at += sizeof value)
        std::memcpy(row + at, &value, sizeof value);
}

}  // namespace

void FillSpan(const Surface& s, int y, int x0, int x1, DWORD value) {
    if (x1 <= x0)
        return;
    std::uint8_t* row = s.Row(y);
    switch (s.bitsPerPixel) {
        case 16:
            FillRun(row + static_cast<std::ptrdiff_t>(x0) * 2, x1 - x0,
                    static_cast<std::uint16_t>(value));
            return;
        case 32:
            FillRun(row + static_cast<std::ptrdiff_t>(x0) * 4, x1 - x0,
                    static_cast<std::uint32_t>(value));
            return;
        case 8:
            std::memset(row + x0, static_cast<int>(value & 0xFF),
                        static_cast<std::size_t>(x1 - x0));
            return;
        default:
            break;
    }
    for (int x = x0; x < x1; ++x)
        WriteRaw(s, x, y, value);
}

void Rop2Span(const Surface& s, int y, int x0, int x1, int rop2, DWORD pen) {
    DWORD mask = s.ValueMask();
    switch (rop2) {
        case R2_COPYPEN:
            FillSpan(s, y, x0, x1, pen);
            return;
        case R2_NOP:
            return;
        case R2_BLACK:
            FillSpan(s, y, x0, x1, 0);
            return;
        case R2_WHITE:
            FillSpan(s, y, x0, x1, mask);
            return;
        case R2_XORPEN:
            for (int x = x0; x < x1; ++x)
                WriteRaw(s, x, y, (ReadRaw(s, x, y) ^ pen) & mask);
            return;
        case R2_NOT:
            for (int x = x0; x < x1; ++x)
                WriteRaw(s, x, y, ~ReadRaw(s, x, y) & mask);
            return;
        default:
            for (int x = x0; x < x1; ++x)
                WriteRaw(s, x, y, ApplyRop2(rop2, pen, ReadRaw(s, x, y)) & mask);
            return;
    }
}

}  // namespace win32::gdi
