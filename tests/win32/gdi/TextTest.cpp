#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "GdiTestSupport.h"
#include "support/Golden.h"

namespace {

using gdi_test::AllLayouts;
using gdi_test::Canvas;
using Art = std::vector<std::string>;

const COLORREF kInk = RGB(255, 255, 255);
const char kFrameCp949[] = "\xC7\xC1\xB7\xB9\xC0\xD3";  // "프레임"

// 'A' of GNU Unifont in its 8 x 16 cell.
const Art kUnifontA = {"........", "........", "........", "........", "...##...", "..#..#..",
                       "..#..#..", ".#....#.", ".#....#.", ".######.", ".#....#.", ".#....#.",
                       ".#....#.", ".#....#.", "........", "........"};
// The top ten rows of '프' of GNU Unifont (rows 2 to 11 of its 16 x 16 cell).
const Art kUnifontPeu = {"..###########...", "....#.....#.....", "....#.....#.....",
                         "....#.....#.....", "....#.....#.....", "..###########...",
                         "................", "................", "................",
                         ".#############.."};

TEST(TextOut, DrawsUnifontGlyphsPixelForPixelWithoutSmoothing) {
    for (const auto& layout : AllLayouts()) {
        SCOPED_TRACE(layout.name);
        Canvas canvas(16, 20, layout.format);
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), kInk);
        ASSERT_TRUE(TextOutA(canvas.dc(), 3, 2, "A", 1));
        EXPECT_EQ(canvas.Art(3, 2, 8, 16, kInk), kUnifontA);
        // Only the ink colour or the untouched background: no grey edge pixels.
        EXPECT_EQ(canvas.CountColor(kInk) + canvas.CountColor(RGB(0, 0, 0)), 16 * 20);
    }
}

TEST(TextOut, DecodesCp949Hangul) {
    Canvas canvas(60, 16, win32::PixelFormat::Rgb565());
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), kInk);
    ASSERT_TRUE(TextOutA(canvas.dc(), 0, 0, kFrameCp949, 6));
    Art top = canvas.Art(0, 2, 16, 10, kInk);
    EXPECT_EQ(top, kUnifontPeu);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), kFrameCp949, 6, &size));
    EXPECT_EQ(size.cx, 48);  // three full-width syllables
    EXPECT_EQ(size.cy, 16);
    // A syllable cut in half is one undecodable character, not a crash.
    EXPECT_TRUE(TextOutA(canvas.dc(), 0, 0, kFrameCp949, 5));
}

TEST(TextOut, OpaqueModeFillsTheCellAndTransparentModeLeavesTheBackground) {
    struct Case {
        int mode;
        int background;  // pixels of the background colour in the 16 x 16 cell of "AB"
    } cases[] = {{OPAQUE, 16 * 16}, {TRANSPARENT, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Canvas canvas(20, 18, win32::PixelFormat::Rgb565());
        canvas.Clear(RGB(0, 0, 255));
        SetBkMode(canvas.dc(), c.mode);
        SetBkColor(canvas.dc(), RGB(255, 255, 0));
        SetTextColor(canvas.dc(), RGB(255, 0, 0));
        TextOutA(canvas.dc(), 2, 1, "AB", 2);
        int ink = canvas.CountColor(RGB(255, 0, 0));
        EXPECT_GT(ink, 20);
        EXPECT_EQ(canvas.CountColor(RGB(255, 255, 0)), c.background == 0 ? 0 : c.background - ink);
        EXPECT_EQ(canvas.CountColor(RGB(0, 0, 255)),
                  20 * 18 - ink - (c.background == 0 ? 0 : c.background - ink));
    }
}

TEST(TextOut, StoresTheTextColourAsTheTargetLayoutDoes) {
    // The dark colours palette entries turn into when used as text colours.
    for (const auto& layout : AllLayouts()) {
        Canvas canvas(10, 16, layout.format);
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), RGB(26, 21, 21));
        TextOutA(canvas.dc(), 0, 0, "A", 1);
        EXPECT_EQ(canvas.Raw(3, 4), canvas.Pack(RGB(26, 21, 21))) << layout.name;
    }
}

