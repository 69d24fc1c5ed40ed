#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace {

using gdi_test::AllLayouts;
using gdi_test::Canvas;
using gdi_test::MemoryBitmap;

// A 4 x 3 source whose pixels are all different: red x * 60, green y * 100, blue 7.
COLORREF SourceColor(int x, int y) {
    return RGB(x * 60, y * 100, 7);
}

void PaintSource(HDC dc, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            SetPixel(dc, x, y, SourceColor(x, y));
}

TEST(BitBlt, CopiesEveryPixelOfTheSourceRectangleAndNothingElse) {
    for (const auto& layout : AllLayouts()) {
        SCOPED_TRACE(layout.name);
        Canvas source(4, 3, layout.format);
        PaintSource(source.dc(), 4, 3);
        Canvas target(10, 8, layout.format);
        target.Clear(RGB(0, 0, 255));
        ASSERT_TRUE(BitBlt(target.dc(), 5, 4, 3, 2, source.dc(), 1, 1, SRCCOPY));
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 10; ++x) {
                bool inside = x >= 5 && x < 8 && y >= 4 && y < 6;
                COLORREF expected =
                    inside ? source.Color(x - 4, y - 3) : target.Stored(RGB(0, 0, 255));
                ASSERT_EQ(target.Color(x, y), expected) << x << "," << y;
            }
        }
    }
}

TEST(BitBlt, ConvertsBetweenPixelLayouts) {
    Canvas source(4, 3, win32::PixelFormat::Xrgb8888());
    PaintSource(source.dc(), 4, 3);
    for (const auto& layout : AllLayouts()) {
        SCOPED_TRACE(layout.name);
        Canvas target(4, 3, layout.format);
        ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 4, 3, source.dc(), 0, 0, SRCCOPY));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(target.Raw(x, y), target.Pack(SourceColor(x, y))) << x << "," << y;
    }
}

TEST(BitBlt, StopsAtTheEdgesOfSourceAndTarget) {
    Canvas source(4, 3, win32::PixelFormat::Rgb565());
    PaintSource(source.dc(), 4, 3);
    struct Case {
        int x, y, w, h, sx, sy;
        int written;  // pixels of the target that change
    } cases[] = {
        {-2, -1, 4, 3, 0, 0, 2 * 2},  // hanging off the target's top-left corner
        {4, 3, 4, 3, 0, 0, 2 * 2},    // off the bottom-right corner of a 6 x 5 target
        {0, 0, 4, 3, 2, 1, 2 * 2},    // the source rectangle runs off the source
        {0, 0, 4, 3, -3, -2, 1 * 1},  // and off its top-left
        {0, 0, 0, 3, 0, 0, 0},        // empty
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " from " << c.sx << "," << c.sy);
        Canvas target(6, 5, win32::PixelFormat::Rgb565());
        target.Clear(RGB(255, 255, 255));
        BitBlt(target.dc(), c.x, c.y, c.w, c.h, source.dc(), c.sx, c.sy, SRCCOPY);
        EXPECT_EQ(6 * 5 - target.CountColor(RGB(255, 255, 255)), c.written);
        EXPECT_TRUE(target.GuardsIntact());
    }
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapMovesThePictureIntact) {
    struct Case {
        int dx, dy;
    } cases[] = {{2, 1}, {-2, -1}, {3, 0}, {-3, 0}, {0, 2}, {0, -2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dx << "," << c.dy);
        Canvas canvas(12, 10, win32::PixelFormat::Rgb565());
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x)
                SetPixel(canvas.dc(), x, y, RGB(x * 20, y * 25, 0));
        std::vector<DWORD> before = canvas.Snapshot();
        ASSERT_TRUE(BitBlt(canvas.dc(), 4 + c.dx, 4 + c.dy, 5, 4, canvas.dc(), 4, 4, SRCCOPY));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(canvas.Raw(4 + c.dx + x, 4 + c.dy + y), before[(4 + y) * 12 + 4 + x]);
    }
}

