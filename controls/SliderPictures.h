// The slider's built-in pictures and cursors among the program's resources, and the drawing of
// part of a picture with or without its transparent colour.
#pragma once

#include "controls/SliderTypes.h"
#include "forms/Bitmap.h"
#include "forms/Canvas.h"
#include "forms/Types.h"

namespace controls {

// The screen cursor numbers the slider's cursors are registered under: the pointing hand shown
// over the thumb, and the grasping hand (registered, never shown).
inline constexpr forms::TCursor crSliderHand = 14000;
inline constexpr forms::TCursor crSliderDrag = 14001;
inline constexpr const char* kHandCursorName = "KW_HANDCUR";
inline constexpr const char* kDragCursorName = "KW_DRAGCUR";

// The bitmap resource of a slot: "W95_HTB", "W95_HRL", "W95_VTB" or "W95_VRL".
const char* BuiltinImageName(TSliderImage slot);
bool IsThumbImage(TSliderImage slot);

// Replaces the picture's content with the slot's built-in bitmap (forms::EInvalidGraphic when
// the resource is missing, the picture unchanged then).
void LoadBuiltinImage(forms::TPicture& picture, TSliderImage slot);

// Draws `source` (clipped to the bitmap) of `bitmap` with its top-left corner at (x, y);
// with `transparent`, the pixels of the bitmap's transparent colour leave the canvas alone.
// The bitmap itself is not touched, so drawing raises none of its change notices.
void DrawBitmapPart(forms::TCanvas& canvas, int x, int y, forms::TBitmap& bitmap, RECT source,
                    bool transparent);

}  // namespace controls
