#include "tools/DibDecoding.h"

#include <cstdlib>

#include "tools/DibEncoding.h"

namespace nuvik::tools {

bool DecodePackedDib(const Bytes& dib, int realHeight, IndexedImage* image, std::string* error) {
    if (dib.size() < kBitmapInfoHeaderSize || ReadU32(dib, 0) < kBitmapInfoHeaderSize) {
        *error = "no bitmap info header";
        return false;
    }
    auto width = static_cast<std::int32_t>(ReadU32(dib, 4));
    auto storedHeight = static_cast<std::int32_t>(ReadU32(dib, 8));
    int bitsPerPixel = ReadU16(dib, 14);
    std::uint32_t compression = ReadU32(dib, 16);
    std::uint32_t coloursUsed = ReadU32(dib, 32);
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8) {
        *error = "unsupported depth of " + std::to_string(bitsPerPixel) + " bits";
        return false;
    }
    if (compression != 0) {
        *error = "compressed bitmaps are not read";
        return false;
    }
    bool topDown = storedHeight < 0;
    int height = realHeight > 0 ? realHeight : std::abs(storedHeight);
    if (width <= 0 || height <= 0 || width > 65536 || height > 65536) {
        *error = "bad bitmap size";
        return false;
    }
    std::size_t entries = coloursUsed != 0 ? coloursUsed : (std::size_t{1} << bitsPerPixel);
    if (entries > (std::size_t{1} << bitsPerPixel)) {
        *error = "more colours than the depth allows";
        return false;
    }
    std::size_t tableAt = ReadU32(dib, 0);
    std::size_t bitsAt = tableAt + entries * 4;
    std::size_t stride = ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
    if (dib.size() < bitsAt + stride * static_cast<std::size_t>(height)) {
        *error = "the bitmap data ends too early";
        return false;
    }
    std::vector<Rgb> palette;
    for (std::size_t i = 0; i < entries; ++i) {
        std::size_t at = tableAt + i * 4;
        palette.push_back({dib[at + 2], dib[at + 1], dib[at]});
    }
    IndexedImage decoded(width, height, palette);
    int perByte = 8 / bitsPerPixel;
    int mask = (1 << bitsPerPixel) - 1;
    for (int y = 0; y < height; ++y) {
        std::size_t row = bitsAt + static_cast<std::size_t>(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            int shift = 8 - bitsPerPixel * (x % perByte + 1);
            int index = (dib[row + static_cast<std::size_t>(x / perByte)] >> shift) & mask;
            if (static_cast<std::size_t>(index) >= entries) {
                *error = "a pixel uses a colour beyond the table";
                return false;
            }
            decoded.Set(x, y, static_cast<std::uint8_t>(index));
        }
    }
    *image = std::move(decoded);
    return true;
}

bool DecodeBmpFile(const Bytes& file, IndexedImage* image, std::string* error) {
    if (file.size() < kBitmapFileHeaderSize || file[0] != 'B' || file[1] != 'M') {
        *error = "not a .bmp file";
        return false;
    }
    Bytes dib(file.begin() + kBitmapFileHeaderSize, file.end());
    return DecodePackedDib(dib, 0, image, error);
}

}  // namespace nuvik::tools
