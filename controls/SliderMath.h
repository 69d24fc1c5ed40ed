// The slider's arithmetic: rounding, the mappings between values and thumb positions, one
// keyboard or stepping jump, and the choice of tick marks. Pure functions of the numbers they
// are given, so that the control and its tests share one source of truth.
#pragma once

#include <vector>

#include "controls/SliderTypes.h"

namespace controls {

// Nearest integer, an exact half going to the even neighbour (12.5 -> 12, 37.5 -> 38), taken in
// extended precision under the default rounding mode.
long long RoundHalfEven(long double x);

// The numbers one axis of the slider is mapped with. Leading edge means the thumb's left edge
// (horizontal) or top edge (vertical).
struct TSliderMapping {
    bool vertical = false;
    int trackOrigin = 0;   // B: the leading edge at MinValue (horizontal) or MaxValue (vertical)
    int rulerLength = 0;   // L: how far the leading edge travels
    int thumbLength = 0;   // the thumb's height; only the vertical mirror uses it
    int mirrorSum = 0;     // vertical: S.top + S.bottom, the mirror of value to pixel
    int clientHeight = 0;  // vertical: the client height, the mirror of pixel to value
    int minValue = 0;
    int maxValue = 100;
    int increment = 10;
    bool smooth = true;

    // A control too small to have a track (L <= 0), or an empty range admitted while a form
    // is read, maps every value to the track origin and every pixel to MinValue.
    bool Degenerate() const;
    // The leading edge of the thumb for value `v`.
    int OffsetByValue(int v) const;
    // The value a leading edge at `o` stands for, within MinValue..MaxValue.
    int ValueByOffset(int o) const;
    // `o` clamped to the track and moved onto the exact position of the value it stands for.
    int SnapOffset(int o) const;
};

// The value one step of `mode` leads to from `value` (jmNone: `value` itself). Next and prior
// first round value / increment, so a value between multiples moves to a multiple.
int JumpTarget(TJumpMode mode, int value, int minValue, int maxValue, int increment);

struct TTickMark {
    int value = 0;
    int length = 0;
};

// The tick marks for a range drawn along a track of `rulerLength` pixels: the first multiple
// of `increment` whose ticks lie at least 4 pixels apart, MinValue first, the last one always
// at MaxValue; the two ends `endLength` long, the others `innerLength`.
std::vector<TTickMark> TickMarks(int minValue, int maxValue, int increment, int rulerLength,
                                 int innerLength, int endLength);

}  // namespace controls
