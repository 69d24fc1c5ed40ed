// Pictures and drawing: bitmaps decoded from every supported layout and damaged data refused,
// the transparent colour taken from the bottom-left pixel, change notices, and the canvas
// operations the controls paint with.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "forms/Bitmap.h"
#include "forms/Canvas.h"
#include "forms/Exception.h"
#include "forms/Picture.h"

namespace formstest {
namespace {

using namespace forms;

std::vector<COLORREF> PixelsOf(TBitmap& bitmap) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Pixel(x, y));
    }
    return pixels;
}

void Put32(std::vector<BYTE>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// A 16-bit 5-6-5 bitmap with colour masks after the header.
std::vector<BYTE> MakeMasked565(int width, int height, const std::vector<std::uint32_t>& pixels) {
    std::vector<BYTE> dib = MakeDib(width, height, 16, {}, pixels);
    Put32(dib, 16, 3);  // BI_BITFIELDS
    std::vector<BYTE> masks(12);
    Put32(masks, 0, 0xF800);
    Put32(masks, 4, 0x07E0);
    Put32(masks, 8, 0x001F);
    dib.insert(dib.begin() + 40, masks.begin(), masks.end());
    return dib;
}

struct DibCase {
    const char* what;
    std::vector<BYTE> dib;
    int width;
    int height;
    std::vector<COLORREF> expected;
};

class GraphicsTest : public FormsTest {};

TEST_F(GraphicsTest, DecodesEverySupportedLayout) {
    const COLORREF K = RGB(0, 0, 0);
    const COLORREF W = RGB(255, 255, 255);
    const COLORREF R = RGB(255, 0, 0);
    const COLORREF G = RGB(0, 255, 0);
    const COLORREF B = RGB(0, 0, 255);
    const std::vector<std::uint32_t> rgbPalette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                                   0xFFFFFF};
    const std::vector<DibCase> cases = {
        {"1 bit",
         MakeDib(3, 2, 1, {0x000000, 0xFFFFFF}, {0, 1, 0, 1, 1, 0}),
         3,
         2,
         {K, W, K, W, W, K}},
        {"4 bits", MakeDib(3, 2, 4, rgbPalette, {1, 2, 3, 4, 0, 1}), 3, 2, {R, G, B, W, K, R}},
        {"8 bits", MakeDib(3, 2, 8, rgbPalette, {4, 3, 2, 1, 0, 4}), 3, 2, {W, B, G, R, K, W}},
        {"8 bits, top row first",
         MakeDib(3, 2, 8, rgbPalette, {4, 3, 2, 1, 0, 4}, true),
         3,
         2,
         {W, B, G, R, K, W}},
        {"8 bits, index past a short colour table",
         MakeDib(2, 1, 8, {0xFFFFFF}, {0, 7}),
         2,
         1,
         {W, K}},
        {"16 bits 5-5-5",
         MakeDib(3, 1, 16, {}, {0x7C00, 0x03E0, 0x0210}),
         3,
         1,
         {R, G, RGB(0, 132, 132)}},
        {"16 bits with 5-6-5 masks",
         MakeMasked565(3, 1, {0xF800, 0x07E0, 0x001F}),
         3,
         1,
         {R, G, B}},
        {"24 bits",
         MakeDib(2, 2, 24, {}, {0x102030, 0xFF0000, 0x00FF00, 0x0000FF}),
         2,
         2,
         {RGB(0x10, 0x20, 0x30), R, G, B}},
        {"32 bits",
         MakeDib(2, 1, 32, {}, {0xAA123456, 0x00FFFFFF}),
         2,
         1,
         {RGB(0x12, 0x34, 0x56), W}},
    };
    for (const DibCase& c : cases) {
        SCOPED_TRACE(c.what);
        TBitmap bitmap;
        bitmap.LoadFromPackedDib(c.dib.data(), c.dib.size());
        EXPECT_EQ(bitmap.Width(), c.width);
        EXPECT_EQ(bitmap.Height(), c.height);
        EXPECT_EQ(PixelsOf(bitmap), c.expected);
    }
}

