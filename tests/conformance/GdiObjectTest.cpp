// GDI objects: what selecting, deleting and describing them answers.
#include "Conformance.h"

namespace conformance {
namespace {

class GdiObjectTest : public Win32Test {};

TEST_F(GdiObjectTest, SelectObjectReturnsWhatItReplaced) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HGDIOBJ original = SelectObject(dc, brush);
    EXPECT_NE(original, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(SelectObject(dc, original), brush);
    DeleteObject(brush);
    DeleteDC(dc);
}

TEST_F(GdiObjectTest, ObjectTypesAreReported) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(bitmap);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteDC(dc);
    EXPECT_EQ(GetObjectType(brush), 0u);
}

// The classic trap: a new memory DC holds a 1 x 1 monochrome bitmap, and bitmaps compatible with
// it are monochrome too.
TEST_F(GdiObjectTest, ABitmapCompatibleWithAFreshMemoryDcIsMonochrome) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 8, 8);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_EQ(info.bmBitsPixel, 1);
    HGDIOBJ stock = GetCurrentObject(dc, OBJ_BITMAP);
    BITMAP held{};
    ASSERT_EQ(GetObjectA(stock, sizeof held, &held), static_cast<int>(sizeof held));
    EXPECT_EQ(held.bmWidth, 1);
    EXPECT_EQ(held.bmHeight, 1);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(GdiObjectTest, ABitmapCanBeSelectedIntoOnlyOneDcAtATime) {
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(first, bitmap);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    SelectObject(first, old);
    EXPECT_NE(SelectObject(second, bitmap), nullptr);
    DeleteDC(second);
    DeleteDC(first);
    DeleteObject(bitmap);
}

TEST_F(GdiObjectTest, DcAttributesReturnTheirPreviousValues) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(SetBkColor(dc, RGB(7, 8, 9)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(GetROP2(dc), R2_XORPEN);
    POINT old{};
    SetViewportOrgEx(dc, 3, 4, &old);
    EXPECT_EQ(old.x, 0);
    POINT now{};
    GetViewportOrgEx(dc, &now);
    EXPECT_EQ(now.x, 3);
    EXPECT_EQ(now.y, 4);
    DeleteDC(dc);
}

TEST_F(GdiObjectTest, OffsetViewportOrgExMovesTheOriginByTheOffset) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetViewportOrgEx(dc, 3, 4, nullptr);
    POINT previous{};
    EXPECT_TRUE(OffsetViewportOrgEx(dc, 5, -2, &previous));
    EXPECT_EQ(previous.x, 3);
    EXPECT_EQ(previous.y, 4);
    EXPECT_TRUE(OffsetViewportOrgEx(dc, 0, 0, nullptr));
    POINT now{};
    GetViewportOrgEx(dc, &now);
    EXPECT_EQ(now.x, 8);
    EXPECT_EQ(now.y, 2);
    SetPixel(dc, 0, 0, RGB(255, 0, 0));  // lands at the origin, in device pixels (8, 2)
    SetViewportOrgEx(dc, 0, 0, nullptr);
    EXPECT_EQ(GetPixel(dc, 8, 2), RGB(255, 0, 0));
    EXPECT_FALSE(OffsetViewportOrgEx(nullptr, 1, 1, nullptr));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// The colour scheme is the desktop's; what holds everywhere is that a system colour is a
// plain RGB value, its brush is that colour, and text colours stand out from their ground.
TEST_F(GdiObjectTest, SystemColoursArePlainRgbValuesWithMatchingBrushes) {
    for (int index = COLOR_SCROLLBAR; index <= COLOR_INFOBK; ++index) {
        SCOPED_TRACE(index);
        DWORD colour = GetSysColor(index);
        EXPECT_EQ(colour & 0xFF000000u, 0u);
        HBRUSH brush = GetSysColorBrush(index);
        ASSERT_NE(brush, nullptr);
        LOGBRUSH described{};
        ASSERT_EQ(GetObjectA(brush, sizeof described, &described),
                  static_cast<int>(sizeof described));
        EXPECT_EQ(described.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(described.lbColor, colour);
    }
    EXPECT_NE(GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW));
    EXPECT_NE(GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE));
    EXPECT_NE(GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(GetSysColor(200), 0u);
}

// The kind answered is the shape's, not how many pieces a region happens to be stored in.
TEST_F(GdiObjectTest, ClipRegionKindsFollowTheShape) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(ExcludeClipRect(dc, 2, 2, 4, 4), COMPLEXREGION);   // a hole
    EXPECT_EQ(IntersectClipRect(dc, 4, 0, 8, 8), SIMPLEREGION);  // beside the hole: one rectangle
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 4);
    EXPECT_EQ(box.bottom, 8);
    EXPECT_EQ(ExcludeClipRect(dc, 6, 0, 8, 8), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 0, 0, 8, 8), NULLREGION);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(GdiObjectTest, GetClipBoxOfAMemoryDcIsItsBitmapInLogicalCoordinates) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(20, 10, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetViewportOrgEx(dc, 5, 0, nullptr);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, -5);
    EXPECT_EQ(box.right, 15);
    EXPECT_EQ(box.bottom, 10);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(GdiObjectTest, GetDIBitsReadsBottomUpRowsOfADdb) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetPixel(dc, 0, 0, RGB(0x11, 0x22, 0x33));
    SetPixel(dc, 1, 1, RGB(0x44, 0x55, 0x66));
    SelectObject(dc, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    DWORD pixels[4] = {};
    EXPECT_EQ(GetDIBits(dc, bitmap, 0, 2, pixels, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels[2] & 0xFFFFFF, 0x112233u);  // top row last
    EXPECT_EQ(pixels[1] & 0xFFFFFF, 0x445566u);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(GdiObjectTest, StockObjectsSurviveDeleteObject) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    DeleteObject(white);
    EXPECT_EQ(GetObjectType(white), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), white);
}

}  // namespace
}  // namespace conformance
