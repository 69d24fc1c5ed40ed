#include <gtest/gtest.h>

#include <cstring>

#include "GdiTestSupport.h"

namespace {

using gdi_test::AllLayouts;
using gdi_test::Canvas;
using gdi_test::DibInfo;

const COLORREF kPalette[4] = {RGB(255, 0, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                              RGB(255, 255, 255)};

// The picture every DIB below holds, by colour index, top row first.
const int kPicture[3][5] = {{0, 1, 2, 3, 0}, {3, 3, 1, 1, 2}, {2, 0, 0, 1, 3}};

// Packs kPicture into DIB rows of `bits` per pixel, bottom-up unless topDown.
std::vector<std::uint8_t> PackIndexed(int bits, bool topDown) {
    int rowBytes = ((5 * bits + 31) / 32) * 4;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(rowBytes) * 3, 0);
    for (int y = 0; y < 3; ++y) {
        int row = topDown ? y : 2 - y;
        for (int x = 0; x < 5; ++x) {
            int index = kPicture[y][x];
            std::uint8_t* at = data.data() + row * rowBytes;
            if (bits == 8)
                at[x] = static_cast<std::uint8_t>(index);
            else
                at[x / 2] |= static_cast<std::uint8_t>(index << ((x % 2) ? 0 : 4));
        }
    }
    return data;
}

void ExpectPicture(const Canvas& canvas, int left, int top) {
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(canvas.Raw(left + x, top + y), canvas.Pack(kPalette[kPicture[y][x]]))
                << x << "," << y;
}

TEST(IndexedDibs, DrawThroughTheirColourTableAtEveryDepth) {
    struct Case {
        int bits;
        bool topDown;
        bool stretch;
    } cases[] = {{8, false, false}, {8, true, true}, {4, false, true}, {4, true, false}};
    for (const auto& layout : AllLayouts()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message()
                         << layout.name << " " << c.bits << "-bit "
                         << (c.topDown ? "top-down" : "bottom-up")
                         << (c.stretch ? " StretchDIBits" : " SetDIBitsToDevice"));
            DibInfo info(5, c.topDown ? -3 : 3, c.bits);
            for (int i = 0; i < 4; ++i)
                info.SetColor(i, kPalette[i]);
            info.header.biClrUsed = 4;
            std::vector<std::uint8_t> bits = PackIndexed(c.bits, c.topDown);
            Canvas canvas(8, 6, layout.format);
            int lines = c.stretch ? StretchDIBits(canvas.dc(), 2, 1, 5, 3, 0, 0, 5, 3, bits.data(),
                                                  info.info(), DIB_RGB_COLORS, SRCCOPY)
                                  : SetDIBitsToDevice(canvas.dc(), 2, 1, 5, 3, 0, 0, 0, 3,
                                                      bits.data(), info.info(), DIB_RGB_COLORS);
            EXPECT_EQ(lines, 3);
            ExpectPicture(canvas, 2, 1);
            EXPECT_EQ(canvas.Raw(1, 1), 0u);
            EXPECT_EQ(canvas.Raw(7, 1), 0u);
        }
    }
}

TEST(IndexedDibs, BottomUpSourceRectanglesCountFromTheLowerLeftCorner) {
    DibInfo info(5, 3, 8);
    for (int i = 0; i < 4; ++i)
        info.SetColor(i, kPalette[i]);
    std::vector<std::uint8_t> bits = PackIndexed(8, false);
    Canvas canvas(5, 1, win32::PixelFormat::Xrgb8888());
    // ySrc 0 with height 1 is the bottom row of the picture.
    SetDIBitsToDevice(canvas.dc(), 0, 0, 5, 1, 0, 0, 0, 3, bits.data(), info.info(),
                      DIB_RGB_COLORS);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(canvas.Color(x, 0), kPalette[kPicture[2][x]]) << x;
    StretchDIBits(canvas.dc(), 0, 0, 5, 1, 0, 2, 5, 1, bits.data(), info.info(), DIB_RGB_COLORS,
                  SRCCOPY);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(canvas.Color(x, 0), kPalette[kPicture[0][x]]) << x;
}

TEST(IndexedDibs, ABandOfScanLinesDrawsOnlyThoseRows) {
    DibInfo info(5, 3, 8);
    for (int i = 0; i < 4; ++i)
        info.SetColor(i, kPalette[i]);
    std::vector<std::uint8_t> bits = PackIndexed(8, false);
    Canvas canvas(5, 3, win32::PixelFormat::Xrgb8888());
    canvas.Clear(RGB(0, 0, 1));
    // Scan line 1 (the middle row) alone, handed over as its own memory.
    const std::uint8_t* middle = bits.data() + 8;
    EXPECT_EQ(
        SetDIBitsToDevice(canvas.dc(), 0, 0, 5, 3, 0, 0, 1, 1, middle, info.info(), DIB_RGB_COLORS),
        1);
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(canvas.Color(x, 0), RGB(0, 0, 1));
        EXPECT_EQ(canvas.Color(x, 1), kPalette[kPicture[1][x]]);
        EXPECT_EQ(canvas.Color(x, 2), RGB(0, 0, 1));
    }
}

