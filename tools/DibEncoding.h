// Device-independent bitmaps as Windows stores them: .bmp files, and the image part of .ico
// and .cur files (colour bits plus a 1-bit see-through mask).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/Bytes.h"
#include "tools/IndexedImage.h"

namespace nuvik::tools {

inline constexpr std::uint32_t kBitmapFileHeaderSize = 14;
inline constexpr std::uint32_t kBitmapInfoHeaderSize = 40;

// Rows bottom-up, pixels packed high bits first, each row padded to a multiple of 4 bytes.
Bytes EncodeDibRows(const IndexedImage& image, int bitsPerPixel);
// The 1-bit AND mask of an icon or cursor: set bits are see-through.
Bytes EncodeMaskRows(const std::vector<bool>& seeThrough, int width, int height);
// Exactly 1 << bitsPerPixel entries; unused ones are black.
Bytes EncodeColourTable(const std::vector<Rgb>& palette, int bitsPerPixel);
Bytes EncodeInfoHeader(int width, int heightField, int bitsPerPixel, std::uint32_t imageSize);

// A whole .bmp file: file header, info header, full colour table, bits.
Bytes EncodeBmpFile(const IndexedImage& image, int bitsPerPixel);

}  // namespace nuvik::tools
