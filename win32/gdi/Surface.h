// Pixel memory as GDI draws into it: direct-colour 16, 24 and 32-bit layouts and indexed 1,
// 4 and 8-bit layouts with a colour table. Drawing code works on raw pixel values of the
// destination's own format, so that fills are plain row fills and blits of equal formats are
// row copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "win32/constants.h"
#include "win32/platform/Framebuffer.h"
#include "win32/types.h"

namespace win32::gdi {

struct Surface {
    std::uint8_t* bits = nullptr;  // the top row
    int width = 0;
    int height = 0;
    std::ptrdiff_t pitch = 0;  // negative for bottom-up DIBs
    int bitsPerPixel = 32;
    DWORD redMask = 0x00FF0000;
    DWORD greenMask = 0x0000FF00;
    DWORD blueMask = 0x000000FF;
    const RGBQUAD* colors = nullptr;  // indexed layouts only
    int colorCount = 0;

    bool IsIndexed() const { return bitsPerPixel <= 8; }
    bool IsEmpty() const { return bits == nullptr || width <= 0 || height <= 0; }
    std::uint8_t* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * pitch; }
    RECT Bounds() const { return RECT{0, 0, width, height}; }
    // Same pixel layout: raw values mean the same colours.
    bool SameLayout(const Surface& other) const;
    // All bits of a pixel value of this layout.
    DWORD ValueMask() const {
        return bitsPerPixel >= 32 ? 0xFFFFFFFFu : ((1u << bitsPerPixel) - 1u);
    }
    DWORD ColorMask() const { return IsIndexed() ? ValueMask() : (redMask | greenMask | blueMask); }

    static Surface FromBuffer(const PixelBuffer& buffer);
    PixelBuffer ToBuffer() const;
};

inline DWORD ReadRaw(const Surface& s, int x, int y) {
    const std::uint8_t* row = s.Row(y);
    switch (s.bitsPerPixel) {
        case 32: {
            std::uint32_t v;
            std::memcpy(&v, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
            return v;
        }
        case 16: {
            std::uint16_t v;
            std::memcpy(&v, row + static_cast<std::ptrdiff_t>(x) * 2, 2);
            return v;
        }
        case 24: {
            const std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * 3;
            return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
                   (static_cast<DWORD>(p[2]) << 16);
        }
        case 8:
            return row[x];
        case 4:
            return (row[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F;
        case 1:
            return (row[x / 8] >> (7 - (x & 7))) & 1;
        default:
            return 0;
    }
}

inline void WriteRaw(const Surface& s, int x, int y, DWORD value) {
    std::uint8_t* row = s.Row(y);
    switch (s.bitsPerPixel) {
        case 32: {
            std::uint32_t v = value;
            std::memcpy(row + static_cast<std::ptrdiff_t>(x) * 4, &v, 4);
            break;
        }
        case 16: {
            auto v = static_cast<std::uint16_t>(value);
            std::memcpy(row + static_cast<std::ptrdiff_t>(x) * 2, &v, 2);
            break;
        }
        case 24: {
            std::uint8_t* p = row + static_cast<std::ptrdiff_t>(x) * 3;
            p[0] = static_cast<std::uint8_t>(value);
            p[1] = static_cast<std::uint8_t>(value >> 8);
            p[2] = static_cast<std::uint8_t>(value >> 16);
            break;
        }
        case 8:
            row[x] = static_cast<std::uint8_t>(value);
            break;
        case 4: {
            int shift = (x & 1) ? 0 : 4;
            std::uint8_t& byte = row[x / 2];
            byte = static_cast<std::uint8_t>((byte & ~(0x0F << shift)) | ((value & 0x0F) << shift));
            break;
        }
        case 1: {
            int shift = 7 - (x & 7);
            std::uint8_t& byte = row[x / 8];
            byte = static_cast<std::uint8_t>((byte & ~(1 << shift)) | ((value & 1) << shift));
            break;
        }
        default:
            break;
    }
}

// Colours to raw values of one layout and back, with the channel arithmetic worked out once.
// Direct layouts drop low bits when packing and replicate the top bits when unpacking (as the
// framebuffer's PackColor/UnpackColor do); indexed layouts pick the nearest table entry.
class PixelCodec {
  public:
    explicit PixelCodec(const Surface& surface);

    DWORD Pack(COLORREF color) const;
    COLORREF Unpack(DWORD value) const;

  private:
    struct Channel {
        int shift = 0;
        int width = 0;
    };
    static Channel Describe(DWORD mask);
    static DWORD PackChannel(const Channel& c, BYTE value);
    static BYTE UnpackChannel(const Channel& c, DWORD value);
    DWORD NearestIndex(COLORREF color) const;

    bool indexed_;
    Channel red_, green_, blue_;
    const RGBQUAD* colors_;
    int colorCount_;
    mutable COLORREF lastColor_ = CLR_INVALID;
    mutable DWORD lastIndex_ = 0;
};

// Raster operations on raw values. A binary raster operation (R2_*) is the 4-bit truth table
// code - 1 over (pen, destination); a ternary one (the high word of a ROP) the 8-bit table over
// (pattern, source, destination). Both act bitwise on the raw value, as GDI does.
inline DWORD ApplyRop2(int rop2, DWORD pen, DWORD dst) {
    unsigned table = static_cast<unsigned>(rop2 - 1) & 0x0F;
    DWORD result = 0;
    if (table & 8)
        result |= pen & dst;
    if (table & 4)
        result |= pen & ~dst;
    if (table & 2)
        result |= ~pen & dst;
    if (table & 1)
        result |= ~pen & ~dst;
    return result;
}

inline DWORD ApplyRop3(unsigned rop3, DWORD pattern, DWORD src, DWORD dst) {
    DWORD result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (!((rop3 >> i) & 1))
            continue;
        DWORD term =
            ((i & 4) ? pattern : ~pattern) & ((i & 2) ? src : ~src) & ((i & 1) ? dst : ~dst);
        result |= term;
    }
    return result;
}

inline bool Rop3UsesPattern(unsigned rop3) {
    return ((rop3 >> 4) & 0x0F) != (rop3 & 0x0F);
}
inline bool Rop3UsesSource(unsigned rop3) {
    return ((rop3 >> 2) & 0x33) != (rop3 & 0x33);
}

// Writes `value` into [x0, x1) of row y; the range must lie inside the surface.
void FillSpan(const Surface& s, int y, int x0, int x1, DWORD value);
// Combines `pen` with [x0, x1) of row y under a binary raster operation.
void Rop2Span(const Surface& s, int y, int x0, int x1, int rop2, DWORD pen);

}  // namespace win32::gdi
