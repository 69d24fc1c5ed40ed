// Pixel results of GDI drawing into device-independent bitmaps at 32 and 16 bits per pixel:
// fills, raster operations, blits with a transparent colour, lines, the focus rectangle, and
// the orientation of the rows in memory.
#include <cstdint>
#include <cstring>

#include "Conformance.h"

namespace conformance {
namespace {

// A DIB section selected into a memory DC: 32 bits (x8r8g8b8) or 16 bits (r5g6b5).
class Dib {
  public:
    Dib(int width, int height, int bits, bool topDown = true) : width_(width), bits_(bits) {
        struct {
            BITMAPINFOHEADER header;
            DWORD masks[3];
        } info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = width;
        info.header.biHeight = topDown ? -height : height;
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(bits);
        info.header.biCompression = bits == 16 ? BI_BITFIELDS : BI_RGB;
        if (bits == 16) {
            info.masks[0] = 0xF800;
            info.masks[1] = 0x07E0;
            info.masks[2] = 0x001F;
        }
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                   &pixels_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
        pitch_ = ((width * bits + 31) / 32) * 4;
        height_ = height;
        topDown_ = topDown;
    }
    ~Dib() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    bool Valid() const { return dc_ != nullptr && bitmap_ != nullptr && pixels_ != nullptr; }
    HDC dc() const { return dc_; }

