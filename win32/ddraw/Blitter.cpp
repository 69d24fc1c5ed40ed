#include "ddraw/Blitter.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace win32::ddraw {

namespace {

std::uint8_t* RowAt(const PixelBuffer& buffer, int x, int y) {
    return buffer.bits + static_cast<std::ptrdiff_t>(y) * buffer.pitch +
           static_cast<std::ptrdiff_t>(x) * buffer.format.BytesPerPixel();
}

bool SharesMemory(const PixelBuffer& a, const PixelBuffer& b) {
    const std::uint8_t* aEnd = a.bits + static_cast<std::ptrdiff_t>(a.pitch) * a.height;
    const std::uint8_t* bEnd = b.bits + static_cast<std::ptrdiff_t>(b.pitch) * b.height;
    return a.bits < bEnd && b.bits < aEnd;
}

DWORD ChannelMask(const PixelFormat& format) {
    return format.redMask | format.greenMask | format.blueMask;
}

template <typename Pixel>
void TransformRows(const PixelBuffer& dest, const RECT& destRect, const PixelBuffer& source,
                   const RECT& sourceRect, const BlockTransform& transform) {
    const int width = destRect.right - destRect.left;
    const int height = destRect.bottom - destRect.top;
    const PixelFormat& format = source.format;
    const DWORD channels = ChannelMask(format);
    const bool exactKey =
        transform.sourceKey != nullptr &&
        (transform.sourceKey->low & channels) == (transform.sourceKey->high & channels);
    const DWORD exactKeyValue = transform.sourceKey ? (transform.sourceKey->low & channels) : 0;
    for (int row = 0; row < height; ++row) {
        const int sourceRow =
            transform.mirrorUpDown ? sourceRect.bottom - 1 - row : sourceRect.top + row;
        const auto* from = static_cast<const Pixel*>(
            static_cast<const void*>(RowAt(source, sourceRect.left, sourceRow)));
        auto* to =
            static_cast<Pixel*>(static_cast<void*>(RowAt(dest, destRect.left, destRect.top + row)));
        for (int column = 0; column < width; ++column) {
            const Pixel value = transform.mirrorLeftRight ? from[width - 1 - column] : from[column];
            if (transform.sourceKey != nullptr) {
                const bool transparent = exactKey ? (value & channels) == exactKeyValue
                                                  : KeyMatches(format, *transform.sourceKey, value);
                if (transparent)
                    continue;
            }
            to[column] = value;
        }
    }
}

template <typename Pixel>
void FillRows(const PixelBuffer& dest, const RECT& rect, DWORD pixel) {
    const auto value = static_cast<Pixel>(pixel);
    for (LONG y = rect.top; y < rect.bottom; ++y) {
        auto* to = static_cast<Pixel*>(static_cast<void*>(RowAt(dest, rect.left, y)));
        for (LONG x = 0; x < rect.right - rect.left; ++x)
            to[x] = value;
    }
}

int ShiftOf(DWORD mask) {
    int shift = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

bool ChannelWithin(DWORD pixel, DWORD mask, DWORD low, DWORD high) {
    if (mask == 0)
        return true;
    const int shift = ShiftOf(mask);
    const DWORD value = (pixel & mask) >> shift;
    return value >= ((low & mask) >> shift) && value <= ((high & mask) >> shift);
}

}  // namespace

bool KeyMatches(const PixelFormat& format, const ColorKeyRange& key, DWORD pixel) {
    return ChannelWithin(pixel, format.redMask, key.low, key.high) &&
           ChannelWithin(pixel, format.greenMask, key.low, key.high) &&
           ChannelWithin(pixel, format.blueMask, key.low, key.high);
}

void CopyBlock(const PixelBuffer& dest, int destX, int destY, const PixelBuffer& source,
               int sourceX, int sourceY, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    const std::size_t rowBytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(source.format.BytesPerPixel());
    std::uint8_t* to = RowAt(dest, destX, destY);
    const std::uint8_t* from = RowAt(source, sourceX, sourceY);
    if (SharesMemory(dest, source)) {
        // Within one memory, copy rows in the order that never reads a row already written.
        if (to > from) {
            for (int row = height - 1; row >= 0; --row)
                std::memmove(to + static_cast<std::ptrdiff_t>(row) * dest.pitch,
                             from + static_cast<std::ptrdiff_t>(row) * source.pitch, rowBytes);
        } else {
            for (int row = 0; row < height; ++row)
                std::memmove(to + static_cast<std::ptrdiff_t>(row) * dest.pitch,
                             from + static_cast<std::ptrdiff_t>(row) * source.pitch, rowBytes);
        }
        return;
    }
    if (rowBytes == static_cast<std::size_t>(dest.pitch) &&
        rowBytes == static_cast<std::size_t>(source.pitch)) {
        std::memcpy(to, from, rowBytes * static_cast<std::size_t>(height));
        return;
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(to, from, rowBytes);
        to += dest.pitch;
        from += source.pitch;
    }
}

void TransformBlock(const PixelBuffer& dest, const RECT& destRect, const PixelBuffer& source,
                    const RECT& sourceRect, const BlockTransform& transform) {
    const int width = sourceRect.right - sourceRect.left;
    const int height = sourceRect.bottom - sourceRect.top;
    if (width <= 0 || height <= 0)
        return;
    if (!transform.mirrorLeftRight && !transform.mirrorUpDown && transform.sourceKey == nullptr) {
        CopyBlock(dest, destRect.left, destRect.top, source, sourceRect.left, sourceRect.top, width,
                  height);
        return;
    }
    PixelBuffer from = source;
    RECT fromRect = sourceRect;
    std::vector<std::uint8_t> snapshot;
    if (SharesMemory(dest, source)) {
        // A mirrored or keyed copy within one memory reads pixels it has already written:
        // work from a snapshot of the source block instead.
        const int bytesPerPixel = source.format.BytesPerPixel();
        snapshot.resize(static_cast<std::size_t>(width) * height * bytesPerPixel);
        from = PixelBuffer{snapshot.data(), width, height, width * bytesPerPixel, source.format};
        CopyBlock(from, 0, 0, source, sourceRect.left, sourceRect.top, width, height);
        fromRect = RECT{0, 0, width, height};
    }
    if (source.format.bitsPerPixel == 16)
        TransformRows<std::uint16_t>(dest, destRect, from, fromRect, transform);
    else
        TransformRows<std::uint32_t>(dest, destRect, from, fromRect, transform);
}

void FillBlock(const PixelBuffer& dest, const RECT& rect, DWORD pixel) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    if (dest.format.bitsPerPixel == 16)
        FillRows<std::uint16_t>(dest, rect, pixel);
    else
        FillRows<std::uint32_t>(dest, rect, pixel);
}

}  // namespace win32::ddraw
