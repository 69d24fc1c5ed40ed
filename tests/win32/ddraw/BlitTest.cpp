// Copies between surfaces: clipping, colour keys, mirroring, fills, overlap and refusals.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "DdrawFixture.h"

namespace ddraw_test {
namespace {

constexpr std::uint16_t kUntouched = 0xBEEF;

class BlitTest : public DdrawTest {
  protected:
    void SetUp() override {
        DdrawTest::SetUp();
        directDraw_ = NewFullScreen(16);
        source_ = NewOffScreen(directDraw_, kSourceWidth, kSourceHeight);
        dest_ = NewOffScreen(directDraw_, kDestWidth, kDestHeight);
        FillWithCoordinates(source_, kSourceWidth, kSourceHeight);
        ClearDest();
    }
    void TearDown() override {
        EXPECT_EQ(dest_->Release(), 0u);
        EXPECT_EQ(source_->Release(), 0u);
        EXPECT_EQ(directDraw_->Release(), 0u);
        DdrawTest::TearDown();
    }

    void ClearDest() {
        const Memory memory = MemoryOf(dest_);
        for (int y = 0; y < kDestHeight; ++y)
            for (int x = 0; x < kDestWidth; ++x)
                std::memcpy(memory.bits + y * memory.pitch + x * 2, &kUntouched, 2);
    }

    // The destination as rows of pixels, for whole-surface comparisons.
    std::vector<std::uint16_t> DestPixels() {
        std::vector<std::uint16_t> pixels(kDestWidth * kDestHeight);
        const Memory memory = MemoryOf(dest_);
        for (int y = 0; y < kDestHeight; ++y)
            std::memcpy(&pixels[y * kDestWidth], memory.bits + y * memory.pitch, kDestWidth * 2);
        return pixels;
    }

    // What a plain copy of source rectangle `from` to (x, y) leaves in the destination.
    static std::vector<std::uint16_t> ExpectedCopy(const RECT& from, int x, int y) {
        std::vector<std::uint16_t> pixels(kDestWidth * kDestHeight, kUntouched);
        for (int row = 0; row < from.bottom - from.top; ++row)
            for (int column = 0; column < from.right - from.left; ++column)
                if (x + column < kDestWidth && y + row < kDestHeight)
                    pixels[(y + row) * kDestWidth + x + column] =
                        CoordinateValue(from.left + column, from.top + row);
        return pixels;
    }

    static constexpr int kSourceWidth = 50;
    static constexpr int kSourceHeight = 40;
    static constexpr int kDestWidth = 100;
    static constexpr int kDestHeight = 80;

