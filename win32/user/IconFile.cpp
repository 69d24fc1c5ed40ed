#include "user/IconFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "win32/constants.h"

namespace win32::user {

namespace {

std::uint16_t Read16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct Entry {
    int width;
    int height;
    int hotX;
    int hotY;
    std::uint32_t size;
    std::uint32_t offset;
};

int RowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

bool DecodeDib(const std::uint8_t* dib, std::size_t size, cursors::CursorImage* image) {
    if (size < 40)
        return false;
    std::uint32_t headerSize = Read32(dib);
    auto width = static_cast<std::int32_t>(Read32(dib + 4));
    auto doubledHeight = static_cast<std::int32_t>(Read32(dib + 8));
    int bits = Read16(dib + 14);
    std::uint32_t compression = Read32(dib + 16);
    std::uint32_t used = Read32(dib + 32);
    if (headerSize < 40 || headerSize > size || width <= 0 || width > 256 || doubledHeight <= 0 ||
        doubledHeight > 512 || doubledHeight % 2 != 0 || compression != BI_RGB)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return false;
    int height = doubledHeight / 2;
    std::size_t colors = bits <= 8 ? (used != 0 ? used : (1u << bits)) : 0;
    if (colors > 256)
        return false;
    std::size_t paletteAt = headerSize;
    std::size_t xorAt = paletteAt + colors * 4;
    std::size_t xorStride = static_cast<std::size_t>(RowBytes(width, bits));
    std::size_t andStride = static_cast<std::size_t>(RowBytes(width, 1));
    std::size_t andAt = xorAt + xorStride * static_cast<std::size_t>(height);
    if (andAt + andStride * static_cast<std::size_t>(height) > size)
        return false;

    bool hasAlpha = false;
    if (bits == 32) {
        for (int y = 0; y < height && !hasAlpha; ++y) {
            const std::uint8_t* row = dib + xorAt + xorStride * static_cast<std::size_t>(y);
            for (int x = 0; x < width; ++x) {
                if (row[x * 4 + 3] != 0) {
                    hasAlpha = true;
                    break;
                }
            }
        }
    }
    image->width = width;
    image->height = height;
    image->argb.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        std::size_t stored = static_cast<std::size_t>(height - 1 - y);
        const std::uint8_t* xorRow = dib + xorAt + xorStride * stored;
        const std::uint8_t* andRow = dib + andAt + andStride * stored;
        for (int x = 0; x < width; ++x) {
            std::uint8_t b, g, r, a = 0xFF;
            if (bits <= 8) {
                int perByte = 8 / bits;
                int shift = (perByte - 1 - x % perByte) * bits;
                std::size_t index = (xorRow[x / perByte] >> shift) & ((1u << bits) - 1);
                if (index >= colors)
                    index = 0;
                const std::uint8_t* quad = dib + paletteAt + index * 4;
                b = quad[0];
                g = quad[1];
                r = quad[2];
            } else {
                const std::uint8_t* p = xorRow + x * (bits / 8);
                b = p[0];
                g = p[1];
                r = p[2];
                if (hasAlpha)
                    a = p[3];
            }
            bool masked = (andRow[x / 8] >> (7 - x % 8)) & 1;
            std::uint32_t argb;
            if (hasAlpha)
                argb = (static_cast<std::uint32_t>(a) << 24) | (r << 16) | (g << 8) | b;
            else if (!masked)
                argb = 0xFF000000u | (r << 16) | (g << 8) | b;
            else if ((r | g | b) == 0)
                argb = 0;  // see-through
            else
                argb = 0xFF000000u;  // screen inversion has no colour of its own
            image->argb[static_cast<std::size_t>(y * width + x)] = argb;
        }
    }
    return true;
}

}  // namespace

bool DecodeIconFile(const void* data, std::size_t size, bool wantCursor, int preferredSize,
                    cursors::CursorImage* image) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (bytes == nullptr || size < 6 || Read16(bytes) != 0)
        return false;
    int type = Read16(bytes + 2);
    int count = Read16(bytes + 4);
    if (type != (wantCursor ? 2 : 1) || count == 0 ||
        6 + static_cast<std::size_t>(count) * 16 > size)
        return false;
    const Entry* best = nullptr;
    std::vector<Entry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    int bestScore = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* e = bytes + 6 + i * 16;
        Entry entry{e[0] == 0 ? 256 : e[0], e[1] == 0 ? 256 : e[1], Read16(e + 4),
                    Read16(e + 6),          Read32(e + 8),          Read32(e + 12)};
        if (entry.offset >= size || entry.size > size - entry.offset)
            continue;
        entries.push_back(entry);
    }
    for (const Entry& entry : entries) {
        // Closer to the wanted size first, then (icons) more bits per pixel.
        int score = 100000 - 100 * (std::abs(entry.width - preferredSize) +
                                    std::abs(entry.height - preferredSize));
        if (!wantCursor)
            score += entry.hotY;  // an icon entry's bit count sits where a hot spot would
        if (best == nullptr || score > bestScore) {
            best = &entry;
            bestScore = score;
        }
    }
    if (best == nullptr)
        return false;
    static constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G'};
    if (best->size >= 4 && std::memcmp(bytes + best->offset, kPngSignature, 4) == 0)
        return false;  // PNG-compressed entries are not decoded here
    if (!DecodeDib(bytes + best->offset, best->size, image))
        return false;
    image->hotX = wantCursor ? best->hotX : image->width / 2;
    image->hotY = wantCursor ? best->hotY : image->height / 2;
    if (image->hotX >= image->width)
        image->hotX = image->width - 1;
    if (image->hotY >= image->height)
        image->hotY = image->height - 1;
    return true;
}

}  // namespace win32::user
