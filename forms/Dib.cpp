#include "forms/Dib.h"

#include <cstring>

namespace forms {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

// One colour channel described by a mask, widened to 8 bits.
struct Channel {
    int shift = 0;
    int bits = 0;

    static bool From(std::uint32_t mask, Channel* channel) {
        if (mask == 0)
            return false;
        int shift = 0;
        while ((mask & 1u) == 0) {
            mask >>= 1;
            ++shift;
        }
        int bits = 0;
        while ((mask & 1u) != 0) {
            mask >>= 1;
            ++bits;
        }
        if (mask != 0)  // not one contiguous run
            return false;
        *channel = {shift, bits};
        return true;
    }

    std::uint32_t Extract(std::uint32_t pixel) const {
        std::uint32_t value = (pixel >> shift) & ((bits >= 32 ? 0u : (1u << bits)) - 1u);
        if (bits >= 8)
            return value >> (bits - 8);
        // Replicate the top bits into the low ones, as a display widens 5 or 6 bits.
        std::uint32_t widened = 0;
        int filled = 0;
        while (filled < 8) {
            widened = (widened << bits) | value;
            filled += bits;
        }
        return widened >> (filled - 8);
    }
};

}  // namespace

bool DecodePackedDib(const void* data, std::size_t size, TDibImage* image, std::string* error) {
    auto fail = [error](const char* text) {
        if (error != nullptr)
            *error = text;
        return false;
    };
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (bytes == nullptr || size < kInfoHeaderSize)
        return fail("bitmap data shorter than its header");
    std::uint32_t headerSize = ReadU32(bytes);
    if (headerSize < kInfoHeaderSize || headerSize > size)
        return fail("bitmap header of unknown size");
    auto width = static_cast<std::int32_t>(ReadU32(bytes + 4));
    auto height = static_cast<std::int32_t>(ReadU32(bytes + 8));
    std::uint16_t planes = ReadU16(bytes + 12);
    std::uint16_t bitCount = ReadU16(bytes + 14);
    std::uint32_t compression = ReadU32(bytes + 16);
    std::uint32_t colorsUsed = ReadU32(bytes + 32);
    bool topDown = height < 0;
    if (height == INT32_MIN)
        return fail("bitmap height out of range");
    std::int32_t rows = topDown ? -height : height;
    if (width <= 0 || rows <= 0 || width > kMaxDibDimension || rows > kMaxDibDimension)
        return fail("bitmap size out of range");
    if (planes != 1)
        return fail("bitmap with more than one plane");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32) {
        return fail("unsupported bits per pixel");
    }
    if (compression != kBiRgb && compression != kBiBitfields)
        return fail("compressed bitmaps are not supported");
    if (compression == kBiBitfields && bitCount != 16 && bitCount != 32)
        return fail("colour masks need 16 or 32 bits per pixel");

    std::size_t offset = headerSize;
    Channel red, green, blue;
    if (compression == kBiBitfields) {
        // Masks follow a plain info header; larger headers carry them inside.
        std::size_t maskAt = headerSize == kInfoHeaderSize ? offset : kInfoHeaderSize;
        if (maskAt + 12 > size)
            return fail("bitmap colour masks missing");
        if (!Channel::From(ReadU32(bytes + maskAt), &red) ||
            !Channel::From(ReadU32(bytes + maskAt + 4), &green) ||
            !Channel::From(ReadU32(bytes + maskAt + 8), &blue)) {
            return fail("bitmap colour masks invalid");
        }
        if (headerSize == kInfoHeaderSize)
            offset += 12;
    } else if (bitCount == 16) {
        Channel::From(0x7C00, &red);
        Channel::From(0x03E0, &green);
        Channel::From(0x001F, &blue);
    }

    std::vector<std::uint32_t> palette;
    if (bitCount <= 8) {
        std::uint32_t maxColors = 1u << bitCount;
        std::uint32_t count = colorsUsed == 0 ? maxColors : colorsUsed;
        if (count > maxColors)
            return fail("bitmap colour table too long");
        if (offset + static_cast<std::size_t>(count) * 4 > size)
            return fail("bitmap colour table truncated");
        palette.resize(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* quad = bytes + offset + i * 4;
            palette[i] = static_cast<std::uint32_t>(quad[2]) << 16 |
                         static_cast<std::uint32_t>(quad[1]) << 8 | quad[0];
        }
        offset += static_cast<std::size_t>(count) * 4;
    } else if (colorsUsed != 0) {
        // An optional palette for display devices; the pixels do not use it.
        if (colorsUsed > 256 || offset + static_cast<std::size_t>(colorsUsed) * 4 > size)
            return fail("bitmap colour table truncated");
        offset += static_cast<std::size_t>(colorsUsed) * 4;
    }

    std::size_t stride =
        ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;  // rows are DWORD aligned
    std::size_t needed = stride * static_cast<std::size_t>(rows);
    if (offset > size || size - offset < needed)
        return fail("bitmap pixel data truncated");

    image->width = width;
    image->height = rows;
    image->pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows), 0);
    const std::uint8_t* bits = bytes + offset;
    for (std::int32_t row = 0; row < rows; ++row) {
        std::int32_t y = topDown ? row : rows - 1 - row;
        const std::uint8_t* line = bits + stride * static_cast<std::size_t>(row);
        std::uint32_t* out = image->pixels.data() + static_cast<std::size_t>(y) * width;
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t color = 0;
            switch (bitCount) {
                case 1:
                case 4:
                case 8: {
                    std::size_t bit = static_cast<std::size_t>(x) * bitCount;
                    std::uint32_t byte = line[bit / 8];
                    std::uint32_t index =
                        (byte >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1u);
                    // An index past a short colour table draws black.
                    color = index < palette.size() ? palette[index] : 0;
                    break;
                }
                case 16: {
                    std::uint32_t pixel = ReadU16(line + x * 2);
                    color =
                        red.Extract(pixel) << 16 | green.Extract(pixel) << 8 | blue.Extract(pixel);
                    break;
                }
                case 24: {
                    const std::uint8_t* p = line + x * 3;
                    color = static_cast<std::uint32_t>(p[2]) << 16 |
                            static_cast<std::uint32_t>(p[1]) << 8 | p[0];
                    break;
                }
                case 32: {
                    std::uint32_t pixel = ReadU32(line + x * 4);
                    if (compression == kBiBitfields) {
                        color = red.Extract(pixel) << 16 | green.Extract(pixel) << 8 |
                                blue.Extract(pixel);
                    } else {
                        color = pixel & 0x00FFFFFFu;
                    }
                    break;
                }
            }
            out[x] = color;
        }
    }
    return true;
}

}  // namespace forms
