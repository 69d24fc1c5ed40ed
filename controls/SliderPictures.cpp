#include "controls/SliderPictures.h"

#include <algorithm>

#include "forms/Colors.h"
#include "forms/Instance.h"

namespace controls {

const char* BuiltinImageName(TSliderImage slot) {
    switch (slot) {
        case siHThumb:
            return "W95_HTB";
        case siHRuler:
            return "W95_HRL";
        case siVThumb:
            return "W95_VTB";
        case siVRuler:
            return "W95_VRL";
    }
    return "W95_HTB";
}

bool IsThumbImage(TSliderImage slot) {
    return slot == siHThumb || slot == siVThumb;
}

void LoadBuiltinImage(forms::TPicture& picture, TSliderImage slot) {
    picture.LoadFromResourceName(forms::HInstance(), BuiltinImageName(slot));
}

void DrawBitmapPart(forms::TCanvas& canvas, int x, int y, forms::TBitmap& bitmap, RECT source,
                    bool transparent) {
    if (bitmap.Empty())
        return;
    RECT part{std::max<LONG>(source.left, 0), std::max<LONG>(source.top, 0),
              std::min<LONG>(source.right, bitmap.Width()),
              std::min<LONG>(source.bottom, bitmap.Height())};
    if (part.right <= part.left || part.bottom <= part.top)
        return;
    x += part.left - source.left;
    y += part.top - source.top;
    int width = part.right - part.left;
    int height = part.bottom - part.top;
    HDC target = canvas.Handle();
    HDC pixels = bitmap.Canvas()->Handle();
    if (transparent) {
        TransparentBlt(target, x, y, width, height, pixels, part.left, part.top, width, height,
                       forms::ColorToRGB(bitmap.TransparentColor()));
    } else {
        BitBlt(target, x, y, width, height, pixels, part.left, part.top, SRCCOPY);
    }
}

}  // namespace controls
