// Device contexts on surfaces: GDI drawing on surface pixels, and how a DC and a lock
// exclude each other.
#include <gtest/gtest.h>

#include "DdrawFixture.h"
#include "win32/gdi.h"

namespace ddraw_test {
namespace {

using win32::Framebuffer;

class SurfaceDcTest : public DdrawTest {
  protected:
    void SetUp() override {
        DdrawTest::SetUp();
        directDraw_ = NewFullScreen(16);
        primary_ = NewPrimary(directDraw_);
        screen_ = NewOffScreen(directDraw_, 320, 240);
    }
    void TearDown() override {
        EXPECT_EQ(screen_->Release(), 0u);
        EXPECT_EQ(primary_->Release(), 0u);
        EXPECT_EQ(directDraw_->Release(), 0u);
        DdrawTest::TearDown();
    }

    int CountPixels(IDirectDrawSurface7* surface, const RECT& area, std::uint16_t value) {
        int count = 0;
        for (LONG y = area.top; y < area.bottom; ++y)
            for (LONG x = area.left; x < area.right; ++x)
                count += Pixel16(surface, x, y) == value ? 1 : 0;
        return count;
    }

    IDirectDraw7* directDraw_ = nullptr;
    IDirectDrawSurface7* primary_ = nullptr;
    IDirectDrawSurface7* screen_ = nullptr;
};

TEST_F(SurfaceDcTest, TextDrawnThroughTheDcLandsInTheSurfacesPixels) {
    HDC dc = nullptr;
    ASSERT_EQ(screen_->GetDC(&dc), DD_OK);
    ASSERT_NE(dc, nullptr);
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
    EXPECT_EQ(metrics.tmHeight, 16);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    ASSERT_TRUE(TextOutA(dc, 10, 20, "Hello", 5));
    EXPECT_EQ(screen_->ReleaseDC(dc), DD_OK);

    // White ink inside the text's box, none above it or left of it.
    EXPECT_GT(CountPixels(screen_, RECT{10, 20, 90, 36}, 0xFFFF), 10);
    EXPECT_EQ(CountPixels(screen_, RECT{0, 0, 320, 20}, 0xFFFF), 0);
    EXPECT_EQ(CountPixels(screen_, RECT{0, 0, 10, 240}, 0xFFFF), 0);
}

TEST_F(SurfaceDcTest, DcAndLockExcludeEachOther) {
    HDC dc = nullptr;
    ASSERT_EQ(screen_->GetDC(&dc), DD_OK);
    HDC second = reinterpret_cast<HDC>(1);
    EXPECT_EQ(screen_->GetDC(&second), DDERR_DCALREADYCREATED);
    EXPECT_EQ(second, nullptr);
    DDSURFACEDESC2 description = Description();
    EXPECT_EQ(screen_->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(primary_->BltFast(0, 0, screen_, nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    EXPECT_EQ(screen_->ReleaseDC(dc), DD_OK);

    ASSERT_EQ(screen_->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(screen_->GetDC(&dc), DDERR_SURFACEBUSY);
    EXPECT_EQ(dc, nullptr);
    EXPECT_EQ(screen_->Unlock(nullptr), DD_OK);
    EXPECT_EQ(screen_->GetDC(nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(SurfaceDcTest, ReleaseDcWantsTheDcThatWasGiven) {
    EXPECT_EQ(screen_->ReleaseDC(nullptr), DDERR_NODC);
    HDC dc = nullptr;
    HDC other = nullptr;
    ASSERT_EQ(screen_->GetDC(&dc), DD_OK);
    ASSERT_EQ(primary_->GetDC(&other), DD_OK);
    EXPECT_EQ(screen_->ReleaseDC(other), DDERR_INVALIDPARAMS);
    EXPECT_EQ(screen_->ReleaseDC(nullptr), DDERR_INVALIDPARAMS);
    // The surface's own DC is still out and still releasable.
    EXPECT_EQ(screen_->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(screen_->ReleaseDC(dc), DDERR_NODC);
    EXPECT_EQ(primary_->ReleaseDC(other), DD_OK);
}

TEST_F(SurfaceDcTest, DrawingOnThePrimaryDcMarksTheScreenDirty) {
    HDC dc = nullptr;
    ASSERT_EQ(primary_->GetDC(&dc), DD_OK);
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    ASSERT_TRUE(TextOutA(dc, 300, 200, "X", 1));
    Framebuffer::Instance().TakeDirty();
    ASSERT_EQ(primary_->ReleaseDC(dc), DD_OK);
    EXPECT_TRUE(Framebuffer::Instance().IsDirty());
    const RECT dirty = Framebuffer::Instance().TakeDirty();
    EXPECT_LE(dirty.left, 300);
    EXPECT_LE(dirty.top, 200);
    EXPECT_GE(dirty.right, 308);
    EXPECT_GE(dirty.bottom, 216);
    EXPECT_GT(CountPixels(primary_, RECT{300, 200, 316, 216}, 0xF800), 0);
}

TEST_F(SurfaceDcTest, ASurfaceReleasedWithItsDcOutLeavesNothingBehind) {
    IDirectDrawSurface7* scratch = NewOffScreen(directDraw_, 16, 16);
    HDC dc = nullptr;
    ASSERT_EQ(scratch->GetDC(&dc), DD_OK);
    EXPECT_EQ(scratch->Release(), 0u);
    EXPECT_EQ(faults::LiveSurfaces(), 2);
}

}  // namespace
}  // namespace ddraw_test
