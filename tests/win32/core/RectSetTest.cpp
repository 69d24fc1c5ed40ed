#include "core/RectSet.h"

#include <gtest/gtest.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

namespace {

using win32::RectSet;

// Every set is checked against a plain picture of its pixels on a small grid; rectangles may
// reach past the grid, so the grid has a margin that nothing in these tests leaves.
constexpr int kGrid = 40;
constexpr int kOrigin = 8;  // grid cell 0 is coordinate -8
using Pixels = std::bitset<kGrid * kGrid>;

Pixels Paint(const RECT& r) {
    Pixels p;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            p.set((y + kOrigin) * kGrid + x + kOrigin);
    return p;
}

// The pixels of the set, failing the test where two of its rectangles share one or one is
// empty: callers draw each rectangle once and expect each pixel once.
Pixels PixelsOf(const RectSet& set) {
    Pixels covered;
    for (const RECT& r : set) {
        EXPECT_FALSE(win32::IsEmptyRect(r));
        Pixels piece = Paint(r);
        EXPECT_TRUE((covered & piece).none()) << "overlapping rectangles";
        covered |= piece;
    }
    return covered;
}

RECT BoundsOf(const Pixels& p) {
    RECT b{0, 0, 0, 0};
    for (int i = 0; i < kGrid * kGrid; ++i) {
        if (p.test(i)) {
            int x = i % kGrid - kOrigin;
            int y = i / kGrid - kOrigin;
            b = win32::BoundingUnion(b, RECT{x, y, x + 1, y + 1});
        }
    }
    return b;
}

// A small deterministic generator, so a failure names a case that reproduces anywhere.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : state_(seed) {}
    int Below(int n) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
    }
    // Mostly proper rectangles, some empty or inverted, within the grid's margin.
    RECT Rect() {
        int left = Below(20) - 4;
        int top = Below(20) - 4;
        return RECT{left, top, left + Below(12) - 1, top + Below(12) - 1};
    }

  private:
    std::uint32_t state_;
};

struct Model {
    RectSet set;
    Pixels pixels;
};

TEST(RectSet, EveryOperationKeepsDisjointRectanglesCoveringExactlyItsPixels) {
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        Dice dice(seed);
        Model a, b;
        for (int step = 0; step < 12; ++step) {
            RECT r = dice.Rect();
            std::string what;
            switch (dice.Below(8)) {
                case 0:
                    a.set.Add(r), a.pixels |= Paint(r), what = "add rect";
                    break;
                case 1:
                    a.set.Subtract(r), a.pixels &= ~Paint(r), what = "subtract rect";
                    break;
                case 2:
                    a.set.Intersect(r), a.pixels &= Paint(r), what = "intersect rect";
                    break;
                case 3:
                    a.set.Add(b.set), a.pixels |= b.pixels, what = "add set";
                    break;
                case 4:
                    a.set.Subtract(b.set), a.pixels &= ~b.pixels, what = "subtract set";
                    break;
                case 5:
                    a.set.Intersect(b.set), a.pixels &= b.pixels, what = "intersect set";
                    break;
                case 6: {
                    // A move and its way back.
                    int dx = dice.Below(5) - 2;
                    int dy = dice.Below(5) - 2;
                    a.set.Translate(dx, dy);
                    a.set.Translate(-dx, -dy);
                    what = "translate there and back";
                    break;
                }
                default:
                    b.set.Add(r), b.pixels |= Paint(r), what = "add rect to the other";
                    break;
            }
            SCOPED_TRACE("seed " + std::to_string(seed) + " step " + std::to_string(step) + ": " +
                         what);
            ASSERT_EQ(PixelsOf(a.set), a.pixels);
            ASSERT_EQ(PixelsOf(b.set), b.pixels);
            RECT bounds = a.set.Bounds();
            RECT expected = BoundsOf(a.pixels);
            EXPECT_TRUE(bounds.left == expected.left && bounds.top == expected.top &&
                        bounds.right == expected.right && bounds.bottom == expected.bottom);
            EXPECT_EQ(a.set.IsEmpty(), a.pixels.none());
            EXPECT_EQ(a.set.IsRectangle(), !a.set.IsEmpty() && a.pixels == Paint(bounds));
        }
    }
}

TEST(RectSet, CoveringCountsOverlapsOnceAndKeepsInsideTheBounds) {
    const RECT bounds{0, 0, 10, 10};
    const std::array<RECT, 4> rects{RECT{-5, -5, 4, 4}, RECT{2, 2, 8, 8}, RECT{6, 6, 20, 20},
                                    RECT{3, 3, 1, 9}};
    RectSet set = RectSet::Covering({rects.begin(), rects.end()}, bounds);
    Pixels expected;
    for (const RECT& r : rects)
        expected |= Paint(win32::Intersection(r, bounds));
    EXPECT_EQ(PixelsOf(set), expected);
}

TEST(RectSet, TranslateMovesEveryRectangle) {
    RectSet set(RECT{0, 0, 4, 2});
    set.Add(RECT{2, 1, 6, 5});
    Pixels before = PixelsOf(set);
    set.Translate(3, -2);
    EXPECT_EQ(PixelsOf(set), (before << 3) >> (2 * kGrid));
}

}  // namespace
