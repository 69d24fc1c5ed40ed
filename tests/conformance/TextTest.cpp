// Text: fonts, extents, TextOutA's reference point and current position, DrawTextA's layout,
// alignment and clipping. Glyph shapes depend on the fonts each side has, so no case expects
// fixed pixels: a text is compared with itself placed another way, or with the rectangle it
// must stay inside.
#include <algorithm>
#include <string>

#include "Conformance.h"

namespace conformance {
namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 80;
constexpr char kGulim[] = "\xB1\xBC\xB8\xB2";  // the face the system asks for, in CP949

HFONT MakeFont(int height, int weight = FW_NORMAL) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, HANGEUL_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       kGulim);
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// A white 32-bit bitmap in a memory DC with the system's font selected, black transparent text.
class TextTest : public Win32Test {
  protected:
    void SetUp() override {
        Win32Test::SetUp();
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        font_ = MakeFont(-16);
        ASSERT_NE(font_, nullptr);
        oldFont_ = SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, RGB(0, 0, 0));
        ASSERT_TRUE(GetTextMetricsA(dc_, &metrics_));
        Clear();
    }
    void TearDown() override {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        Win32Test::TearDown();
    }

    void Clear() {
        RECT all{0, 0, kWidth, kHeight};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }

    // The bounds of every pixel that is no longer white (empty when none is).
    RECT Ink() {
        RECT ink{kWidth, kHeight, 0, 0};
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if ((GetPixel(dc_, x, y) & 0xFFFFFF) == 0xFFFFFF)
                    continue;
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
        }
        if (ink.right == 0)
            SetRectEmpty(&ink);
        return ink;
    }

    SIZE Extent(const std::string& text) {
        SIZE size{-1, -1};
        EXPECT_TRUE(GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size));
        return size;
    }

    // Where the text's ink lands when drawn by DrawTextA into `rect` with `format`.
    RECT DrawnInk(const char* text, RECT rect, UINT format, int* result = nullptr) {
        Clear();
        int height = DrawTextA(dc_, text, -1, &rect, format);
        if (result != nullptr)
            *result = height;
        return Ink();
    }

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    TEXTMETRICA metrics_{};
};

TEST_F(TextTest, CreateFontAKeepsTheRequestItWasMadeFrom) {
    HFONT bold = MakeFont(-12, FW_BOLD);
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(GetObjectType(bold), static_cast<DWORD>(OBJ_FONT));
    LOGFONTA described{};
    ASSERT_EQ(GetObjectA(bold, sizeof described, &described), static_cast<int>(sizeof described));
    EXPECT_EQ(described.lfHeight, -12);
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    EXPECT_EQ(described.lfCharSet, HANGEUL_CHARSET);
    EXPECT_STREQ(described.lfFaceName, kGulim);
    DeleteObject(bold);
    EXPECT_EQ(GetObjectType(bold), 0u);
}

// A negative height asks for the em (the cell without its internal leading), a positive one
// for the cell, which the rounding of the face's ascent and descent may leave a pixel taller.
TEST_F(TextTest, AFontsHeightIsItsEmWhenNegativeAndItsCellWhenPositive) {
    EXPECT_EQ(metrics_.tmHeight - metrics_.tmInternalLeading, 16);
    EXPECT_EQ(metrics_.tmHeight, metrics_.tmAscent + metrics_.tmDescent);
    HFONT cell = MakeFont(metrics_.tmHeight);
    SelectObject(dc_, cell);
    TEXTMETRICA cellMetrics{};
    ASSERT_TRUE(GetTextMetricsA(dc_, &cellMetrics));
    EXPECT_NEAR(cellMetrics.tmHeight, metrics_.tmHeight, 1);
    EXPECT_NEAR(cellMetrics.tmHeight - cellMetrics.tmInternalLeading, 16, 1);
    SelectObject(dc_, font_);
    DeleteObject(cell);
}

TEST_F(TextTest, ExtentsGrowWithTheTextAndAreOneLineHigh) {
    const char* texts[] = {"i", "iW", "iWm", "iWm\xB0\xA1", "iWm\xB0\xA1\xB0\xA1"};  // 가
    LONG previous = 0;
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        SIZE size = Extent(text);
        EXPECT_GT(size.cx, previous);
        EXPECT_EQ(size.cy, metrics_.tmHeight);
        previous = size.cx;
    }
    EXPECT_EQ(Extent("").cx, 0);
    // No kerning between runs: the parts measure the whole.
    EXPECT_EQ(Extent("AVAV").cx, Extent("AV").cx * 2);
    EXPECT_EQ(Extent("\xB0\xA1\xB0\xA1").cx, Extent("\xB0\xA1").cx * 2);
}

