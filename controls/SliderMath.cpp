#include "controls/SliderMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace controls {

namespace {

int ClampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

}  // namespace

long long RoundHalfEven(long double x) {
    // nearbyint follows the rounding mode, whose default is to the nearest, ties to even.
    return static_cast<long long>(std::nearbyint(x));
}

bool TSliderMapping::Degenerate() const {
    return rulerLength <= 0 || maxValue <= minValue;
}

int TSliderMapping::OffsetByValue(int v) const {
    if (Degenerate())
        return trackOrigin;
    long double fraction = static_cast<long double>(static_cast<long long>(v) - minValue) /
                           static_cast<long double>(static_cast<long long>(maxValue) - minValue);
    long long offset =
        RoundHalfEven(static_cast<long double>(rulerLength) * fraction) + trackOrigin;
    if (vertical)
        offset = static_cast<long long>(mirrorSum) - offset - thumbLength;
    return ClampToInt(std::max<long long>(offset, trackOrigin));
}

int TSliderMapping::ValueByOffset(int o) const {
    long long offset = o;
    if (vertical)
        offset = static_cast<long long>(clientHeight) - offset - thumbLength;
    long long steps = 0;
    if (!Degenerate()) {
        // The product is formed before the division, so that it stays exact.
        long long product = (offset - trackOrigin) * (static_cast<long long>(maxValue) - minValue);
        steps = RoundHalfEven(static_cast<long double>(product) / rulerLength);
        if (!smooth && increment >= 1)
            steps = RoundHalfEven(static_cast<long double>(steps) / increment) * increment;
    }
    long long value = std::max<long long>(steps, 0) + minValue;
    return ClampToInt(std::min<long long>(value, maxValue));
}

int TSliderMapping::SnapOffset(int o) const {
    int last = trackOrigin + std::max(rulerLength, 0);
    o = std::clamp(o, trackOrigin, last);
    return std::min(OffsetByValue(ValueByOffset(o)), last);
}

int JumpTarget(TJumpMode mode, int value, int minValue, int maxValue, int increment) {
    long long step = std::max(increment, 1);
    long long target = value;
    switch (mode) {
        case jmNone:
            return value;
        case jmHome:
            target = minValue;
            break;
        case jmEnd:
            target = maxValue;
            break;
        case jmNext:
            target = RoundHalfEven(static_cast<long double>(value) / step) * step + step;
            break;
        case jmPrior:
            target = RoundHalfEven(static_cast<long double>(value) / step) * step - step;
            break;
    }
    if (target >= maxValue)
        target = maxValue;
    else if (target <= minValue)
        target = minValue;
    return ClampToInt(target);
}

namespace {

// How many ticks a step of `distance` gives, and whether they lie far enough apart.
struct TTickStep {
    long long count = 0;
    bool wideEnough = false;
};

TTickStep EvaluateTickStep(long long range, long long distance, int rulerLength) {
    TTickStep step;
    step.count = RoundHalfEven(static_cast<long double>(range) / distance) + 1;
    long long spacing = step.count > 1 ? rulerLength / (step.count - 1) : rulerLength;
    step.wideEnough = spacing >= 4 || spacing >= rulerLength;
    return step;
}

}  // namespace

std::vector<TTickMark> TickMarks(int minValue, int maxValue, int increment, int rulerLength,
                                 int innerLength, int endLength) {
    long long range = static_cast<long long>(maxValue) - minValue;
    long long unit = std::max(increment, 1);
    // The first multiple j of the increment whose ticks are wide enough. The spacing never
    // shrinks as j grows, so the first j is found by doubling and halving instead of trying
    // every j, which would take seconds for a range of billions and an increment of 1.
    long long j = 1;
    TTickStep step = EvaluateTickStep(range, unit, rulerLength);
    if (!step.wideEnough) {
        long long narrow = 1;
        long long wide = 2;
        while (!EvaluateTickStep(range, wide * unit, rulerLength).wideEnough) {
            narrow = wide;
            wide *= 2;
        }
        while (wide - narrow > 1) {
            long long middle = narrow + (wide - narrow) / 2;
            if (EvaluateTickStep(range, middle * unit, rulerLength).wideEnough)
                wide = middle;
            else
                narrow = middle;
        }
        j = wide;
        step = EvaluateTickStep(range, j * unit, rulerLength);
    }
    long long count = step.count;
    // Without a track every tick lands on the same pixel: the two ends are enough.
    if (rulerLength <= 0)
        count = std::min<long long>(count, range > 0 ? 2 : 1);
    long long distance = j * unit;
    std::vector<TTickMark> ticks;
    for (long long i = 0; i < count; ++i) {
        long long value = i == count - 1 ? maxValue : minValue + i * distance;
        bool end = value == minValue || value == maxValue;
        ticks.push_back({ClampToInt(value), end ? endLength : innerLength});
    }
    return ticks;
}

}  // namespace controls