TEST_F(GraphicsTest, RefusesDamagedBitmapDataAndKeepsThePicture) {
    const std::vector<BYTE> good =
        MakeDib(4, 4, 8, {0xFF0000, 0x00FF00}, std::vector<std::uint32_t>(16, 1));
    auto with = [&](std::size_t at, std::uint32_t value) {
        std::vector<BYTE> dib = good;
        Put32(dib, at, value);
        return dib;
    };
    auto with16 = [&](std::size_t at, unsigned value) {
        std::vector<BYTE> dib = good;
        dib[at] = static_cast<BYTE>(value);
        dib[at + 1] = static_cast<BYTE>(value >> 8);
        return dib;
    };
    const std::vector<std::pair<const char*, std::vector<BYTE>>> damaged = {
        {"nothing", {}},
        {"shorter than the header", std::vector<BYTE>(good.begin(), good.begin() + 39)},
        {"header size too small", with(0, 12)},
        {"header larger than the data", with(0, 4000)},
        {"zero width", with(4, 0)},
        {"negative width", with(4, 0xFFFFFFFF)},
        {"zero height", with(8, 0)},
        {"enormous width", with(4, 100000)},
        {"most negative height", with(8, 0x80000000)},
        {"two planes", with16(12, 2)},
        {"3 bits per pixel", with16(14, 3)},
        {"run-length compressed", with(16, 1)},
        {"masks on 8 bits", with(16, 3)},
        {"colour table longer than 256", with(32, 257)},
        {"colour table past the end", with(32, 200)},
        {"pixel rows cut short", std::vector<BYTE>(good.begin(), good.end() - 1)},
        {"width larger than the rows", with(4, 40)},
    };
    TBitmap bitmap;
    bitmap.SetSize(7, 3);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    for (const auto& [what, dib] : damaged) {
        SCOPED_TRACE(what);
        EXPECT_THROW(bitmap.LoadFromPackedDib(dib.data(), dib.size()), EInvalidGraphic);
        EXPECT_EQ(bitmap.Width(), 7);
        EXPECT_EQ(bitmap.Height(), 3);
    }
    EXPECT_EQ(changes, 0);
    bitmap.LoadFromPackedDib(good.data(), good.size());
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(changes, 1);
}

TEST_F(GraphicsTest, TheTransparentColourIsTheBottomLeftPixelAndDrawLeavesItOut) {
    // M is magenta, the see-through colour; the bottom-left pixel is M.
    const std::uint32_t M = 0xFF00FF, Y = 0xFFFF00, C = 0x00FFFF;
    TBitmap sprite;
    std::vector<BYTE> dib = MakeDib(3, 2, 24, {}, {Y, M, C, M, Y, M});
    sprite.LoadFromPackedDib(dib.data(), dib.size());
    EXPECT_EQ(ColorToRGB(sprite.TransparentColor()), RGB(255, 0, 255));
    sprite.SetPixel(0, 1, RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(sprite.TransparentColor()), RGB(1, 2, 3));
    sprite.SetPixel(0, 1, RGB(255, 0, 255));
    sprite.SetTransparentColor(clYellow);
    EXPECT_EQ(sprite.TransparentMode(), tmFixed);
    EXPECT_EQ(sprite.TransparentColor(), clYellow);
    sprite.SetTransparentMode(tmAuto);

    const COLORREF g = RGB(0, 128, 0), y = RGB(255, 255, 0), c = RGB(0, 255, 255),
                   m = RGB(255, 0, 255);
    TBitmap target;
    target.SetSize(5, 3);
    target.Canvas()->Brush()->SetColor(static_cast<TColor>(g));
    target.Canvas()->FillRect(RECT{0, 0, 5, 3});

    sprite.SetTransparent(true);
    target.Canvas()->Draw(1, 0, &sprite);
    EXPECT_EQ(PixelsOf(target), (std::vector<COLORREF>{g, y, g, c, g,  //
                                                       g, g, y, g, g,  //
                                                       g, g, g, g, g}));
    sprite.SetTransparent(false);
    target.Canvas()->Draw(2, 1, &sprite, RECT{1, 0, 3, 1});            // the top row's right part
    EXPECT_EQ(PixelsOf(target), (std::vector<COLORREF>{g, y, g, c, g,  //
                                                       g, g, m, c, g,  //
                                                       g, g, g, g, g}));
}