TEST(DirectColourDibs, ReadEachLayout) {
    struct Case {
        const char* name;
        int bits;
        DWORD compression;
        DWORD masks[3];
        std::vector<std::uint8_t> pixels;  // one row of two pixels, padded
        win32::PixelFormat layout;         // how to read the two values below
        DWORD values[2];
    } cases[] = {
        {"24",
         24,
         BI_RGB,
         {},
         {136, 0, 248, 16, 252, 8, 0, 0},
         win32::PixelFormat::Xrgb8888(),
         {0xF80088, 0x08FC10}},
        {"32",
         32,
         BI_RGB,
         {},
         {136, 0, 248, 0, 16, 252, 8, 0},
         win32::PixelFormat::Xrgb8888(),
         {0xF80088, 0x08FC10}},
        {"555",
         16,
         BI_RGB,
         {},
         {0x11, 0x7C, 0xE2, 0x07},
         win32::PixelFormat::Xrgb1555(),
         {0x7C11, 0x07E2}},
        {"565",
         16,
         BI_BITFIELDS,
         {0xF800, 0x07E0, 0x001F},
         {0x11, 0xF8, 0xE2, 0x0F},
         win32::PixelFormat::Rgb565(),
         {0xF811, 0x0FE2}},
    };
    for (const auto& layout : AllLayouts()) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << layout.name << " from " << c.name);
            DibInfo info(2, 1, c.bits, c.compression);
            if (c.compression == BI_BITFIELDS)
                info.SetMasks(c.masks[0], c.masks[1], c.masks[2]);
            Canvas canvas(2, 1, layout.format);
            ASSERT_EQ(SetDIBitsToDevice(canvas.dc(), 0, 0, 2, 1, 0, 0, 0, 1, c.pixels.data(),
                                        info.info(), DIB_RGB_COLORS),
                      1);
            for (int x = 0; x < 2; ++x) {
                COLORREF source = win32::UnpackColor(c.layout, c.values[x]);
                EXPECT_EQ(canvas.Color(x, 0), canvas.Stored(source)) << x;
            }
        }
    }
}

TEST(Dibs, RefuseWhatTheyCannotRead) {
    Canvas canvas(2, 2, win32::PixelFormat::Rgb565());
    std::uint8_t pixels[16] = {};
    DibInfo compressed(2, 2, 8, BI_RLE8);
    EXPECT_EQ(SetDIBitsToDevice(canvas.dc(), 0, 0, 2, 2, 0, 0, 0, 2, pixels, compressed.info(),
                                DIB_RGB_COLORS),
              0);
    DibInfo odd(2, 2, 7);
    EXPECT_EQ(StretchDIBits(canvas.dc(), 0, 0, 2, 2, 0, 0, 2, 2, pixels, odd.info(), DIB_RGB_COLORS,
                            SRCCOPY),
              0);
    DibInfo palIndexes(2, 2, 8);
    EXPECT_EQ(SetDIBitsToDevice(canvas.dc(), 0, 0, 2, 2, 0, 0, 0, 2, pixels, palIndexes.info(),
                                DIB_PAL_COLORS),
              0);
    DibInfo huge(100000, 2, 8);
    void* bits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, huge.info(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(SetDIBitsToDevice(canvas.dc(), 0, 0, 2, 2, 0, 0, 0, 2, nullptr, palIndexes.info(),
                                DIB_RGB_COLORS),
              0);
}

TEST(DibSections, AnEightBitSectionIsDrawnThroughItsTableAndDrawnIntoByNearestColour) {
    DibInfo info(5, 3, 8);
    for (int i = 0; i < 4; ++i)
        info.SetColor(i, kPalette[i]);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, info.info(), DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    std::vector<std::uint8_t> picture = PackIndexed(8, false);
    std::memcpy(bits, picture.data(), picture.size());
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, section);
    Canvas canvas(5, 3, win32::PixelFormat::Rgb565());
    ASSERT_TRUE(BitBlt(canvas.dc(), 0, 0, 5, 3, memory, 0, 0, SRCCOPY));
    ExpectPicture(canvas, 0, 0);
    // Drawing into it picks the nearest table entry.
    SetPixel(memory, 0, 0, RGB(250, 250, 250));
    EXPECT_EQ(static_cast<std::uint8_t*>(bits)[2 * 8 + 0], 3);  // top row, bottom-up memory
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 255, 255));
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
}

TEST(DibBits, RoundTripThroughADeviceDependentBitmap) {
    DibInfo info(5, 3, 8);
    for (int i = 0; i < 4; ++i)
        info.SetColor(i, kPalette[i]);
    std::vector<std::uint8_t> picture = PackIndexed(8, false);
    HBITMAP bitmap = CreateDIBitmap(nullptr, &info.header, CBM_INIT, picture.data(), info.info(),
                                    DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    DibInfo out(5, -3, 32);
    std::uint32_t pixels[15] = {};
    ASSERT_EQ(GetDIBits(nullptr, bitmap, 0, 3, pixels, out.info(), DIB_RGB_COLORS), 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            COLORREF c = kPalette[kPicture[y][x]];
            std::uint32_t expected = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            EXPECT_EQ(pixels[y * 5 + x] & 0xFFFFFF, expected) << x << "," << y;
        }
    }
    DibInfo query(0, 0, 0);
    ASSERT_NE(GetDIBits(nullptr, bitmap, 0, 0, nullptr, query.info(), DIB_RGB_COLORS), 0);
    EXPECT_EQ(query.header.biWidth, 5);
    EXPECT_EQ(query.header.biHeight, 3);
    DeleteObject(bitmap);
}

}  // namespace
