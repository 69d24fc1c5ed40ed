#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>

#include "GdiTestSupport.h"

namespace {

using gdi_test::AllLayouts;
using gdi_test::Canvas;
using Points = std::set<std::pair<int, int>>;

Points Inked(const Canvas& canvas, COLORREF ink) {
    Points points;
    for (int y = 0; y < canvas.buffer().height; ++y)
        for (int x = 0; x < canvas.buffer().width; ++x)
            if (canvas.Color(x, y) == canvas.Stored(ink))
                points.insert({x, y});
    return points;
}

TEST(LineTo, DrawsBresenhamPixelsUpToButNotIncludingTheEndPoint) {
    struct Case {
        POINT from, to;
        Points expected;
    } cases[] = {
        {{1, 1}, {5, 1}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
        {{5, 1}, {1, 1}, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
        {{2, 0}, {2, 3}, {{2, 0}, {2, 1}, {2, 2}}},
        {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
        {{3, 0}, {0, 3}, {{3, 0}, {2, 1}, {1, 2}}},
        // Exact halves stay on the start point's side.
        {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{0, 0}, {1, 4}, {{0, 0}, {0, 1}, {0, 2}, {1, 3}}},
        {{0, 0}, {6, 1}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 1}, {5, 1}}},
        {{3, 3}, {3, 3}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.from.x << "," << c.from.y << " to " << c.to.x << "," << c.to.y);
        Canvas canvas(8, 8, win32::PixelFormat::Rgb565());
        SelectObject(canvas.dc(), GetStockObject(WHITE_PEN));
        MoveToEx(canvas.dc(), c.from.x, c.from.y, nullptr);
        ASSERT_TRUE(LineTo(canvas.dc(), c.to.x, c.to.y));
        EXPECT_EQ(Inked(canvas, RGB(255, 255, 255)), c.expected);
        POINT now{};
        MoveToEx(canvas.dc(), 0, 0, &now);
        EXPECT_EQ(now.x, c.to.x);
        EXPECT_EQ(now.y, c.to.y);
    }
}

TEST(LineTo, FarEndPointsAreClippedWithoutWalkingTheWholeLine) {
    Canvas canvas(16, 16, win32::PixelFormat::Rgb565());
    SelectObject(canvas.dc(), GetStockObject(WHITE_PEN));
    MoveToEx(canvas.dc(), INT_MIN, 5, nullptr);
    LineTo(canvas.dc(), INT_MAX, 5);
    EXPECT_EQ(canvas.CountColor(RGB(255, 255, 255)), 16);
    canvas.Clear(RGB(0, 0, 0));
    // A diagonal through the whole canvas from far outside.
    MoveToEx(canvas.dc(), -1000000000, -1000000000, nullptr);
    LineTo(canvas.dc(), 1000000000, 1000000000);
    Points diagonal;
    for (int i = 0; i < 16; ++i)
        diagonal.insert({i, i});
    EXPECT_EQ(Inked(canvas, RGB(255, 255, 255)), diagonal);
    EXPECT_TRUE(canvas.GuardsIntact());
}

TEST(LineTo, DottedPenLeavesGapsOrFillsThemWithTheBackground) {
    Canvas canvas(12, 1, win32::PixelFormat::Xrgb8888());
    canvas.Clear(RGB(0, 0, 255));
    HPEN dotted = CreatePen(PS_DOT, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(canvas.dc(), dotted);
    SetBkMode(canvas.dc(), TRANSPARENT);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 12, 0);
    EXPECT_EQ(canvas.Art(0, 0, 12, 1, RGB(255, 255, 255)),
              std::vector<std::string>{"###...###..."});
    EXPECT_EQ(canvas.CountColor(RGB(0, 0, 255)), 6);
    SetBkMode(canvas.dc(), OPAQUE);
    SetBkColor(canvas.dc(), RGB(255, 0, 0));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 12, 0);
    EXPECT_EQ(canvas.CountColor(RGB(255, 0, 0)), 6);
    SelectObject(canvas.dc(), old);
    DeleteObject(dotted);
}

TEST(LineTo, BinaryRasterOperationsCombinePenAndScreen) {
    Canvas canvas(4, 1, win32::PixelFormat::Rgb565());
    canvas.Clear(RGB(0, 255, 0));
    std::vector<DWORD> before = canvas.Snapshot();
    SelectObject(canvas.dc(), GetStockObject(WHITE_PEN));
    EXPECT_EQ(SetROP2(canvas.dc(), R2_XORPEN), R2_COPYPEN);
    for (int pass = 0; pass < 2; ++pass) {
        MoveToEx(canvas.dc(), 0, 0, nullptr);
        LineTo(canvas.dc(), 4, 0);
        if (pass == 0) {
            EXPECT_EQ(canvas.Raw(1, 0), 0x07E0u ^ 0xFFFFu);
        }
    }
    EXPECT_EQ(canvas.Snapshot(), before);
    SetROP2(canvas.dc(), R2_NOT);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 2, 0);
    EXPECT_EQ(canvas.Raw(0, 0), static_cast<DWORD>(~0x07E0u & 0xFFFFu));
    EXPECT_EQ(canvas.Raw(2, 0), 0x07E0u);
    EXPECT_EQ(SetROP2(canvas.dc(), 0), 0);  // not an operation
}

