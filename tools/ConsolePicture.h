// The main window's background: the front of the white handheld console on a black ground,
// 640 x 480 at 8 bits per pixel with a 256-entry colour table.
#pragma once

#include "tools/Bytes.h"
#include "tools/FontText.h"
#include "tools/IndexedImage.h"

namespace nuvik::tools {

inline constexpr int kConsolePictureWidth = 640;
inline constexpr int kConsolePictureHeight = 480;

IndexedImage PaintConsolePicture(const FontText& labels);
Bytes EncodeConsolePicture(const IndexedImage& picture);

}  // namespace nuvik::tools
