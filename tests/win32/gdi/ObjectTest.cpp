#include <gtest/gtest.h>

#include <cstring>

#include "GdiTestSupport.h"
#include "win32/platform/Framebuffer.h"

namespace {

using gdi_test::Canvas;

TEST(SelectObject, ReturnsWhatItReplacedAndANullFontChangesNothing) {
    Canvas canvas(2, 2, win32::PixelFormat::Rgb565());
    HDC dc = canvas.dc();
    HFONT font =
        CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ original = SelectObject(dc, font);
    EXPECT_EQ(original, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(SelectObject(dc, original), font);

    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), brush);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(4, 5, 6));
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
    // A bitmap goes only into a memory context.
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
    EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(font), static_cast<HGDIOBJ>(brush),
                           static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(bitmap)})
        EXPECT_TRUE(DeleteObject(object));
}

TEST(DeleteObject, OfASelectedObjectWaitsUntilItIsDeselected) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(9, 9, 9));
    HGDIOBJ stock = SelectObject(dc, brush);
    EXPECT_TRUE(DeleteObject(brush));
    // Still drawn with while selected ...
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    // ... and gone once deselected; its handle is refused from then on.
    EXPECT_EQ(SelectObject(dc, stock), brush);
    EXPECT_EQ(GetObjectType(brush), 0u);
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}

TEST(DeleteObject, NeverFreesStockObjectsAndRefusesContexts) {
    for (int i : {WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, BLACK_PEN, NULL_PEN, SYSTEM_FONT,
                  DEFAULT_GUI_FONT}) {
        HGDIOBJ stock = GetStockObject(i);
        ASSERT_NE(stock, nullptr) << i;
        EXPECT_TRUE(DeleteObject(stock));
        EXPECT_NE(GetObjectType(stock), 0u) << i;
    }
    EXPECT_EQ(GetStockObject(9), nullptr);  // no stock object there
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(DeleteObject(dc));
    DeleteDC(dc);
}

TEST(Handles, ForgedAndStaleHandlesAreRefusedEverywhere) {
    HDC dc = CreateCompatibleDC(nullptr);
    DeleteDC(dc);
    HDC forged = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x12345678));
    for (HDC bad : {dc, forged, static_cast<HDC>(nullptr)}) {
        RECT r{0, 0, 5, 5};
        EXPECT_EQ(FillRect(bad, &r, GetSysColorBrush(COLOR_WINDOW)), 0);
        EXPECT_FALSE(TextOutA(bad, 0, 0, "x", 1));
        EXPECT_EQ(SetTextColor(bad, 0), CLR_INVALID);
        EXPECT_FALSE(LineTo(bad, 1, 1));
        EXPECT_EQ(GetDeviceCaps(bad, BITSPIXEL), 0);
        EXPECT_EQ(SelectObject(bad, GetStockObject(WHITE_BRUSH)), nullptr);
    }
}

TEST(Handles, CreatingAndDeletingLeavesNothingBehind) {
    // Everything made here is given back; a leak would keep a handle alive.
    std::vector<HGDIOBJ> made;
    for (int i = 0; i < 50; ++i) {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 8, 8);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SelectObject(dc, CreateSolidBrush(RGB(i, 0, 0)));
        HGDIOBJ brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
        DeleteObject(brush);
        SaveDC(dc);
        DeleteObject(bitmap);  // still selected: deleted with the context
        DeleteDC(dc);
        (void)old;
        made.push_back(bitmap);
        made.push_back(brush);
    }
    for (HGDIOBJ object : made)
        EXPECT_EQ(GetObjectType(object), 0u);
}

TEST(Bitmaps, GoIntoOneMemoryContextAtATime) {
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 4, 4);
    HGDIOBJ firstOld = SelectObject(first, bitmap);
    EXPECT_NE(firstOld, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    SelectObject(first, firstOld);
    HGDIOBJ secondOld = SelectObject(second, bitmap);
    EXPECT_NE(secondOld, nullptr);
    SelectObject(second, secondOld);
    DeleteObject(bitmap);
    DeleteDC(first);
    DeleteDC(second);
}

TEST(CreateCompatibleBitmap, TakesTheScreensCurrentFormat) {
    auto& screen = win32::Framebuffer::Instance();
    struct Case {
        win32::PixelFormat format;
        WORD bits;
    } cases[] = {{win32::PixelFormat::Xrgb8888(), 32}, {win32::PixelFormat::Rgb565(), 16}};
    for (const Case& c : cases) {
        screen.SetFormat(c.format);
        HDC memory = CreateCompatibleDC(nullptr);
        EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), c.bits);
        HBITMAP bitmap = CreateCompatibleBitmap(nullptr, 3, 2);
        BITMAP bm{};
        ASSERT_EQ(GetObjectA(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
        EXPECT_EQ(bm.bmBitsPixel, c.bits);
        EXPECT_EQ(bm.bmWidth, 3);
        EXPECT_EQ(bm.bmHeight, 2);
        EXPECT_EQ(bm.bmBits, nullptr);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    screen.SetFormat(win32::Framebuffer::Instance().Format16());
    gdi_test::Canvas on555(2, 2, win32::PixelFormat::Xrgb1555());
    HBITMAP like555 = CreateCompatibleBitmap(on555.dc(), 2, 2);
    win32::PixelBuffer pixels;
    ASSERT_TRUE(win32::gdi::DescribeBitmap(like555, &pixels));
    EXPECT_EQ(pixels.format, win32::PixelFormat::Xrgb1555());
    DeleteObject(like555);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, -1, 4), nullptr);
    screen.Reset();
}

TEST(GetObject, DescribesDibSectionsFontsPensAndBrushes) {
    gdi_test::DibInfo info(5, 3, 8);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    ASSERT_NE(bits, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectA(dib, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidth, 5);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 8);  // rows padded to 32 bits
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 8);
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biHeight, 3);
    EXPECT_EQ(ds.dsBmih.biSizeImage, 24u);
    EXPECT_EQ(GetObjectA(dib, 0, nullptr), static_cast<int>(sizeof ds));
    BITMAP small{};
    EXPECT_EQ(GetObjectA(dib, sizeof small, &small), static_cast<int>(sizeof small));
    DeleteObject(dib);

    HFONT font = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, HANGEUL_CHARSET, 0, 0, 0, 0,
                             "\xB1\xBC\xB8\xB2");
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfCharSet, HANGEUL_CHARSET);
    EXPECT_STREQ(lf.lfFaceName, "\xB1\xBC\xB8\xB2");
    EXPECT_EQ(GetObjectA(font, 4, &lf), 0);  // too small
    DeleteObject(font);

    HPEN pen = CreatePen(PS_DOT, 1, RGB(1, 2, 3));
    LOGPEN lp{};
    ASSERT_EQ(GetObjectA(pen, sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    DeleteObject(pen);
}

TEST(GetDeviceCaps, ReportsTheTargetDepthScreenSizeAndNinetySixDpi) {
    Canvas canvas(2, 2, win32::PixelFormat::Rgb565());
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), BITSPIXEL), 16);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), HORZRES), 640);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), VERTRES), 480);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), PLANES), 1);
}

}  // namespace