TEST(TextOut, AlignsToTheReferencePointAndUpdatesTheCurrentPosition) {
    struct Case {
        UINT align;
        int x, y;
        int cellLeft, cellTop;  // where "AB" (16 x 16) lands
    } cases[] = {
        {TA_LEFT | TA_TOP, 4, 2, 4, 2},     {TA_RIGHT | TA_TOP, 30, 2, 14, 2},
        {TA_CENTER | TA_TOP, 20, 2, 12, 2}, {TA_LEFT | TA_BASELINE, 4, 16, 4, 2},
        {TA_LEFT | TA_BOTTOM, 4, 18, 4, 2},
    };
    Canvas reference(40, 20, win32::PixelFormat::Rgb565());
    SetBkMode(reference.dc(), OPAQUE);
    SetBkColor(reference.dc(), kInk);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.align);
        Canvas canvas(40, 20, win32::PixelFormat::Rgb565());
        SetBkMode(canvas.dc(), OPAQUE);
        SetBkColor(canvas.dc(), kInk);
        SetTextAlign(canvas.dc(), c.align);
        TextOutA(canvas.dc(), c.x, c.y, "AB", 2);
        reference.Clear(RGB(0, 0, 0));
        TextOutA(reference.dc(), c.cellLeft, c.cellTop, "AB", 2);
        EXPECT_EQ(canvas.Snapshot(), reference.Snapshot());
    }
    Canvas canvas(40, 20, win32::PixelFormat::Rgb565());
    SetTextAlign(canvas.dc(), TA_UPDATECP);
    MoveToEx(canvas.dc(), 3, 1, nullptr);
    TextOutA(canvas.dc(), 100, 100, "AB", 2);
    TextOutA(canvas.dc(), 100, 100, "C", 1);
    POINT position{};
    MoveToEx(canvas.dc(), 0, 0, &position);
    EXPECT_EQ(position.x, 3 + 24);
    EXPECT_EQ(position.y, 1);
}

TEST(TextMetrics, OfTheDefaultFontAreUnifontsSixteenPixelCell) {
    Canvas canvas(1, 1, win32::PixelFormat::Rgb565());
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmAscent, 14);
    EXPECT_EQ(tm.tmDescent, 2);
    EXPECT_EQ(tm.tmInternalLeading, 0);
    EXPECT_EQ(tm.tmAveCharWidth, 8);
    // A positive height asks for the cell, a negative one for the characters: the same here.
    HFONT cell =
        CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Unifont");
    HGDIOBJ old = SelectObject(canvas.dc(), cell);
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, 16);
    SelectObject(canvas.dc(), old);
    DeleteObject(cell);
}

TEST(Fonts, AHangeulCharsetFontHasHangulGlyphs) {
    Canvas canvas(60, 20, win32::PixelFormat::Rgb565());
    // "굴림", -13, as the main window's panel asks for it.
    HFONT gulim = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, HANGEUL_CHARSET, 0, 0, 0, 0,
                              "\xB1\xBC\xB8\xB2");
    HGDIOBJ old = SelectObject(canvas.dc(), gulim);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmCharSet, HANGEUL_CHARSET);
    EXPECT_GE(tm.tmHeight, 13);
    SIZE one{};
    SIZE three{};
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), kFrameCp949, 2, &one));
    ASSERT_TRUE(GetTextExtentPoint32A(canvas.dc(), kFrameCp949, 6, &three));
    EXPECT_EQ(three.cx, 3 * one.cx);
    // Real glyphs, not three copies of a missing-glyph box.
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), kInk);
    TextOutA(canvas.dc(), 0, 0, kFrameCp949, 6);
    EXPECT_NE(canvas.Art(0, 0, one.cx, tm.tmHeight, kInk),
              canvas.Art(2 * one.cx, 0, one.cx, tm.tmHeight, kInk));
    EXPECT_GT(canvas.CountColor(kInk), 30);
    SelectObject(canvas.dc(), old);
    DeleteObject(gulim);
}