TEST_F(TextTest, ExtentsRefuseWhatTheyCannotMeasure) {
    SIZE size{};
    EXPECT_FALSE(GetTextExtentPoint32A(dc_, "abc", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "abc", 3, &size));
}

// TextOutA places the text by its reference point: the alignment says which point of the
// text box (x, y) is.
TEST_F(TextTest, TextOutAPlacesTheTextByItsAlignment) {
    const char* text = "Wjg";
    LONG width = Extent(text).cx;
    struct Case {
        const char* name;
        UINT align;
        LONG dx;
        LONG dy;
    } cases[] = {
        {"right", TA_RIGHT, -width, 0},
        {"center", TA_CENTER, -(width / 2), 0},
        {"bottom", TA_BOTTOM, 0, -metrics_.tmHeight},
        {"baseline", TA_BASELINE, 0, -metrics_.tmAscent},
    };
    SetTextAlign(dc_, TA_LEFT | TA_TOP);
    EXPECT_TRUE(TextOutA(dc_, 120, 40, text, 3));
    RECT reference = Ink();
    ASSERT_FALSE(IsRectEmpty(&reference));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        SetTextAlign(dc_, c.align);
        EXPECT_TRUE(TextOutA(dc_, 120, 40, text, 3));
        RECT expected = reference;
        OffsetRect(&expected, c.dx, c.dy);
        EXPECT_EQ(Describe(Ink()), Describe(expected));
    }
}

// With TA_UPDATECP the text starts from the current position, which then moves past it (or
// back over it when right-aligned); x and y are ignored.
TEST_F(TextTest, TextOutAUsesAndMovesTheCurrentPositionOnlyWhenAsked) {
    LONG width = Extent("abc").cx;
    struct Case {
        const char* name;
        UINT align;
        LONG expectedX;
    } cases[] = {
        {"left", TA_UPDATECP, 100 + width},
        {"right", TA_UPDATECP | TA_RIGHT, 100 - width},
        {"center", TA_UPDATECP | TA_CENTER, 100},
        {"no update", TA_NOUPDATECP, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoveToEx(dc_, 100, 20, nullptr);
        SetTextAlign(dc_, c.align);
        EXPECT_EQ(GetTextAlign(dc_), c.align);
        EXPECT_TRUE(TextOutA(dc_, 5, 5, "abc", 3));
        POINT position{};
        MoveToEx(dc_, 0, 0, &position);
        EXPECT_EQ(position.x, c.expectedX);
        EXPECT_EQ(position.y, 20);
    }
    Clear();
    SetTextAlign(dc_, TA_UPDATECP);
    MoveToEx(dc_, 100, 20, nullptr);
    TextOutA(dc_, 0, 0, "abc", 3);
    RECT ink = Ink();
    EXPECT_GE(ink.left, 100);  // drawn at the current position, not at (0, 0)
    EXPECT_LE(ink.right, 100 + width + 2);
}

TEST_F(TextTest, TextOutAStaysInsideTheClipRegion) {
    IntersectClipRect(dc_, 0, 0, 30, kHeight);
    EXPECT_TRUE(TextOutA(dc_, 4, 4, "WWWWWWWWWW", 10));
    RECT ink = Ink();
    EXPECT_FALSE(IsRectEmpty(&ink));
    EXPECT_LE(ink.right, 30);
    EXPECT_FALSE(TextOutA(nullptr, 4, 4, "W", 1));
}

// DT_CALCRECT measures without drawing: the rectangle is made to fit the text and the text's
// height is returned.
TEST_F(TextTest, DrawTextACalcRectMeasuresWithoutDrawing) {
    LONG line = metrics_.tmHeight;
    struct Case {
        const char* name;
        const char* text;
        UINT format;
        LONG width;  // of the rectangle handed in
        LONG expectedWidth;
        LONG expectedHeight;
    } cases[] = {
        {"one line", "Wjg Wjg", 0, 200, Extent("Wjg Wjg").cx, line},
        {"two lines", "Wjg\nWjg Wjg", 0, 200, Extent("Wjg Wjg").cx, 2 * line},
        {"single line ignores breaks", "ab\ncd", DT_SINGLELINE, 200, -1, line},
        {"word break", "Wjg Wjg Wjg", DT_WORDBREAK, Extent("Wjg Wjg").cx, Extent("Wjg Wjg").cx,
         2 * line},
        {"prefix", "&Save", 0, 200, Extent("Save").cx, line},
        {"no prefix", "&Save", DT_NOPREFIX, 200, Extent("&Save").cx, line},
        {"tab stops every eight average characters", "i\tW", DT_EXPANDTABS, 200,
         8 * metrics_.tmAveCharWidth + Extent("W").cx, line},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        RECT rect{10, 5, 10 + c.width, 6};
        int height = DrawTextA(dc_, c.text, -1, &rect, c.format | DT_CALCRECT);
        EXPECT_EQ(height, c.expectedHeight);
        EXPECT_EQ(rect.left, 10);
        EXPECT_EQ(rect.top, 5);
        EXPECT_EQ(rect.bottom, 5 + c.expectedHeight);
        if (c.expectedWidth >= 0) {
            EXPECT_EQ(rect.right - rect.left, c.expectedWidth);
        }
        RECT ink = Ink();
        EXPECT_TRUE(IsRectEmpty(&ink));
    }
}

// Alignment moves the text as a whole: its ink is the left/top-aligned ink shifted by what the
// rectangle leaves over. DT_VCENTER and DT_BOTTOM act on single lines only.
TEST_F(TextTest, DrawTextAAlignsTheTextInItsRectangle) {
    const char* text = "Wjg";
    const RECT box{20, 10, 220, 70};
    LONG spareX = (box.right - box.left) - Extent(text).cx;
    LONG spareY = (box.bottom - box.top) - metrics_.tmHeight;
    struct Case {
        const char* name;
        UINT format;
        LONG dx;
        LONG dy;
        int result;  // what DrawTextA returns
    } cases[] = {
        {"center", DT_CENTER, spareX / 2, 0, metrics_.tmHeight},
        {"right", DT_RIGHT, spareX, 0, metrics_.tmHeight},
        {"vcenter", DT_SINGLELINE | DT_VCENTER, 0, spareY / 2, spareY / 2 + metrics_.tmHeight},
        {"bottom", DT_SINGLELINE | DT_BOTTOM, 0, spareY, spareY + metrics_.tmHeight},
        {"vcenter without single line", DT_VCENTER, 0, 0, metrics_.tmHeight},
        {"right bottom", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, spareX, spareY,
         spareY + metrics_.tmHeight},
    };
    int topLeftResult = 0;
    RECT reference = DrawnInk(text, box, DT_LEFT | DT_TOP, &topLeftResult);
    ASSERT_FALSE(IsRectEmpty(&reference));
    EXPECT_EQ(topLeftResult, metrics_.tmHeight);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int result = 0;
        RECT ink = DrawnInk(text, box, c.format, &result);
        RECT expected = reference;
        OffsetRect(&expected, c.dx, c.dy);
        EXPECT_EQ(Describe(ink), Describe(expected));
        EXPECT_EQ(result, c.result);
    }
}

