// .ico and .cur files holding one image each: a directory of one entry followed by the image
// (info header with doubled height, colour table, colour bits, AND mask).
#pragma once

#include <vector>

#include "tools/Bytes.h"
#include "tools/IndexedImage.h"

namespace nuvik::tools {

// A picture with its see-through pixels; see-through pixels keep colour index 0 so that the
// XOR part leaves the screen unchanged there.
struct MaskedImage {
    IndexedImage picture;
    std::vector<bool> seeThrough;  // row after row, like picture.pixels
};

Bytes EncodeIconFile(const MaskedImage& image, int bitsPerPixel);
Bytes EncodeCursorFile(const MaskedImage& image, int bitsPerPixel, int hotX, int hotY);

}  // namespace nuvik::tools
