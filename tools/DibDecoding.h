// Reading back the uncompressed palette bitmaps the generators write, for tests and previews.
#pragma once

#include <string>

#include "tools/Bytes.h"
#include "tools/IndexedImage.h"

namespace nuvik::tools {

// A packed DIB (info header, colour table, bits) at 1, 4 or 8 bits per pixel, bottom-up or
// top-down. Icon and cursor images store twice their height (the mask follows the colour
// bits): pass their real height as `realHeight`, or 0 for a plain bitmap. False with `error`
// for any other format or for data that ends too early.
bool DecodePackedDib(const Bytes& dib, int realHeight, IndexedImage* image, std::string* error);
// A whole .bmp file.
bool DecodeBmpFile(const Bytes& file, IndexedImage* image, std::string* error);

}  // namespace nuvik::tools
