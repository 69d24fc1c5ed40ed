// Locking surfaces, and what writes to the primary tell the framebuffer.
#include <gtest/gtest.h>

#include <functional>

#include "DdrawFixture.h"

namespace ddraw_test {
namespace {

using win32::Framebuffer;

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class SurfaceAccessTest : public DdrawTest {
  protected:
    void SetUp() override {
        DdrawTest::SetUp();
        directDraw_ = NewFullScreen(16);
        primary_ = NewPrimary(directDraw_);
        screen_ = NewOffScreen(directDraw_, 320, 240);
        Framebuffer::Instance().TakeDirty();
    }
    void TearDown() override {
        EXPECT_EQ(screen_->Release(), 0u);
        EXPECT_EQ(primary_->Release(), 0u);
        EXPECT_EQ(directDraw_->Release(), 0u);
        DdrawTest::TearDown();
    }

  public:  // the table's writers reach the surfaces through the fixture
    IDirectDraw7* directDraw_ = nullptr;
    IDirectDrawSurface7* primary_ = nullptr;
    IDirectDrawSurface7* screen_ = nullptr;
};

TEST_F(SurfaceAccessTest, ASurfaceIsLockedOnceAtATime) {
    DDSURFACEDESC2 first = Description();
    DDSURFACEDESC2 second = Description();
    ASSERT_EQ(screen_->Lock(nullptr, &first, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(screen_->Lock(nullptr, &second, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(second.lpSurface, nullptr);
    EXPECT_EQ(screen_->Unlock(nullptr), DD_OK);
    EXPECT_EQ(screen_->Unlock(nullptr), DDERR_NOTLOCKED);
    EXPECT_EQ(screen_->Lock(nullptr, &second, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(second.lpSurface, first.lpSurface);
    EXPECT_EQ(screen_->Unlock(nullptr), DD_OK);
}

TEST_F(SurfaceAccessTest, LockRefusesBadArguments) {
    DDSURFACEDESC2 description = Description();
    int event = 0;
    EXPECT_EQ(screen_->Lock(nullptr, nullptr, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(screen_->Lock(nullptr, &description, DDLOCK_WAIT, &event), DDERR_INVALIDPARAMS);
    description.dwSize = 0;
    EXPECT_EQ(screen_->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    description = Description();
    const RECT outside[] = {{-1, 0, 10, 10}, {0, 0, 321, 10}, {0, 200, 10, 241}, {5, 5, 5, 9}};
    for (RECT rect : outside) {
        EXPECT_EQ(screen_->Lock(&rect, &description, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    }
    // None of the refused calls left the surface locked.
    EXPECT_EQ(screen_->Unlock(nullptr), DDERR_NOTLOCKED);
}

TEST_F(SurfaceAccessTest, ARectangleLockPointsAtItsCornerAndUnlocksWithTheSameRectangle) {
    const Memory whole = MemoryOf(screen_);
    RECT rect{10, 20, 30, 40};
    DDSURFACEDESC2 description = Description();
    ASSERT_EQ(screen_->Lock(&rect, &description, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(static_cast<std::uint8_t*>(description.lpSurface),
              whole.bits + 20 * whole.pitch + 10 * 2);
    EXPECT_EQ(description.lPitch, whole.pitch);
    RECT other{10, 20, 30, 41};
    EXPECT_EQ(screen_->Unlock(&other), DDERR_INVALIDRECT);
    EXPECT_EQ(screen_->Unlock(&rect), DD_OK);
}

TEST_F(SurfaceAccessTest, BlitsRefuseALockedSurfaceOnEitherSide) {
    DDSURFACEDESC2 description = Description();
    ASSERT_EQ(screen_->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(primary_->BltFast(0, 0, screen_, nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    EXPECT_EQ(screen_->BltFast(0, 0, primary_, nullptr, DDBLTFAST_WAIT), DDERR_SURFACEBUSY);
    ASSERT_EQ(screen_->Unlock(nullptr), DD_OK);
    EXPECT_EQ(primary_->BltFast(0, 0, screen_, nullptr, DDBLTFAST_WAIT), DD_OK);
}

TEST_F(SurfaceAccessTest, WritesToThePrimaryMarkExactlyTheirRectangleDirty) {
    struct Case {
        const char* name;
        std::function<void(SurfaceAccessTest&)> write;
        RECT dirty;
    };
    const Case cases[] = {
        {"whole lock",
         [](SurfaceAccessTest& t) {
             DDSURFACEDESC2 d = Description();
             ASSERT_EQ(t.primary_->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
             ASSERT_EQ(t.primary_->Unlock(nullptr), DD_OK);
         },
         RECT{0, 0, 640, 480}},
        {"rectangle lock",
         [](SurfaceAccessTest& t) {
             RECT r{5, 6, 50, 60};
             DDSURFACEDESC2 d = Description();
             ASSERT_EQ(t.primary_->Lock(&r, &d, DDLOCK_WAIT, nullptr), DD_OK);
             ASSERT_EQ(t.primary_->Unlock(nullptr), DD_OK);
         },
         RECT{5, 6, 50, 60}},
        {"read-only lock",
         [](SurfaceAccessTest& t) {
             DDSURFACEDESC2 d = Description();
             ASSERT_EQ(t.primary_->Lock(nullptr, &d, DDLOCK_WAIT | DDLOCK_READONLY, nullptr),
                       DD_OK);
             ASSERT_EQ(t.primary_->Unlock(nullptr), DD_OK);
         },
         RECT{0, 0, 0, 0}},
        {"lock not yet given back",
         [](SurfaceAccessTest& t) {
             DDSURFACEDESC2 d = Description();
             ASSERT_EQ(t.primary_->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
             EXPECT_FALSE(Framebuffer::Instance().IsDirty());
             ASSERT_EQ(t.primary_->Unlock(nullptr), DD_OK);
             Framebuffer::Instance().TakeDirty();
         },
         RECT{0, 0, 0, 0}},
        {"off-screen lock",
         [](SurfaceAccessTest& t) {
             DDSURFACEDESC2 d = Description();
             ASSERT_EQ(t.screen_->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
             ASSERT_EQ(t.screen_->Unlock(nullptr), DD_OK);
         },
         RECT{0, 0, 0, 0}},
        {"BltFast of a screen",
         [](SurfaceAccessTest& t) {
             ASSERT_EQ(t.primary_->BltFast(160, 95, t.screen_, nullptr, DDBLTFAST_WAIT), DD_OK);
         },
         RECT{160, 95, 480, 335}},
        {"BltFast over the edge",
         [](SurfaceAccessTest& t) {
             ASSERT_EQ(t.primary_->BltFast(400, 300, t.screen_, nullptr, DDBLTFAST_WAIT), DD_OK);
         },
         RECT{400, 300, 640, 480}},
        {"mirrored Blt",
         [](SurfaceAccessTest& t) {
             RECT to{10, 20, 30, 40};
             RECT from{0, 0, 20, 20};
             DDBLTFX fx{};
             fx.dwSize = sizeof fx;
             fx.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
             ASSERT_EQ(t.primary_->Blt(&to, t.screen_, &from, DDBLT_WAIT | DDBLT_DDFX, &fx), DD_OK);
         },
         RECT{10, 20, 30, 40}},
        {"BltFast onto an off-screen surface",
         [](SurfaceAccessTest& t) {
             ASSERT_EQ(t.screen_->BltFast(0, 0, t.primary_, nullptr, DDBLTFAST_WAIT), DD_OK);
         },
         RECT{0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Framebuffer::Instance().TakeDirty();
        c.write(*this);
        const RECT dirty = Framebuffer::Instance().TakeDirty();
        EXPECT_TRUE(SameRect(dirty, c.dirty))
            << dirty.left << "," << dirty.top << "," << dirty.right << "," << dirty.bottom;
    }
}

TEST_F(SurfaceAccessTest, AScreenBlittedToThePrimaryLandsInTheFramebuffer) {
    FillWithCoordinates(screen_, 200, 100);
    RECT part{0, 0, 200, 100};
    ASSERT_EQ(primary_->BltFast(160, 95, screen_, &part, DDBLTFAST_WAIT), DD_OK);
    const win32::PixelBuffer& screen = Framebuffer::Instance().Buffer();
    EXPECT_EQ(win32::ReadPixel(screen, 160, 95), CoordinateValue(0, 0));
    EXPECT_EQ(win32::ReadPixel(screen, 359, 194), CoordinateValue(199, 99));
    EXPECT_EQ(win32::ReadPixel(screen, 170, 100), CoordinateValue(10, 5));
    EXPECT_EQ(win32::ReadPixel(screen, 159, 95), 0u);
    EXPECT_EQ(win32::ReadPixel(screen, 360, 95), 0u);
}

}  // namespace
}  // namespace ddraw_test
