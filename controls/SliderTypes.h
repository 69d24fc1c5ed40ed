// The slider's enumerations and sets, in the order of their values: the form resource names
// them, and the option and picture sets are stored one byte wide.
#pragma once

#include <array>
#include <memory>

#include "forms/Picture.h"
#include "forms/Set.h"

namespace controls {

enum TSliderOrientation { soHorizontal, soVertical };

enum TSliderOption {
    soShowFocus,    // a dotted focus rectangle while the control holds the focus
    soShowPoints,   // tick marks under (or beside) the ruler
    soSmooth,       // a drag may land on any value, not only MinValue plus multiples of Increment
    soRulerOpaque,  // the ruler is drawn without its transparent colour left out
    soThumbOpaque,  // the thumb likewise
};
using TSliderOptions = forms::TSet<TSliderOption>;

// The four picture slots.
enum TSliderImage { siHThumb, siHRuler, siVThumb, siVRuler };
using TSliderImages = forms::TSet<TSliderImage>;
inline constexpr int kSliderImageCount = 4;
using TSliderImageArray = std::array<std::unique_ptr<forms::TPicture>, kSliderImageCount>;

// The kinds of one step of the value.
enum TJumpMode { jmNone, jmHome, jmEnd, jmNext, jmPrior };

// How many thumb pictures lie side by side in a thumb image: 1 or 2 (normal, then pressed).
using TNumThumbStates = int;
inline constexpr TNumThumbStates kMinThumbStates = 1;
inline constexpr TNumThumbStates kMaxThumbStates = 2;

}  // namespace controls