    // The stored pixel at (x, y) in picture coordinates, straight from memory.
    std::uint32_t Raw(int x, int y) const {
        GdiFlush();
        int row = topDown_ ? y : height_ - 1 - y;
        const auto* base = static_cast<const std::uint8_t*>(pixels_) + row * pitch_;
        if (bits_ == 16) {
            std::uint16_t value;
            std::memcpy(&value, base + x * 2, 2);
            return value;
        }
        std::uint32_t value;
        std::memcpy(&value, base + x * 4, 4);
        return value & 0xFFFFFF;
    }
    // The colour at (x, y) as 0xRRGGBB, the 16-bit layout's bits taken as they are stored.
    std::uint32_t Rgb(int x, int y) const {
        std::uint32_t raw = Raw(x, y);
        if (bits_ == 32)
            return raw;
        return ((raw >> 11) & 0x1F) << 19 | ((raw >> 5) & 0x3F) << 10 | (raw & 0x1F) << 3;
    }
    void Fill(COLORREF colour) {
        RECT all{0, 0, width_, height_};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int pitch_ = 0;
    int bits_ = 32;
    bool topDown_ = true;
};

class GdiPixelTest : public Win32Test, public ::testing::WithParamInterface<int> {};

TEST_P(GdiPixelTest, FillRectCoversItsRectangleWithoutItsRightAndBottomEdges) {
    Dib dib(8, 8, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    RECT box{2, 3, 5, 6};
    HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dib.dc(), &box, brush);
    DeleteObject(brush);
    EXPECT_EQ(dib.Rgb(2, 3) & 0xF8F8F8, 0xF8F8F8u);
    EXPECT_EQ(dib.Rgb(4, 5) & 0xF8F8F8, 0xF8F8F8u);
    EXPECT_EQ(dib.Rgb(5, 5), 0u);
    EXPECT_EQ(dib.Rgb(4, 6), 0u);
    EXPECT_EQ(dib.Rgb(1, 3), 0u);
}

TEST_P(GdiPixelTest, SetPixelStoresTheNearestColourTheLayoutHolds) {
    Dib dib(4, 4, GetParam());
    ASSERT_TRUE(dib.Valid());
    SetPixel(dib.dc(), 1, 1, RGB(0x12, 0x34, 0x56));
    if (GetParam() == 32) {
        EXPECT_EQ(dib.Raw(1, 1), 0x123456u);
        EXPECT_EQ(GetPixel(dib.dc(), 1, 1), RGB(0x12, 0x34, 0x56));
    } else {
        EXPECT_EQ(dib.Raw(1, 1),
                  static_cast<std::uint32_t>((0x12 >> 3) << 11 | (0x34 >> 2) << 5 | (0x56 >> 3)));
    }
}

TEST_P(GdiPixelTest, GetPixelOutsideTheBitmapIsInvalid) {
    Dib dib(4, 4, GetParam());
    ASSERT_TRUE(dib.Valid());
    EXPECT_EQ(GetPixel(dib.dc(), 4, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(dib.dc(), -1, 0), CLR_INVALID);
}

TEST_P(GdiPixelTest, RowsOfABottomUpDibAreStoredLastRowFirst) {
    Dib dib(4, 4, GetParam(), /*topDown=*/false);
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    SetPixel(dib.dc(), 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(dib.Rgb(0, 0) & 0xF80000, 0xF80000u);
    EXPECT_EQ(dib.Rgb(0, 3), 0u);
}

struct Rop {
    const char* name;
    DWORD rop;
    std::uint32_t source;
    std::uint32_t destination;
    std::uint32_t expected;
};

class BitBltRopTest : public Win32Test, public ::testing::WithParamInterface<Rop> {};

TEST_P(BitBltRopTest, CombinesSourceAndDestinationBitByBit) {
    const Rop& rop = GetParam();
    Dib source(2, 2, 32);
    Dib target(2, 2, 32);
    ASSERT_TRUE(source.Valid() && target.Valid());
    auto colour = [](std::uint32_t rgb) {
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    };
    source.Fill(colour(rop.source));
    target.Fill(colour(rop.destination));
    ASSERT_TRUE(BitBlt(target.dc(), 0, 0, 2, 2, source.dc(), 0, 0, rop.rop));
    EXPECT_EQ(target.Raw(1, 1), rop.expected) << rop.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rops, BitBltRopTest,
    ::testing::Values(Rop{"SRCCOPY", SRCCOPY, 0x123456, 0xABCDEF, 0x123456},
                      Rop{"SRCAND", SRCAND, 0xF0F0F0, 0x3C3C3C, 0x303030},
                      Rop{"SRCPAINT", SRCPAINT, 0xF00000, 0x0F0F00, 0xFF0F00},
                      Rop{"SRCINVERT", SRCINVERT, 0xFF00FF, 0x0F0F0F, 0xF00FF0},
                      Rop{"NOTSRCCOPY", NOTSRCCOPY, 0x00FF00, 0x123456, 0xFF00FF},
                      Rop{"DSTINVERT", DSTINVERT, 0x000000, 0x00FF0F, 0xFF00F0},
                      Rop{"BLACKNESS", BLACKNESS, 0xFFFFFF, 0xFFFFFF, 0x000000},
                      Rop{"WHITENESS", WHITENESS, 0x000000, 0x000000, 0xFFFFFF}),
    [](const ::testing::TestParamInfo<Rop>& row) { return std::string(row.param.name); });

TEST_P(GdiPixelTest, BitBltCopiesBetweenLayoutsByColour) {
    Dib source(4, 4, 32);
    Dib target(4, 4, GetParam());
    ASSERT_TRUE(source.Valid() && target.Valid());
    source.Fill(RGB(0xF8, 0x00, 0xF8));
    target.Fill(RGB(0, 0, 0));
    ASSERT_TRUE(BitBlt(target.dc(), 1, 1, 2, 2, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.Rgb(1, 1), 0xF800F8u);
    EXPECT_EQ(target.Rgb(2, 2), 0xF800F8u);
    EXPECT_EQ(target.Rgb(3, 3), 0u);
    EXPECT_EQ(target.Rgb(0, 0), 0u);
}

TEST_P(GdiPixelTest, BitBltWithOverlappingRectanglesInOneBitmapCopiesTheOriginal) {
    Dib dib(6, 1, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    SetPixel(dib.dc(), 0, 0, RGB(255, 255, 255));
    ASSERT_TRUE(BitBlt(dib.dc(), 1, 0, 5, 1, dib.dc(), 0, 0, SRCCOPY));
    EXPECT_NE(dib.Rgb(1, 0), 0u);
    EXPECT_EQ(dib.Rgb(2, 0), 0u);
}

TEST_P(GdiPixelTest, TransparentBltLeavesTheKeyColourOut) {
    Dib source(4, 1, 32);
    Dib target(4, 1, GetParam());
    ASSERT_TRUE(source.Valid() && target.Valid());
    source.Fill(RGB(255, 0, 255));
    SetPixel(source.dc(), 1, 0, RGB(0, 0xF8, 0));
    target.Fill(RGB(0, 0, 0xF8));
    ASSERT_TRUE(TransparentBlt(target.dc(), 0, 0, 4, 1, source.dc(), 0, 0, 4, 1, RGB(255, 0, 255)));
    EXPECT_EQ(target.Rgb(0, 0), 0x0000F8u);
    EXPECT_EQ(target.Rgb(1, 0), 0x00F800u);
    EXPECT_EQ(target.Rgb(3, 0), 0x0000F8u);
}

TEST_P(GdiPixelTest, StretchBltDoublesEveryPixel) {
    Dib source(2, 1, 32);
    Dib target(4, 2, GetParam());
    ASSERT_TRUE(source.Valid() && target.Valid());
    SetPixel(source.dc(), 0, 0, RGB(0xF8, 0, 0));
    SetPixel(source.dc(), 1, 0, RGB(0, 0, 0xF8));
    ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 4, 2, source.dc(), 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(target.Rgb(0, 0), 0xF80000u);
    EXPECT_EQ(target.Rgb(1, 1), 0xF80000u);
    EXPECT_EQ(target.Rgb(2, 0), 0x0000F8u);
    EXPECT_EQ(target.Rgb(3, 1), 0x0000F8u);
}

TEST_P(GdiPixelTest, LineToDrawsFromItsStartButNotItsEnd) {
    Dib dib(8, 8, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dib.dc(), pen);
    MoveToEx(dib.dc(), 1, 2, nullptr);
    LineTo(dib.dc(), 6, 2);
    MoveToEx(dib.dc(), 0, 0, nullptr);
    LineTo(dib.dc(), 4, 4);
    SelectObject(dib.dc(), old);
    DeleteObject(pen);
    EXPECT_NE(dib.Rgb(1, 2), 0u);
    EXPECT_NE(dib.Rgb(5, 2), 0u);
    EXPECT_EQ(dib.Rgb(6, 2), 0u);
    EXPECT_NE(dib.Rgb(3, 3), 0u);
    EXPECT_EQ(dib.Rgb(4, 4), 0u);
}

TEST_P(GdiPixelTest, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    Dib dib(8, 8, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0xF8, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 0xF8));
    HGDIOBJ oldPen = SelectObject(dib.dc(), pen);
    HGDIOBJ oldBrush = SelectObject(dib.dc(), brush);
    Rectangle(dib.dc(), 1, 1, 6, 6);
    SelectObject(dib.dc(), oldPen);
    SelectObject(dib.dc(), oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    EXPECT_EQ(dib.Rgb(1, 1), 0xF80000u);
    EXPECT_EQ(dib.Rgb(5, 5), 0xF80000u);
    EXPECT_EQ(dib.Rgb(3, 3), 0x0000F8u);
    EXPECT_EQ(dib.Rgb(6, 6), 0u);
}

// The dots follow the device's pixel grid (a halftone brush), not the rectangle's corner: the
// pixels whose coordinates add up to an odd number are inverted.
TEST_P(GdiPixelTest, DrawFocusRectInvertsTheOddPixelsOfTheOutlineAndUndoesItself) {
    Dib dib(10, 10, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    for (RECT box : {RECT{0, 0, 8, 8}, RECT{1, 1, 9, 9}}) {
        DrawFocusRect(dib.dc(), &box);
        for (int x = box.left; x < box.right; ++x) {
            bool odd = (x + box.top) % 2 != 0;
            EXPECT_EQ(dib.Rgb(x, static_cast<int>(box.top)) != 0, odd) << x << "," << box.top;
        }
        EXPECT_EQ(dib.Rgb(box.left + 3, box.top + 2), 0u);
        DrawFocusRect(dib.dc(), &box);
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(dib.Rgb(x, static_cast<int>(box.top)), 0u) << x;
    }
}

TEST_P(GdiPixelTest, InvertRectFlipsEveryBit) {
    Dib dib(4, 4, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    RECT box{0, 0, 2, 2};
    InvertRect(dib.dc(), &box);
    EXPECT_EQ(dib.Rgb(1, 1) & 0xF8FCF8, 0xF8FCF8u);
    EXPECT_EQ(dib.Rgb(2, 2), 0u);
}

TEST_P(GdiPixelTest, PatBltWithPatInvertXorsTheBrush) {
    Dib dib(4, 4, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0xF8, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0xF8, 0, 0xF8));
    HGDIOBJ old = SelectObject(dib.dc(), brush);
    PatBlt(dib.dc(), 0, 0, 4, 4, PATINVERT);
    SelectObject(dib.dc(), old);
    DeleteObject(brush);
    EXPECT_EQ(dib.Rgb(2, 2), 0x0000F8u);
}

TEST_P(GdiPixelTest, ViewportOriginMovesDrawing) {
    Dib dib(8, 8, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    SetViewportOrgEx(dib.dc(), 3, 2, nullptr);
    SetPixel(dib.dc(), 1, 1, RGB(255, 255, 255));
    EXPECT_NE(dib.Rgb(4, 3), 0u);
    EXPECT_EQ(dib.Rgb(1, 1), 0u);
}

TEST_P(GdiPixelTest, IntersectClipRectKeepsDrawingInside) {
    Dib dib(8, 8, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    IntersectClipRect(dib.dc(), 2, 2, 4, 4);
    dib.Fill(RGB(255, 255, 255));
    EXPECT_NE(dib.Rgb(2, 2), 0u);
    EXPECT_NE(dib.Rgb(3, 3), 0u);
    EXPECT_EQ(dib.Rgb(4, 4), 0u);
    EXPECT_EQ(dib.Rgb(1, 2), 0u);
}

TEST_P(GdiPixelTest, RestoreDCBringsBackTheClipAndOrigin) {
    Dib dib(8, 8, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    int saved = SaveDC(dib.dc());
    IntersectClipRect(dib.dc(), 0, 0, 1, 1);
    SetViewportOrgEx(dib.dc(), 5, 5, nullptr);
    RestoreDC(dib.dc(), saved);
    SetPixel(dib.dc(), 3, 3, RGB(255, 255, 255));
    EXPECT_NE(dib.Rgb(3, 3), 0u);
}

TEST_P(GdiPixelTest, FrameRectDrawsAOnePixelBorderWithTheBrush) {
    Dib dib(6, 6, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    RECT box{1, 1, 5, 5};
    HBRUSH brush = CreateSolidBrush(RGB(0, 0xF8, 0));
    FrameRect(dib.dc(), &box, brush);
    DeleteObject(brush);
    EXPECT_EQ(dib.Rgb(1, 1), 0x00F800u);
    EXPECT_EQ(dib.Rgb(4, 4), 0x00F800u);
    EXPECT_EQ(dib.Rgb(2, 2), 0u);
    EXPECT_EQ(dib.Rgb(5, 5), 0u);
}

TEST_P(GdiPixelTest, PolylineDrawsEverySegmentButItsLastPoint) {
    Dib dib(8, 8, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dib.dc(), pen);
    POINT points[] = {{1, 1}, {5, 1}, {5, 5}};
    Polyline(dib.dc(), points, 3);
    SelectObject(dib.dc(), old);
    DeleteObject(pen);
    EXPECT_NE(dib.Rgb(1, 1), 0u);
    EXPECT_NE(dib.Rgb(5, 1), 0u);
    EXPECT_NE(dib.Rgb(5, 4), 0u);
    EXPECT_EQ(dib.Rgb(5, 5), 0u);
}

TEST_P(GdiPixelTest, XorPenLinesUndoThemselves) {
    Dib dib(8, 2, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0x80, 0x40, 0x20));
    std::uint32_t before = dib.Rgb(3, 0);
    SetROP2(dib.dc(), R2_XORPEN);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(dib.dc(), pen);
    for (int i = 0; i < 2; ++i) {
        MoveToEx(dib.dc(), 0, 0, nullptr);
        LineTo(dib.dc(), 8, 0);
        if (i == 0) {
            EXPECT_NE(dib.Rgb(3, 0), before);
        }
    }
    SelectObject(dib.dc(), old);
    DeleteObject(pen);
    EXPECT_EQ(dib.Rgb(3, 0), before);
}

TEST_P(GdiPixelTest, SetDIBitsToDeviceTakesBottomUpRows) {
    Dib dib(2, 2, GetParam());
    ASSERT_TRUE(dib.Valid());
    dib.Fill(RGB(0, 0, 0));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const DWORD rows[4] = {0x0000F8, 0x0000F8, 0xF80000, 0xF80000};  // bottom row first
    SetDIBitsToDevice(dib.dc(), 0, 0, 2, 2, 0, 0, 0, 2, rows, &info, DIB_RGB_COLORS);
    EXPECT_EQ(dib.Rgb(0, 0), 0xF80000u);
    EXPECT_EQ(dib.Rgb(1, 1), 0x0000F8u);
}

TEST_P(GdiPixelTest, BitBltPartlyOutsideTheTargetCopiesTheInsidePart) {
    Dib source(4, 4, 32);
    Dib target(4, 4, GetParam());
    ASSERT_TRUE(source.Valid() && target.Valid());
    source.Fill(RGB(0xF8, 0xF8, 0xF8));
    target.Fill(RGB(0, 0, 0));
    ASSERT_TRUE(BitBlt(target.dc(), 2, 2, 4, 4, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.Rgb(3, 3), 0xF8F8F8u);
    EXPECT_EQ(target.Rgb(1, 1), 0u);
}

INSTANTIATE_TEST_SUITE_P(Bits, GdiPixelTest, ::testing::Values(32, 16),
                         [](const ::testing::TestParamInfo<int>& row) {
                             return "bpp" + std::to_string(row.param);
                         });

}  // namespace
}  // namespace conformance