TEST(FillRect, TakesBrushesAndSystemColourIndexesPlusOne) {
    struct Case {
        const char* name;
        HBRUSH brush;
        COLORREF expected;
    } cases[] = {
        {"button face + 1", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), RGB(192, 192, 192)},
        {"window + 1", reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), RGB(255, 255, 255)},
        {"highlight brush", GetSysColorBrush(COLOR_HIGHLIGHT), RGB(0, 0, 128)},
        {"shadow brush", GetSysColorBrush(COLOR_BTNSHADOW), RGB(128, 128, 128)},
        {"stock black", static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), RGB(0, 0, 0)},
    };
    for (const auto& layout : AllLayouts()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << layout.name << " " << c.name);
            Canvas canvas(6, 4, layout.format);
            canvas.Clear(RGB(255, 0, 0));
            RECT r{1, 1, 5, 3};
            ASSERT_EQ(FillRect(canvas.dc(), &r, c.brush), 1);
            EXPECT_EQ(canvas.CountColor(c.expected), 8);
            EXPECT_EQ(canvas.CountColor(RGB(255, 0, 0)), 24 - 8);
            EXPECT_EQ(canvas.Color(1, 1), canvas.Stored(c.expected));
            EXPECT_EQ(canvas.Color(5, 3), RGB(255, 0, 0));
        }
    }
    Canvas canvas(2, 2, win32::PixelFormat::Rgb565());
    RECT r{0, 0, 2, 2};
    EXPECT_EQ(FillRect(canvas.dc(), &r, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
    RECT inverted{2, 2, 0, 0};
    EXPECT_EQ(FillRect(canvas.dc(), &inverted, GetSysColorBrush(COLOR_WINDOW)), 1);
    EXPECT_EQ(canvas.CountColor(RGB(255, 255, 255)), 0);
}

TEST(SystemColours, AreTheClassicGreyScheme) {
    struct Case {
        int index;
        COLORREF color;
    } cases[] = {
        {COLOR_BTNFACE, RGB(192, 192, 192)},
        {COLOR_BTNSHADOW, RGB(128, 128, 128)},
        {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)},
        {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
        {COLOR_MENU, RGB(192, 192, 192)},
        {COLOR_WINDOW, RGB(255, 255, 255)},
        {COLOR_HIGHLIGHT, RGB(0, 0, 128)},
        {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
        {COLOR_BTNTEXT, RGB(0, 0, 0)},
        {COLOR_3DDKSHADOW, RGB(0, 0, 0)},
        {COLOR_GRAYTEXT, RGB(128, 128, 128)},
        {COLOR_ACTIVECAPTION, RGB(0, 0, 128)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetSysColor(c.index), c.color) << c.index;
        LOGBRUSH lb{};
        ASSERT_EQ(GetObjectA(GetSysColorBrush(c.index), sizeof lb, &lb),
                  static_cast<int>(sizeof lb));
        EXPECT_EQ(lb.lbColor, c.color);
        // System colour brushes cannot be deleted.
        EXPECT_TRUE(DeleteObject(GetSysColorBrush(c.index)));
        EXPECT_EQ(GetObjectType(GetSysColorBrush(c.index)), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetSysColorBrush(-1), nullptr);
    EXPECT_EQ(GetSysColorBrush(400), nullptr);
}

TEST(FrameRectAndRectangle, OutlineEachPixelOnceAndFillInside) {
    Canvas canvas(7, 6, win32::PixelFormat::Rgb565());
    RECT r{1, 1, 6, 5};
    ASSERT_EQ(FrameRect(canvas.dc(), &r, GetSysColorBrush(COLOR_WINDOW)), 1);
    EXPECT_EQ(canvas.Art(0, 0, 7, 6, RGB(255, 255, 255)),
              (std::vector<std::string>{".......", ".#####.", ".#...#.", ".#...#.", ".#####.",
                                        "......."}));
    canvas.Clear(RGB(0, 0, 0));
    SelectObject(canvas.dc(), GetStockObject(WHITE_PEN));
    SelectObject(canvas.dc(), GetStockObject(GRAY_BRUSH));
    ASSERT_TRUE(Rectangle(canvas.dc(), 1, 1, 6, 5));
    EXPECT_EQ(canvas.Art(0, 0, 7, 6, RGB(255, 255, 255)),
              (std::vector<std::string>{".......", ".#####.", ".#...#.", ".#...#.", ".#####.",
                                        "......."}));
    EXPECT_EQ(canvas.CountColor(RGB(128, 128, 128)), 3 * 2);
    // An outline drawn with XOR reaches each pixel once, so a second one restores the screen.
    std::vector<DWORD> before = canvas.Snapshot();
    SetROP2(canvas.dc(), R2_XORPEN);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    Rectangle(canvas.dc(), 0, 0, 7, 6);
    Rectangle(canvas.dc(), 0, 0, 7, 6);
    Rectangle(canvas.dc(), 2, 2, 4, 3);  // two pixels wide: no inside
    Rectangle(canvas.dc(), 2, 2, 4, 3);
    EXPECT_EQ(canvas.Snapshot(), before);
}

TEST(SetPixel, ReturnsTheStoredColourAndRefusesPointsOutsideTheClip) {
    Canvas canvas(4, 4, win32::PixelFormat::Rgb565(), {RECT{0, 0, 2, 4}});
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 1, RGB(200, 100, 50)), canvas.Stored(RGB(200, 100, 50)));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), canvas.Stored(RGB(200, 100, 50)));
    EXPECT_EQ(SetPixel(canvas.dc(), 2, 1, RGB(255, 255, 255)), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 1), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.dc(), -1, 0), CLR_INVALID);
    EXPECT_EQ(canvas.Color(2, 1), RGB(0, 0, 0));
}

}  // namespace