    IDirectDraw7* directDraw_ = nullptr;
    IDirectDrawSurface7* source_ = nullptr;
    IDirectDrawSurface7* dest_ = nullptr;
};

TEST_F(BlitTest, BltFastClipsAtTheDestinationAndRefusesRectanglesOutsideTheSource) {
    struct Case {
        const char* name;
        DWORD x, y;
        bool whole;
        RECT from;
        HRESULT expected;
        RECT copied;  // the part of the source that arrives, or empty
    };
    const Case cases[] = {
        {"whole at the origin", 0, 0, true, {}, DD_OK, {0, 0, 50, 40}},
        {"whole near the corner", 70, 60, true, {}, DD_OK, {0, 0, 50, 40}},
        {"part over the corner", 90, 70, false, {10, 5, 30, 25}, DD_OK, {10, 5, 30, 25}},
        {"just inside", 50, 40, true, {}, DD_OK, {0, 0, 50, 40}},
        {"at the right edge", 100, 0, true, {}, DD_OK, {0, 0, 0, 0}},
        {"below the bottom", 0, 80, true, {}, DD_OK, {0, 0, 0, 0}},
        {"past the source", 0, 0, false, {40, 30, 60, 50}, DDERR_INVALIDRECT, {0, 0, 0, 0}},
        {"left of the source", 0, 0, false, {-1, 0, 10, 10}, DDERR_INVALIDRECT, {0, 0, 0, 0}},
        {"empty", 0, 0, false, {10, 10, 10, 20}, DDERR_INVALIDRECT, {0, 0, 0, 0}},
        {"upside down", 0, 0, false, {10, 20, 20, 10}, DDERR_INVALIDRECT, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearDest();
        RECT from = c.from;
        EXPECT_EQ(dest_->BltFast(c.x, c.y, source_, c.whole ? nullptr : &from, DDBLTFAST_WAIT),
                  c.expected);
        EXPECT_EQ(DestPixels(),
                  ExpectedCopy(c.copied, static_cast<int>(c.x), static_cast<int>(c.y)));
    }
    EXPECT_EQ(dest_->BltFast(0, 0, nullptr, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDPARAMS);
}

TEST_F(BlitTest, BltFastWithTheSourceKeyLeavesKeyedPixelsOut) {
    DDCOLORKEY key{CoordinateValue(3, 0), CoordinateValue(3, 0)};
    ASSERT_EQ(source_->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    RECT from{0, 0, 6, 1};
    ASSERT_EQ(dest_->BltFast(10, 10, source_, &from, DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY),
              DD_OK);
    std::vector<std::uint16_t> expected = ExpectedCopy(from, 10, 10);
    expected[10 * kDestWidth + 13] = kUntouched;
    EXPECT_EQ(DestPixels(), expected);

    // Without the key flag the keyed colour is copied like any other.
    ASSERT_EQ(dest_->BltFast(10, 10, source_, &from, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(DestPixels(), ExpectedCopy(from, 10, 10));
}

TEST_F(BlitTest, ColourKeysComeFromCreationOrSetColorKeyAndMayBeRanges) {
    struct Case {
        const char* name;
        DWORD flags;
        DDCOLORKEY key;
        std::vector<int> keyedColumns;
    };
    // Row 0 of the source holds 1, 2, 3, ... in its blue and green bits.
    const Case cases[] = {
        {"single colour", DDCKEY_SRCBLT, {2, 2}, {1}},
        {"single colour ignores the high value", DDCKEY_SRCBLT, {2, 4}, {1}},
        {"range", DDCKEY_SRCBLT | DDCKEY_COLORSPACE, {2, 4}, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearDest();
        DDCOLORKEY key = c.key;
        ASSERT_EQ(source_->SetColorKey(c.flags, &key), DD_OK);
        RECT from{0, 0, 6, 1};
        ASSERT_EQ(dest_->BltFast(0, 0, source_, &from, DDBLTFAST_SRCCOLORKEY), DD_OK);
        std::vector<std::uint16_t> expected = ExpectedCopy(from, 0, 0);
        for (int column : c.keyedColumns)
            expected[column] = kUntouched;
        EXPECT_EQ(DestPixels(), expected);
    }

    ASSERT_EQ(source_->SetColorKey(DDCKEY_SRCBLT, nullptr), DD_OK);
    EXPECT_EQ(dest_->BltFast(0, 0, source_, nullptr, DDBLTFAST_SRCCOLORKEY), DDERR_COLORKEYNOTSET);
    DDCOLORKEY key{1, 1};
    EXPECT_EQ(source_->SetColorKey(DDCKEY_DESTBLT, &key), DDERR_UNSUPPORTED);
    EXPECT_EQ(dest_->BltFast(0, 0, source_, nullptr, DDBLTFAST_DESTCOLORKEY), DDERR_UNSUPPORTED);

    // A key given at creation is the surface's key from the start.
    DDSURFACEDESC2 description = Description();
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_CKSRCBLT;
    description.dwWidth = 2;
    description.dwHeight = 1;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    description.ddckCKSrcBlt = DDCOLORKEY{0x07E0, 0x07E0};
    IDirectDrawSurface7* keyed = nullptr;
    ASSERT_EQ(directDraw_->CreateSurface(&description, &keyed, nullptr), DD_OK);
    SetPixel16(keyed, 0, 0, 0x07E0);
    SetPixel16(keyed, 1, 0, 0x1234);
    ClearDest();
    ASSERT_EQ(dest_->BltFast(0, 0, keyed, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Pixel16(dest_, 0, 0), kUntouched);
    EXPECT_EQ(Pixel16(dest_, 1, 0), 0x1234);
    EXPECT_EQ(keyed->Release(), 0u);
}

TEST_F(BlitTest, BltMirrorsAndClipsTheMirroredPicture) {
    struct Case {
        const char* name;
        RECT to;
        RECT from;
        DWORD effects;
        // Expected destination pixels as (x, y) -> source (x, y).
        std::vector<std::array<int, 4>> landed;
    };
    const Case cases[] = {
        {"left to right",
         {10, 10, 14, 11},
         {0, 0, 4, 1},
         DDBLTFX_MIRRORLEFTRIGHT,
         {{10, 10, 3, 0}, {11, 10, 2, 0}, {12, 10, 1, 0}, {13, 10, 0, 0}}},
        {"up and down",
         {10, 10, 11, 13},
         {5, 0, 6, 3},
         DDBLTFX_MIRRORUPDOWN,
         {{10, 10, 5, 2}, {10, 11, 5, 1}, {10, 12, 5, 0}}},
        {"both",
         {0, 0, 2, 2},
         {0, 0, 2, 2},
         DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN,
         {{0, 0, 1, 1}, {1, 0, 0, 1}, {0, 1, 1, 0}, {1, 1, 0, 0}}},
        // Columns 98 and 99 would hold source 3 and 2; 100 and 101 fall off the edge.
        {"over the right edge",
         {98, 0, 102, 1},
         {0, 0, 4, 1},
         DDBLTFX_MIRRORLEFTRIGHT,
         {{98, 0, 3, 0}, {99, 0, 2, 0}}},
        {"over the left edge",
         {-2, 0, 2, 1},
         {0, 0, 4, 1},
         DDBLTFX_MIRRORLEFTRIGHT,
         {{0, 0, 1, 0}, {1, 0, 0, 0}}},
        {"over the bottom edge",
         {0, 78, 1, 82},
         {0, 0, 1, 4},
         DDBLTFX_MIRRORUPDOWN,
         {{0, 78, 0, 3}, {0, 79, 0, 2}}},
        {"plain copy over the left edge",
         {-2, 0, 2, 1},
         {0, 0, 4, 1},
         0,
         {{0, 0, 2, 0}, {1, 0, 3, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearDest();
        RECT to = c.to;
        RECT from = c.from;
        DDBLTFX fx{};
        fx.dwSize = sizeof fx;
        fx.dwDDFX = c.effects;
        ASSERT_EQ(dest_->Blt(&to, source_, &from, DDBLT_WAIT | DDBLT_DDFX, &fx), DD_OK);
        std::vector<std::uint16_t> expected(kDestWidth * kDestHeight, kUntouched);
        for (const auto& p : c.landed)
            expected[p[1] * kDestWidth + p[0]] = CoordinateValue(p[2], p[3]);
        EXPECT_EQ(DestPixels(), expected);
    }
}

TEST_F(BlitTest, BltCopiesEqualSizesOnlyAndSaysSoForStretching) {
    RECT to{0, 0, 20, 10};
    RECT from{0, 0, 10, 10};
    EXPECT_EQ(dest_->Blt(&to, source_, &from, DDBLT_WAIT, nullptr), DDERR_UNSUPPORTED);
    EXPECT_EQ(DestPixels(), ExpectedCopy(RECT{0, 0, 0, 0}, 0, 0));

    RECT same{5, 6, 15, 16};
    ASSERT_EQ(dest_->Blt(&same, source_, &from, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(DestPixels(), ExpectedCopy(from, 5, 6));
}

TEST_F(BlitTest, BltRefusesWhatItDoesNotProvide) {
    RECT to{0, 0, 10, 10};
    RECT from{0, 0, 10, 10};
    RECT outside{45, 35, 55, 45};
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    DDBLTFX unsized{};
    struct Case {
        const char* name;
        RECT* to;
        IDirectDrawSurface7* source;
        RECT* from;
        DWORD flags;
        DDBLTFX* fx;
        DWORD effects;
        HRESULT expected;
    };
    const Case cases[] = {
        {"raster operation", &to, source_, &from, DDBLT_WAIT | DDBLT_ROP, &fx, 0,
         DDERR_UNSUPPORTED},
        {"destination key", &to, source_, &from, DDBLT_WAIT | DDBLT_KEYDEST, nullptr, 0,
         DDERR_UNSUPPORTED},
        {"rotation", &to, source_, &from, DDBLT_DDFX, &fx, DDBLTFX_ROTATE90, DDERR_UNSUPPORTED},
        {"effects without a structure", &to, source_, &from, DDBLT_DDFX, nullptr, 0,
         DDERR_INVALIDPARAMS},
        {"effects without a size", &to, source_, &from, DDBLT_DDFX, &unsized, 0,
         DDERR_INVALIDPARAMS},
        {"no source", &to, nullptr, &from, DDBLT_WAIT, nullptr, 0, DDERR_INVALIDPARAMS},
        {"source rectangle outside", &to, source_, &outside, DDBLT_WAIT, nullptr, 0,
         DDERR_INVALIDRECT},
        {"source key not set", &to, source_, &from, DDBLT_KEYSRC, nullptr, 0, DDERR_COLORKEYNOTSET},
        {"two source keys", &to, source_, &from, DDBLT_KEYSRC | DDBLT_KEYSRCOVERRIDE, &fx, 0,
         DDERR_INVALIDPARAMS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fx.dwDDFX = c.effects;
        EXPECT_EQ(dest_->Blt(c.to, c.source, c.from, c.flags, c.fx), c.expected);
        EXPECT_EQ(DestPixels(), ExpectedCopy(RECT{0, 0, 0, 0}, 0, 0));
    }
}

TEST_F(BlitTest, BltKeysWithTheSurfaceKeyOrAnOverride) {
    RECT from{0, 0, 4, 1};
    RECT to{0, 0, 4, 1};
    DDCOLORKEY key{CoordinateValue(1, 0), CoordinateValue(1, 0)};
    ASSERT_EQ(source_->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    ASSERT_EQ(dest_->Blt(&to, source_, &from, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
    std::vector<std::uint16_t> expected = ExpectedCopy(from, 0, 0);
    expected[1] = kUntouched;
    EXPECT_EQ(DestPixels(), expected);

    ClearDest();
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.ddckSrcColorkey = DDCOLORKEY{CoordinateValue(2, 0), CoordinateValue(2, 0)};
    ASSERT_EQ(dest_->Blt(&to, source_, &from, DDBLT_WAIT | DDBLT_KEYSRCOVERRIDE, &fx), DD_OK);
    expected = ExpectedCopy(from, 0, 0);
    expected[2] = kUntouched;
    EXPECT_EQ(DestPixels(), expected);
}

TEST_F(BlitTest, ColourFillCoversTheClippedRectangle) {
    RECT rect{95, 78, 120, 90};
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0x07E0;
    ASSERT_EQ(dest_->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
    std::vector<std::uint16_t> expected(kDestWidth * kDestHeight, kUntouched);
    for (int y = 78; y < 80; ++y)
        for (int x = 95; x < 100; ++x)
            expected[y * kDestWidth + x] = 0x07E0;
    EXPECT_EQ(DestPixels(), expected);
    EXPECT_EQ(dest_->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_DDFX, &fx),
              DDERR_INVALIDPARAMS);
}

TEST_F(BlitTest, CopiesWithinOneSurfaceReadTheOriginalPixels) {
    // Scroll the source down one row and right one column, onto itself.
    RECT from{0, 0, 49, 39};
    ASSERT_EQ(source_->BltFast(1, 1, source_, &from, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Pixel16(source_, 1, 1), CoordinateValue(0, 0));
    EXPECT_EQ(Pixel16(source_, 49, 39), CoordinateValue(48, 38));
    EXPECT_EQ(Pixel16(source_, 20, 30), CoordinateValue(19, 29));
    EXPECT_EQ(Pixel16(source_, 0, 0), CoordinateValue(0, 0));

    // And back up, the other direction.
    RECT back{1, 1, 50, 40};
    ASSERT_EQ(source_->BltFast(0, 0, source_, &back, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(Pixel16(source_, 0, 0), CoordinateValue(0, 0));
    EXPECT_EQ(Pixel16(source_, 48, 38), CoordinateValue(48, 38));

    // A mirrored copy onto overlapping pixels mirrors the picture as it was.
    FillWithCoordinates(source_, kSourceWidth, kSourceHeight);
    RECT row{0, 0, 4, 1};
    RECT shifted{1, 0, 5, 1};
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
    ASSERT_EQ(source_->Blt(&shifted, source_, &row, DDBLT_DDFX, &fx), DD_OK);
    EXPECT_EQ(Pixel16(source_, 1, 0), CoordinateValue(3, 0));
    EXPECT_EQ(Pixel16(source_, 2, 0), CoordinateValue(2, 0));
    EXPECT_EQ(Pixel16(source_, 3, 0), CoordinateValue(1, 0));
    EXPECT_EQ(Pixel16(source_, 4, 0), CoordinateValue(0, 0));
}

TEST_F(BlitTest, BlitsDoNotConvertBetweenPixelFormats) {
    ASSERT_EQ(directDraw_->SetDisplayMode(640, 480, 32, 0, 0), DD_OK);
    IDirectDrawSurface7* wide = NewOffScreen(directDraw_, 10, 10);
    EXPECT_EQ(dest_->BltFast(0, 0, wide, nullptr, DDBLTFAST_WAIT), DDERR_INVALIDPIXELFORMAT);
    EXPECT_EQ(DestPixels(), ExpectedCopy(RECT{0, 0, 0, 0}, 0, 0));
    EXPECT_EQ(wide->Release(), 0u);
}

}  // namespace
}  // namespace ddraw_test