TEST(Fonts, BoldAndUnderlineAddInk) {
    Canvas canvas(100, 20, win32::PixelFormat::Rgb565());
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), kInk);
    TextOutA(canvas.dc(), 0, 0, "Nuvik", 5);
    int normal = canvas.CountColor(kInk);
    struct Case {
        int weight;
        DWORD underline;
        int extraAtLeast;
    } cases[] = {{FW_BOLD, 0, 10}, {FW_NORMAL, 1, 40}};
    for (const Case& c : cases) {
        canvas.Clear(RGB(0, 0, 0));
        HFONT font = CreateFontA(-16, 0, 0, 0, c.weight, 0, c.underline, 0, DEFAULT_CHARSET, 0, 0,
                                 0, 0, "Unifont");
        HGDIOBJ old = SelectObject(canvas.dc(), font);
        TextOutA(canvas.dc(), 0, 0, "Nuvik", 5);
        EXPECT_GE(canvas.CountColor(kInk), normal + c.extraAtLeast) << c.weight;
        SelectObject(canvas.dc(), old);
        DeleteObject(font);
    }
}

TEST(DrawText, CalcRectMeasuresLinesWrappingAndPrefixes) {
    struct Case {
        const char* text;
        UINT format;
        LONG width;  // of the rectangle given
        LONG right, bottom;
    } cases[] = {
        {"ABC", DT_SINGLELINE, 100, 24, 16},
        {"A\nBB", 0, 100, 16, 32},
        {"A\r\nBB\r\nCCC", 0, 100, 24, 48},
        {"A\nBB", DT_SINGLELINE, 100, 24, 16},
        {"aaa bbb", DT_WORDBREAK, 40, 24, 32},
        {"aaa bbb", DT_WORDBREAK, 100, 56, 16},
        {"abcdefgh", DT_WORDBREAK, 20, 16, 64},  // a word wider than the line is split
        {"&File", DT_SINGLELINE, 100, 32, 16},
        {"&File", DT_SINGLELINE | DT_NOPREFIX, 100, 40, 16},
        {"a&&b", DT_SINGLELINE, 100, 24, 16},
        {"\xC7\xC1\xB7\xB9\xC0\xD3", DT_SINGLELINE, 100, 48, 16},
        {"", 0, 100, 0, 0},
    };
    Canvas canvas(1, 1, win32::PixelFormat::Rgb565());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RECT r{10, 5, 10 + c.width, 500};
        int height = DrawTextA(canvas.dc(), c.text, -1, &r, c.format | DT_CALCRECT);
        EXPECT_EQ(r.left, 10);
        EXPECT_EQ(r.top, 5);
        EXPECT_EQ(r.right - r.left, c.right);
        EXPECT_EQ(r.bottom - r.top, c.bottom);
        EXPECT_EQ(height, c.bottom);
    }
    EXPECT_EQ(canvas.Raw(0, 0), 0u);  // measuring draws nothing
}