TEST_F(TextTest, DrawTextAClipsToItsRectangleUnlessToldNotTo) {
    const RECT box{10, 10, 40, 40};
    RECT clipped = DrawnInk("WWWWWWWWWW", box, DT_SINGLELINE);
    EXPECT_FALSE(IsRectEmpty(&clipped));
    RECT inside{};
    EXPECT_TRUE(IntersectRect(&inside, &clipped, &box));
    EXPECT_TRUE(SameRect(inside, clipped)) << Describe(clipped);
    RECT unclipped = DrawnInk("WWWWWWWWWW", box, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(unclipped.right, box.right);
}

// DT_END_ELLIPSIS: a line too wide for its rectangle ends in "..." after as much of the text
// as fits with it, so that it stays inside even unclipped; a line that fits is left alone.
TEST_F(TextTest, DrawTextAEndsALineThatDoesNotFitWithAnEllipsis) {
    const std::string text = "WjgWjgWjgWjgWjgWjg";
    const RECT box{10, 10, 10 + Extent(text).cx / 2, 40};
    std::string expected = "...";
    for (std::size_t kept = 1; kept < text.size(); ++kept) {
        std::string candidate = text.substr(0, kept) + "...";
        if (Extent(candidate).cx > box.right - box.left)
            break;
        expected = candidate;
    }
    const UINT format = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
    RECT ellipsized = DrawnInk(text.c_str(), box, format | DT_END_ELLIPSIS);
    EXPECT_EQ(Describe(ellipsized), Describe(DrawnInk(expected.c_str(), box, format)));
    EXPECT_LE(ellipsized.right, box.right);
    RECT measured = box;
    EXPECT_EQ(DrawTextA(dc_, text.c_str(), -1, &measured, format | DT_END_ELLIPSIS | DT_CALCRECT),
              metrics_.tmHeight);
    EXPECT_EQ(measured.right - measured.left, Extent(expected).cx);
    const RECT wide{10, 10, 230, 40};
    EXPECT_EQ(Describe(DrawnInk("Wjg", wide, format | DT_END_ELLIPSIS)),
              Describe(DrawnInk("Wjg", wide, format)));
}

}  // namespace
}  // namespace conformance
