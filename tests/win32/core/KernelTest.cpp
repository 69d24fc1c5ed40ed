#include <gtest/gtest.h>

#include <climits>

#include "win32/kernel.h"

namespace {

TEST(MulDiv, RoundsHalfAwayFromZeroAndReportsOverflowAsMinusOne) {
    struct Case {
        int number, numerator, denominator, result;
    } cases[] = {
        {8, 96, 72, 11},  // 8 point at 96 dpi
        {10, 3, 4, 8},
        {-10, 3, 4, -8},
        {10, -3, 4, -8},
        {10, 3, -4, -8},
        {-10, -3, -4, -8},
        {5, 1, 2, 3},
        {-5, 1, 2, -3},
        {4, 1, 3, 1},
        {-4, 1, 3, -1},
        {0, 5, 7, 0},
        {1, 1, 0, -1},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {INT_MAX, 2, 1, -1},
        {INT_MIN, 1, 1, -1},
        {INT_MIN, 1, 2, INT_MIN / 2},
        {65536, 65536, 65536, 65536},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.result)
            << c.number << " * " << c.numerator << " / " << c.denominator;
    }
}

}  // namespace