TEST_F(GraphicsTest, PicturesReportEveryChangeOfTheirContent) {
    std::vector<BYTE> dib = MakeDib(2, 2, 8, {0x123456}, {0, 0, 0, 0});
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    struct Step {
        const char* what;
        std::function<void()> act;
        bool changes;
    };
    TBinaryData data;
    data.Bytes = dib;
    TBinaryData broken;
    broken.Bytes = {1, 2, 3};
    TBitmap other;
    other.SetSize(5, 6);
    const std::vector<Step> steps = {
        {"inline data", [&] { picture.SetData(data); }, true},
        {"broken data", [&] { EXPECT_THROW(picture.SetData(broken), EInvalidGraphic); }, false},
        {"drawing on it",
         [&] {
             picture.Bitmap()->Canvas()->FillRect(RECT{0, 0, 1, 1});
         },
         true},
        {"a new size", [&] { picture.Bitmap()->SetSize(3, 3); }, true},
        {"the same size", [&] { picture.Bitmap()->SetSize(3, 3); }, false},
        {"another bitmap's content", [&] { picture.Assign(other); }, true},
        {"cleared", [&] { picture.Clear(); }, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        int before = changes;
        step.act();
        EXPECT_EQ(changes > before, step.changes);
    }
    EXPECT_TRUE(picture.Empty());
}

TEST_F(GraphicsTest, ResizingKeepsThePixelsThatStillFit) {
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    bitmap.SetPixel(0, 0, RGB(1, 2, 3));
    bitmap.SetPixel(1, 1, RGB(4, 5, 6));
    bitmap.SetSize(3, 1);
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<COLORREF>{RGB(1, 2, 3), 0, 0}));
    bitmap.SetSize(0, 5);
    EXPECT_TRUE(bitmap.Empty());
}

TEST_F(GraphicsTest, Frame3DDrawsTheTopLeftAndBottomRightEdgesAndShrinksTheRectangle) {
    TBitmap bitmap;
    bitmap.SetSize(5, 4);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect(RECT{0, 0, 5, 4});
    RECT rect{0, 0, 5, 4};
    Frame3D(canvas, rect, clWhite, clRed, 1);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 1);
    EXPECT_EQ(rect.right, 4);
    EXPECT_EQ(rect.bottom, 3);
    const COLORREF W = RGB(255, 255, 255), R = RGB(255, 0, 0), K = RGB(0, 0, 0);
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<COLORREF>{W, W, W, W, R,  //
                                                       W, K, K, K, R,  //
                                                       W, K, K, K, R,  //
                                                       R, R, R, R, R}));
}

TEST_F(GraphicsTest, LinesLeaveOutTheirEndPointAndFocusRectanglesUndoThemselves) {
    TBitmap bitmap;
    bitmap.SetSize(6, 6);
    TCanvas& canvas = *bitmap.Canvas();
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect(RECT{0, 0, 6, 6});
    canvas.Pen()->SetColor(clBlue);
    canvas.MoveTo(1, 2);
    canvas.LineTo(4, 2);
    EXPECT_EQ(bitmap.Pixel(1, 2), RGB(0, 0, 255));
    EXPECT_EQ(bitmap.Pixel(3, 2), RGB(0, 0, 255));
    EXPECT_EQ(bitmap.Pixel(4, 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.PenPos().x, 4);

    std::vector<COLORREF> before = PixelsOf(bitmap);
    canvas.DrawFocusRect(RECT{0, 0, 6, 6});
    EXPECT_NE(PixelsOf(bitmap), before);
    canvas.DrawFocusRect(RECT{0, 0, 6, 6});
    EXPECT_EQ(PixelsOf(bitmap), before);
}

TEST_F(GraphicsTest, FontSizeAndHeightConvertAtNinetySixPixelsPerInch) {
    TFont font;
    font.SetSize(8);
    EXPECT_EQ(font.Height(), -11);
    font.SetHeight(-13);
    EXPECT_EQ(font.Size(), 10);
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetHeight(-13);
    EXPECT_EQ(changes, 0);
    font.SetName("Gulim");
    EXPECT_EQ(changes, 1);
    EXPECT_NE(font.Handle(), nullptr);
}

}  // namespace
}  // namespace formstest
