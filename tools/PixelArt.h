// Pictures written as rows of letters, one letter a pixel, so that small artwork reads as
// what it shows in the generator's source.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/IconFiles.h"
#include "tools/IndexedImage.h"

namespace nuvik::tools {

struct PixelArtLetter {
    char letter = 0;
    std::uint8_t index = 0;   // palette index of the pixel
    bool seeThrough = false;  // for icons and cursors; the pixel then keeps index 0
};

// Throws std::invalid_argument for ragged rows or a letter missing from the legend.
MaskedImage PaintPixelArt(const std::vector<std::string_view>& rows,
                          const std::vector<PixelArtLetter>& legend, std::vector<Rgb> palette);

}  // namespace nuvik::tools
