// The slider's four built-in 4-bit pictures: horizontal and vertical thumb (normal and pressed
// side by side) and ruler groove.
#pragma once

#include <string>
#include <vector>

#include "tools/Bytes.h"
#include "tools/IndexedImage.h"

namespace nuvik::tools {

struct SliderBitmap {
    std::string name;  // resource name, also the file's stem
    IndexedImage image;
};

// "W95_HTB", "W95_HRL", "W95_VTB", "W95_VRL", in that order, on the 16-colour palette.
std::vector<SliderBitmap> MakeSliderBitmaps();
Bytes EncodeSliderBitmap(const SliderBitmap& bitmap);

}  // namespace nuvik::tools