TEST(DrawText, PlacesSingleLinesByAlignmentAndClipsToTheRectangle) {
    struct Case {
        UINT format;
        int x, y;  // where TextOutA would put the same text
    } cases[] = {
        {DT_SINGLELINE, 4, 2},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, 4 + (40 - 16) / 2, 2 + (30 - 16) / 2},
        {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 4 + 40 - 16, 2 + 30 - 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        Canvas canvas(50, 40, win32::PixelFormat::Rgb565());
        Canvas reference(50, 40, win32::PixelFormat::Rgb565());
        for (Canvas* target : {&canvas, &reference}) {
            SetBkMode(target->dc(), TRANSPARENT);
            SetTextColor(target->dc(), kInk);
        }
        RECT r{4, 2, 44, 32};
        DrawTextA(canvas.dc(), "AB", 2, &r, c.format);
        TextOutA(reference.dc(), c.x, c.y, "AB", 2);
        EXPECT_EQ(canvas.Snapshot(), reference.Snapshot());
    }
    // Cut at the rectangle unless DT_NOCLIP.
    Canvas canvas(50, 20, win32::PixelFormat::Rgb565());
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), kInk);
    RECT small{0, 0, 10, 10};
    DrawTextA(canvas.dc(), "AB", 2, &small, DT_SINGLELINE);
    EXPECT_EQ(canvas.CountColor(kInk) + canvas.CountColor(RGB(0, 0, 0)), 50 * 20);
    EXPECT_EQ(canvas.Color(10, 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Color(3, 12), RGB(0, 0, 0));
    DrawTextA(canvas.dc(), "AB", 2, &small, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(canvas.Color(12, 3), kInk);
}

TEST(DrawText, UnderlinesThePrefixedCharacterUnlessHidden) {
    struct Case {
        UINT format;
        int underlined;  // ink pixels in the row under the baseline + 1 (row 15)
    } cases[] = {{DT_SINGLELINE, 8}, {DT_SINGLELINE | DT_HIDEPREFIX, 0}};
    for (const Case& c : cases) {
        Canvas canvas(30, 16, win32::PixelFormat::Rgb565());
        SetBkMode(canvas.dc(), TRANSPARENT);
        SetTextColor(canvas.dc(), kInk);
        RECT r{0, 0, 30, 16};
        DrawTextA(canvas.dc(), "x&Az", -1, &r, c.format);
        Art row = canvas.Art(0, 15, 30, 1, kInk);
        EXPECT_EQ(std::count(row[0].begin(), row[0].end(), '#'), c.underlined) << c.format;
        if (c.underlined > 0) {
            EXPECT_EQ(row[0].substr(8, 8), "########");
        }
    }
}

// Runs in a fresh process whose fontconfig sees no fonts at all; exits 0 when nothing was drawn.
[[noreturn]] void DrawWithoutFonts(const std::string& config) {
    setenv("FONTCONFIG_FILE", config.c_str(), 1);
    Canvas canvas(40, 20, win32::PixelFormat::Rgb565());
    SetBkMode(canvas.dc(), OPAQUE);
    bool failed = !TextOutA(canvas.dc(), 0, 0, "Nuvik", 5);
    RECT r{0, 0, 40, 20};
    bool drew = DrawTextA(canvas.dc(), "Nuvik", 5, &r, 0) != 0;
    SIZE size{};
    GetTextExtentPoint32A(canvas.dc(), "Nuvik", 5, &size);
    bool untouched = canvas.CountColor(RGB(0, 0, 0)) == 40 * 20 && size.cx == 0;
    std::exit(untouched && !drew && !failed ? 0 : 1);
}

TEST(Fonts, AMissingDefaultFontIsReportedAndDrawsNothing) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string config = ::testing::TempDir() + "nuvik-no-fonts.conf";
    {
        std::ofstream file(config);
        file << "<?xml version=\"1.0\"?>\n<fontconfig><dir>/nonexistent/nuvik-fonts</dir>"
                "<cachedir>/nonexistent/nuvik-cache</cachedir></fontconfig>\n";
    }
    EXPECT_EXIT(DrawWithoutFonts(config), ::testing::ExitedWithCode(0), "Unifont.*fonts-unifont");
    std::remove(config.c_str());
}

TEST(TextGolden, LatinAndHangulLines) {
    Canvas canvas(280, 84, win32::PixelFormat::Rgb565());
    canvas.Clear(RGB(255, 255, 255));
    HDC dc = canvas.dc();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    auto out = [dc](int x, int y, const char* text) {
        TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
    };
    out(4, 2, "Velmont\xBF\xEB Nuvik SDK Ver 0.2");
    SetTextColor(dc, RGB(0, 0, 160));
    out(4, 20, "\xC7\xC1\xB7\xB9\xC0\xD3 35 Frame / Sec");
    HFONT small =
        CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, HANGEUL_CHARSET, 0, 0, 0, 0, "Unifont");
    HGDIOBJ old = SelectObject(dc, small);
    SetTextColor(dc, RGB(0, 128, 0));
    out(4, 40, "\xC7\xC1\xB7\xB9\xC0\xD3 Unifont -13 (13px)");
    HFONT bold =
        CreateFontA(-16, 0, 0, 0, FW_BOLD, 0, TRUE, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Unifont");
    SelectObject(dc, bold);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(192, 192, 192));
    SetTextColor(dc, RGB(128, 0, 0));
    RECT r{4, 60, 276, 82};
    DrawTextA(dc, "Bold, &underlined", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    SelectObject(dc, old);
    DeleteObject(small);
    DeleteObject(bold);
    EXPECT_TRUE(nuvik::testing::MatchesGolden(canvas.buffer(), "win32/gdi/text-lines.png"));
}

}  // namespace