TEST(BitBlt, RasterOperationsCombineSourcePatternAndDestination) {
    Canvas source(1, 1, win32::PixelFormat::Xrgb8888());
    SetPixel(source.dc(), 0, 0, RGB(0xF0, 0x0F, 0x33));
    HBRUSH brush = CreateSolidBrush(RGB(0x0F, 0xFF, 0x00));
    const DWORD d = 0x00AA55CC;  // destination before
    const DWORD s = 0x00F00F33;
    const DWORD p = 0x000FFF00;
    struct Case {
        const char* name;
        DWORD rop;
        DWORD expected;
    } cases[] = {
        {"SRCCOPY", SRCCOPY, s},
        {"BLACKNESS", BLACKNESS, 0},
        {"WHITENESS", WHITENESS, 0x00FFFFFF},
        {"PATCOPY", PATCOPY, p},
        {"DSTINVERT", DSTINVERT, ~d & 0xFFFFFFFF},
        {"SRCINVERT", SRCINVERT, s ^ d},
        {"SRCAND", SRCAND, s & d},
        {"SRCPAINT", SRCPAINT, s | d},
        {"PATINVERT", PATINVERT, p ^ d},
        {"NOTSRCCOPY", NOTSRCCOPY, ~s & 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas target(1, 1, win32::PixelFormat::Xrgb8888());
        win32::WritePixel(target.buffer(), 0, 0, d);
        HGDIOBJ old = SelectObject(target.dc(), brush);
        ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, c.rop));
        SelectObject(target.dc(), old);
        EXPECT_EQ(target.Raw(0, 0) & 0x00FFFFFF, c.expected & 0x00FFFFFF);
    }
    DeleteObject(brush);
}

TEST(BitBlt, PatternOperationsNeedNoSourceContext) {
    Canvas target(3, 1, win32::PixelFormat::Rgb565());
    SelectObject(target.dc(), GetStockObject(GRAY_BRUSH));
    EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 2, 1, nullptr, 0, 0, PATCOPY));
    EXPECT_EQ(target.Color(0, 0), target.Stored(RGB(128, 128, 128)));
    EXPECT_EQ(target.Color(2, 0), RGB(0, 0, 0));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 1, nullptr, 0, 0, SRCCOPY));
}

TEST(StretchBlt, EqualSizesCopyAndOtherSizesPickTheNearestPixel) {
    Canvas source(4, 3, win32::PixelFormat::Rgb565());
    PaintSource(source.dc(), 4, 3);
    Canvas same(4, 3, win32::PixelFormat::Rgb565());
    ASSERT_TRUE(StretchBlt(same.dc(), 0, 0, 4, 3, source.dc(), 0, 0, 4, 3, SRCCOPY));
    EXPECT_EQ(same.Snapshot(), source.Snapshot());

    Canvas doubled(8, 6, win32::PixelFormat::Rgb565());
    ASSERT_TRUE(StretchBlt(doubled.dc(), 0, 0, 8, 6, source.dc(), 0, 0, 4, 3, SRCCOPY));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(doubled.Raw(x, y), source.Raw(x / 2, y / 2)) << x << "," << y;

    Canvas mirrored(4, 3, win32::PixelFormat::Rgb565());
    ASSERT_TRUE(StretchBlt(mirrored.dc(), 3, 0, -4, 3, source.dc(), 0, 0, 4, 3, SRCCOPY));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(mirrored.Raw(x, y), source.Raw(3 - x, y)) << x << "," << y;
}

