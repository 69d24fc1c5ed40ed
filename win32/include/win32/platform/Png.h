// PNG files of pixel buffers: screenshots for hosts, golden images for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "win32/platform/Framebuffer.h"

namespace win32::png {

// An image as 8-bit RGB triples, row after row.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// The buffer's pixels as they appear on screen (every format widened to 8-bit channels).
RgbImage ToRgb(const PixelBuffer& buffer);
// Writes an RGB PNG; false with `error` set when the file cannot be written.
bool Write(const RgbImage& image, const std::string& path, std::string* error);
bool Read(const std::string& path, RgbImage* image, std::string* error);

}  // namespace win32::png
