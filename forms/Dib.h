// Decoding of packed device-independent bitmaps (BITMAPINFOHEADER, optional colour masks and
// colour table, then the pixel rows), as bitmap resources and inline picture data hold them.
// Every size and offset is checked against the data before a byte is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace forms {

struct TDibImage {
    int width = 0;
    int height = 0;
    // 0x00RRGGBB, the top row first.
    std::vector<std::uint32_t> pixels;
};

// The largest width or height accepted; anything bigger is treated as damaged data.
inline constexpr int kMaxDibDimension = 8192;

// False with `error` set when the data is not a bitmap this decoder understands (1, 4, 8, 16,
// 24 or 32 bits per pixel; uncompressed or with colour masks).
bool DecodePackedDib(const void* data, std::size_t size, TDibImage* image, std::string* error);

}  // namespace forms