TEST(TransparentBlt, SkipsSourcePixelsOfTheKeyColourComparedInTheSourceLayout) {
    const COLORREF magenta = RGB(255, 0, 255);
    const COLORREF nearMagenta = RGB(250, 2, 250);  // the same 5-6-5 value as magenta
    struct Case {
        win32::PixelFormat sourceFormat;
        bool nearMagentaSkipped;
    } cases[] = {{win32::PixelFormat::Rgb565(), true}, {win32::PixelFormat::Xrgb8888(), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sourceFormat.bitsPerPixel);
        Canvas source(3, 1, c.sourceFormat);
        SetPixel(source.dc(), 0, 0, magenta);
        SetPixel(source.dc(), 1, 0, RGB(0, 255, 0));
        SetPixel(source.dc(), 2, 0, nearMagenta);
        Canvas target(3, 1, win32::PixelFormat::Rgb565());
        target.Clear(RGB(0, 0, 255));
        ASSERT_TRUE(TransparentBlt(target.dc(), 0, 0, 3, 1, source.dc(), 0, 0, 3, 1, magenta));
        EXPECT_EQ(target.Color(0, 0), RGB(0, 0, 255));
        EXPECT_EQ(target.Color(1, 0), RGB(0, 255, 0));
        EXPECT_EQ(target.Color(2, 0) == RGB(0, 0, 255), c.nearMagentaSkipped);
    }
}

TEST(TransparentBlt, KeysIndexedPicturesByTheirColourTableAndStretches) {
    // A 4-bit picture like the slider's: magenta background, grey face.
    gdi_test::DibInfo info(4, -2, 4);
    info.SetColor(0, RGB(255, 0, 255));
    info.SetColor(1, RGB(192, 192, 192));
    info.SetColor(2, RGB(255, 0, 255));  // a second entry with the key colour
    HDC memory = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(memory, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(picture, nullptr);
    auto* bytes = static_cast<std::uint8_t*>(bits);
    bytes[0] = 0x01;  // row 0: 0 1 1 2
    bytes[1] = 0x12;
    bytes[4] = 0x11;  // row 1: 1 1 0 0
    bytes[5] = 0x00;
    HGDIOBJ old = SelectObject(memory, picture);
    Canvas target(8, 2, win32::PixelFormat::Rgb565());
    target.Clear(RGB(0, 0, 0));
    ASSERT_TRUE(TransparentBlt(target.dc(), 0, 0, 8, 2, memory, 0, 0, 4, 2, RGB(255, 0, 255)));
    EXPECT_EQ(target.Art(0, 0, 8, 2, RGB(192, 192, 192)),
              (std::vector<std::string>{"..####..", "####...."}));
    EXPECT_FALSE(TransparentBlt(target.dc(), 0, 0, -8, 2, memory, 0, 0, 4, 2, 0));
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
}

TEST(BitBlt, AMonochromeSourceTakesTheTargetsTextAndBackgroundColours) {
    const WORD rows[2] = {0x00A0, 0x0050};  // 1010 and 0101, rows padded to 16 bits
    HBITMAP mono = CreateBitmap(4, 2, 1, 1, rows);
    ASSERT_NE(mono, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, mono);
    Canvas target(4, 2, win32::PixelFormat::Rgb565());
    SetTextColor(target.dc(), RGB(255, 0, 0));
    SetBkColor(target.dc(), RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 4, 2, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(target.Art(0, 0, 4, 2, RGB(0, 0, 255)), (std::vector<std::string>{"#.#.", ".#.#"}));
    EXPECT_EQ(target.CountColor(RGB(255, 0, 0)), 4);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(mono);
}

TEST(MemoryDC, DrawsIntoTheSelectedBitmapAndBlitsToTheScreenFormat) {
    MemoryBitmap offscreen(5, 4, 32);
    RECT all{0, 0, 5, 4};
    FillRect(offscreen.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetPixel(offscreen.dc(), 2, 1, RGB(255, 0, 0));
    EXPECT_EQ(static_cast<std::uint32_t*>(offscreen.bits())[1 * 5 + 2] & 0xFFFFFF, 0xFF0000u);
    Canvas target(5, 4, win32::PixelFormat::Rgb565());
    ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 5, 4, offscreen.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.Raw(2, 1), 0xF800u);
    EXPECT_EQ(target.Raw(0, 0), 0xFFFFu);
}

}  // namespace
