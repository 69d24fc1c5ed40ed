// The slider's arithmetic on its own, where the control's tests cannot reach easily: rounding
// half to even, the non-smooth and vertical mappings, the ruler tiling, and the guards for
// tracks and ranges of no length and for ranges as wide as the integers.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <vector>

#include "controls/RulerTiling.h"
#include "controls/SliderMath.h"

namespace slidertest {
namespace {

using namespace controls;

// The main window's slider: 89 x 28, thumb 9 wide, ruler 77 wide, range 10..60.
TSliderMapping MainWindowMapping(bool smooth = true) {
    TSliderMapping mapping;
    mapping.trackOrigin = 6;
    mapping.rulerLength = 68;
    mapping.minValue = 10;
    mapping.maxValue = 60;
    mapping.increment = 10;
    mapping.smooth = smooth;
    return mapping;
}

TEST(SliderMathTest, RoundsToTheNearestAndHalvesToTheEvenNeighbour) {
    struct Case {
        long double x;
        long long expected;
    };
    const std::vector<Case> cases = {
        {12.5L, 12}, {37.5L, 38},  {3.5L, 4},    {4.5L, 4}, {2.5L, 2},  {-2.5L, -2},
        {-3.5L, -4}, {12.49L, 12}, {12.51L, 13}, {0.0L, 0}, {-0.5L, 0}, {13.6L, 14},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfEven(c.x), c.expected) << static_cast<double>(c.x);
}

TEST(SliderMathTest, WithoutSmoothAPositionGivesOnlyMultiplesOfTheIncrement) {
    TSliderMapping mapping = MainWindowMapping(false);
    struct Case {
        int offset;
        int value;
    };
    const std::vector<Case> cases = {
        {12, 10},  // 4 steps: 0.4 increments -> 0
        {14, 20},  // 6 steps: 0.6 -> 1
        {23, 20},  // 12 steps: 1.2 -> 1
        {40, 30},  // 25 steps: 2.5 -> 2, the even neighbour
        {57, 50},  // 38 steps: 3.8 -> 4
        {74, 60},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mapping.ValueByOffset(c.offset), c.value) << "offset " << c.offset;
        EXPECT_EQ(mapping.SnapOffset(c.offset), mapping.OffsetByValue(c.value));
    }
}

TEST(SliderMathTest, TheVerticalMappingIsTheMirrorWithMaxValueAtTheTop) {
    // A 28 x 89 vertical slider: thumb 19 x 9, ruler 8 x 77, so L = 68 again.
    TSliderMapping mapping;
    mapping.vertical = true;
    mapping.trackOrigin = 6;
    mapping.rulerLength = 68;
    mapping.thumbLength = 9;
    mapping.mirrorSum = 89;
    mapping.clientHeight = 89;
    mapping.minValue = 10;
    mapping.maxValue = 60;
    const std::vector<std::pair<int, int>> cases = {{60, 6}, {10, 74}, {35, 40}, {48, 22}};
    for (auto [value, top] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(mapping.OffsetByValue(value), top);
        EXPECT_EQ(mapping.ValueByOffset(top), value);
    }
    EXPECT_EQ(mapping.ValueByOffset(-20), 60);
    EXPECT_EQ(mapping.SnapOffset(200), 74);
}

TEST(SliderMathTest, ANoLengthTrackOrAnEmptyRangeKeepsTheThumbAtTheOrigin) {
    struct Case {
        const char* what;
        int rulerLength;
        int minValue;
        int maxValue;
    };
    const std::vector<Case> cases = {
        {"no track", 0, 10, 60},
        {"a ruler shorter than the thumb", -6, 10, 60},
        {"an empty range", 68, 10, 10},
        {"a reversed range while reading", 68, 70, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSliderMapping mapping = MainWindowMapping();
        mapping.rulerLength = c.rulerLength;
        mapping.minValue = c.minValue;
        mapping.maxValue = c.maxValue;
        for (int value : {c.minValue, c.maxValue, 35})
            EXPECT_EQ(mapping.OffsetByValue(value), 6);
        for (int offset : {-10, 6, 40, 90})
            EXPECT_EQ(mapping.ValueByOffset(offset), std::min(c.minValue, c.maxValue));
        EXPECT_EQ(mapping.SnapOffset(50), 6);
    }
}

TEST(SliderMathTest, HugeRangesMapWithoutOverflow) {
    TSliderMapping mapping = MainWindowMapping();
    mapping.minValue = INT_MIN;
    mapping.maxValue = INT_MAX;
    EXPECT_EQ(mapping.OffsetByValue(INT_MIN), 6);
    EXPECT_EQ(mapping.OffsetByValue(INT_MAX), 74);
    EXPECT_EQ(mapping.OffsetByValue(0), 40);
    EXPECT_EQ(mapping.ValueByOffset(74), INT_MAX);
    EXPECT_EQ(mapping.ValueByOffset(6), INT_MIN);
}

TEST(SliderMathTest, AStepNearTheIntegerLimitsClampsInsteadOfOverflowing) {
    EXPECT_EQ(JumpTarget(jmNext, INT_MAX - 5, INT_MIN, INT_MAX, 1000), INT_MAX);
    EXPECT_EQ(JumpTarget(jmPrior, INT_MIN + 5, INT_MIN, INT_MAX, 1000), INT_MIN);
    EXPECT_EQ(JumpTarget(jmNone, 35, 10, 60, 10), 35);
}

TEST(SliderMathTest, TickChoiceStaysFastAndBoundedForExtremeRanges) {
    auto start = std::chrono::steady_clock::now();
    std::vector<TTickMark> ticks = TickMarks(INT_MIN, INT_MAX, 1, 68, 3, 5);
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::milliseconds(100));
    ASSERT_GE(ticks.size(), 2u);
    EXPECT_LE(ticks.size(), 68u / 4 + 1);
    EXPECT_EQ(ticks.front().value, INT_MIN);
    EXPECT_EQ(ticks.back().value, INT_MAX);
    // Without a track at most the two ends are drawn, however many ticks the range asks for.
    EXPECT_EQ(TickMarks(0, 1000000, 1, 0, 3, 5).size(), 2u);
    EXPECT_EQ(TickMarks(10, 10, 10, 68, 3, 5).size(), 1u);
}

TEST(SliderMathTest, TheRulerRepeatsThePicturesMiddleBetweenItsEndCaps) {
    struct Case {
        const char* what;
        int ruler;
        int picture;
        int edge;
        std::vector<TRulerPiece> pieces;
    };
    const std::vector<Case> cases = {
        {"the main window's ruler",
         77,
         10,
         1,
         {{0, 0, 9},
          {1, 9, 8},
          {1, 17, 8},
          {1, 25, 8},
          {1, 33, 8},
          {1, 41, 8},
          {1, 49, 8},
          {1, 57, 8},
          {1, 65, 8},
          {6, 73, 4}}},
        {"an exact fit", 18, 10, 1, {{0, 0, 9}, {1, 9, 8}, {9, 17, 1}}},
        {"EdgeSize 2", 20, 10, 2, {{0, 0, 8}, {2, 8, 6}, {4, 14, 6}}},
        {"shorter than the picture: cut, no trailing cap", 7, 10, 1, {{0, 0, 7}}},
        {"no caps", 25, 10, 0, {{0, 0, 10}, {0, 10, 10}, {5, 20, 5}}},
        {"caps the picture no longer fits",
         12,
         6,
         4,
         {{0, 0, 4}, {2, 4, 2}, {2, 6, 2}, {2, 8, 2}, {4, 10, 2}}},
        {"nothing to tile", 0, 10, 1, {}},
        {"an empty picture", 30, 0, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RulerPieces(c.ruler, c.picture, c.edge), c.pieces);
    }
}

}  // namespace
}  // namespace slidertest
