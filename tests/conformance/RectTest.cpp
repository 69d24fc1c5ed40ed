// The rectangle helpers: half-open rectangles, empty results, and what SubtractRect does when the
// difference is not a rectangle.
#include "Conformance.h"

namespace conformance {
namespace {

struct RectCase {
    const char* name;
    RECT a;
    RECT b;
    BOOL result;
    RECT expected;
};

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

class IntersectRectTest : public Win32Test, public ::testing::WithParamInterface<RectCase> {};

TEST_P(IntersectRectTest, GivesTheCommonPartOrAnEmptyRectangle) {
    const RectCase& c = GetParam();
    RECT out{9, 9, 9, 9};
    EXPECT_EQ(IntersectRect(&out, &c.a, &c.b) != FALSE, c.result != FALSE);
    EXPECT_EQ(Describe(out), Describe(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntersectRectTest,
    ::testing::Values(RectCase{"Overlapping", {0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}},
                      RectCase{"Touching", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}},
                      RectCase{"Apart", {0, 0, 10, 10}, {20, 20, 30, 30}, FALSE, {0, 0, 0, 0}},
                      RectCase{"Inside", {0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}},
                      RectCase{"WithEmpty", {0, 0, 10, 10}, {3, 3, 3, 8}, FALSE, {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<RectCase>& row) { return std::string(row.param.name); });

class UnionRectTest : public Win32Test, public ::testing::WithParamInterface<RectCase> {};

TEST_P(UnionRectTest, GivesTheBoundsAndIgnoresEmptyRectangles) {
    const RectCase& c = GetParam();
    RECT out{9, 9, 9, 9};
    EXPECT_EQ(UnionRect(&out, &c.a, &c.b) != FALSE, c.result != FALSE);
    EXPECT_EQ(Describe(out), Describe(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnionRectTest,
    ::testing::Values(RectCase{"Apart", {0, 0, 10, 10}, {20, 20, 30, 30}, TRUE, {0, 0, 30, 30}},
                      RectCase{"OneEmpty", {0, 0, 10, 10}, {50, 50, 50, 60}, TRUE, {0, 0, 10, 10}},
                      RectCase{"BothEmpty", {5, 5, 5, 5}, {7, 7, 7, 9}, FALSE, {0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<RectCase>& row) { return std::string(row.param.name); });

class SubtractRectTest : public Win32Test, public ::testing::WithParamInterface<RectCase> {};

TEST_P(SubtractRectTest, CutsOnlyWhenTheRestIsARectangle) {
    const RectCase& c = GetParam();
    RECT out{9, 9, 9, 9};
    EXPECT_EQ(SubtractRect(&out, &c.a, &c.b) != FALSE, c.result != FALSE);
    EXPECT_EQ(Describe(out), Describe(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SubtractRectTest,
    ::testing::Values(RectCase{"RightPart", {0, 0, 10, 10}, {5, -1, 11, 11}, TRUE, {0, 0, 5, 10}},
                      RectCase{"TopPart", {0, 0, 10, 10}, {-1, -1, 11, 4}, TRUE, {0, 4, 10, 10}},
                      RectCase{"Middle", {0, 0, 10, 10}, {3, 3, 6, 6}, TRUE, {0, 0, 10, 10}},
                      RectCase{"Everything", {0, 0, 10, 10}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0}},
                      RectCase{"Nothing", {0, 0, 10, 10}, {20, 20, 30, 30}, TRUE, {0, 0, 10, 10}}),
    [](const ::testing::TestParamInfo<RectCase>& row) { return std::string(row.param.name); });

TEST_F(Win32Test, PtInRectExcludesTheRightAndBottomEdges) {
    RECT r{0, 0, 10, 5};
    EXPECT_TRUE(PtInRect(&r, POINT{0, 0}));
    EXPECT_TRUE(PtInRect(&r, POINT{9, 4}));
    EXPECT_FALSE(PtInRect(&r, POINT{10, 4}));
    EXPECT_FALSE(PtInRect(&r, POINT{9, 5}));
    EXPECT_FALSE(PtInRect(&r, POINT{-1, 0}));
}

TEST_F(Win32Test, IsRectEmptyForNoAreaOrUpsideDown) {
    RECT flat{0, 0, 10, 0};
    RECT inverted{10, 0, 0, 10};
    RECT solid{0, 0, 1, 1};
    EXPECT_TRUE(IsRectEmpty(&flat));
    EXPECT_TRUE(IsRectEmpty(&inverted));
    EXPECT_FALSE(IsRectEmpty(&solid));
}

TEST_F(Win32Test, InflateOffsetAndCopyMoveEveryEdge) {
    RECT r{10, 10, 20, 20};
    InflateRect(&r, 2, -3);
    EXPECT_EQ(Describe(r), "8,13,22,17");
    OffsetRect(&r, -8, 1);
    EXPECT_EQ(Describe(r), "0,14,14,18");
    RECT same{};
    EXPECT_TRUE(CopyRect(&same, &r));
    EXPECT_TRUE(EqualRect(&same, &r));
    EXPECT_FALSE(CopyRect(nullptr, &r));
    EXPECT_FALSE(CopyRect(&same, nullptr));
    SetRectEmpty(&same);
    EXPECT_EQ(Describe(same), "0,0,0,0");
}

}  // namespace
}  // namespace conformance
