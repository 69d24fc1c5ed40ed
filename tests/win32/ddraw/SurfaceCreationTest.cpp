// Creating surfaces: what is refused, what the primary and off-screen surfaces are made of,
// and how they describe themselves.
#include <gtest/gtest.h>

#include <functional>

#include "DdrawFixture.h"

namespace ddraw_test {
namespace {

using win32::Framebuffer;

class SurfaceCreationTest : public DdrawTest {};

TEST_F(SurfaceCreationTest, RefusedDescriptionsMakeNoSurface) {
    struct Case {
        const char* name;
        std::function<void(DDSURFACEDESC2&)> change;
        HRESULT expected;
    };
    const auto offScreen = [](DDSURFACEDESC2& d) {
        d.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        d.dwWidth = 32;
        d.dwHeight = 16;
        d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    };
    const auto primary = [](DDSURFACEDESC2& d) {
        d.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        d.ddsCaps.dwCaps =
            DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_SYSTEMMEMORY;
        d.dwBackBufferCount = 1;
    };
    const Case cases[] = {
        {"size not set", [&](DDSURFACEDESC2& d) { offScreen(d), d.dwSize = 0; },
         DDERR_INVALIDPARAMS},
        {"first layout's size",
         [&](DDSURFACEDESC2& d) { offScreen(d), d.dwSize = sizeof(DDSURFACEDESC); },
         DDERR_INVALIDPARAMS},
        {"zero width", [&](DDSURFACEDESC2& d) { offScreen(d), d.dwWidth = 0; },
         DDERR_INVALIDPARAMS},
        {"zero height", [&](DDSURFACEDESC2& d) { offScreen(d), d.dwHeight = 0; },
         DDERR_INVALIDPARAMS},
        {"width not given", [&](DDSURFACEDESC2& d) { offScreen(d), d.dwFlags &= ~DDSD_WIDTH; },
         DDERR_INVALIDPARAMS},
        {"too wide", [&](DDSURFACEDESC2& d) { offScreen(d), d.dwWidth = 100000; },
         DDERR_TOOBIGWIDTH},
        {"too high", [&](DDSURFACEDESC2& d) { offScreen(d), d.dwHeight = 100000; },
         DDERR_TOOBIGHEIGHT},
        {"video memory",
         [&](DDSURFACEDESC2& d) {
             offScreen(d), d.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY;
         },
         DDERR_OUTOFVIDEOMEMORY},
        {"both memories",
         [&](DDSURFACEDESC2& d) { offScreen(d), d.ddsCaps.dwCaps |= DDSCAPS_VIDEOMEMORY; },
         DDERR_INVALIDCAPS},
        {"texture", [&](DDSURFACEDESC2& d) { offScreen(d), d.ddsCaps.dwCaps |= DDSCAPS_TEXTURE; },
         DDERR_INVALIDCAPS},
        {"off-screen flip chain",
         [&](DDSURFACEDESC2& d) {
             offScreen(d), d.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
         },
         DDERR_INVALIDCAPS},
        {"caller's memory", [&](DDSURFACEDESC2& d) { offScreen(d), d.dwFlags |= DDSD_LPSURFACE; },
         DDERR_UNSUPPORTED},
        {"palettised format",
         [&](DDSURFACEDESC2& d) {
             offScreen(d);
             d.dwFlags |= DDSD_PIXELFORMAT;
             d.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
             d.ddpfPixelFormat.dwFlags = DDPF_PALETTEINDEXED8 | DDPF_RGB;
             d.ddpfPixelFormat.dwRGBBitCount = 8;
         },
         DDERR_INVALIDPIXELFORMAT},
        {"overlapping masks",
         [&](DDSURFACEDESC2& d) {
             offScreen(d);
             d.dwFlags |= DDSD_PIXELFORMAT;
             d.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
             d.ddpfPixelFormat.dwFlags = DDPF_RGB;
             d.ddpfPixelFormat.dwRGBBitCount = 16;
             d.ddpfPixelFormat.dwRBitMask = 0xF800;
             d.ddpfPixelFormat.dwGBitMask = 0x0FE0;
             d.ddpfPixelFormat.dwBBitMask = 0x001F;
         },
         DDERR_INVALIDPIXELFORMAT},
        {"primary with a size", [&](DDSURFACEDESC2& d) { primary(d), d.dwFlags |= DDSD_WIDTH; },
         DDERR_INVALIDPARAMS},
        {"flip without complex",
         [&](DDSURFACEDESC2& d) { primary(d), d.ddsCaps.dwCaps &= ~DDSCAPS_COMPLEX; },
         DDERR_DDSCAPSCOMPLEXREQUIRED},
        {"complex without flip",
         [&](DDSURFACEDESC2& d) { primary(d), d.ddsCaps.dwCaps &= ~DDSCAPS_FLIP; },
         DDERR_INVALIDCAPS},
        {"no back buffer", [&](DDSURFACEDESC2& d) { primary(d), d.dwBackBufferCount = 0; },
         DDERR_INVALIDPARAMS},
        {"back buffer count not given",
         [&](DDSURFACEDESC2& d) { primary(d), d.dwFlags = DDSD_CAPS; }, DDERR_INVALIDPARAMS},
        {"primary and off-screen",
         [&](DDSURFACEDESC2& d) { primary(d), d.ddsCaps.dwCaps |= DDSCAPS_OFFSCREENPLAIN; },
         DDERR_INVALIDCAPS},
    };
    IDirectDraw7* directDraw = NewFullScreen();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DDSURFACEDESC2 description = Description();
        c.change(description);
        IDirectDrawSurface7* surface = reinterpret_cast<IDirectDrawSurface7*>(1);
        EXPECT_EQ(directDraw->CreateSurface(&description, &surface, nullptr), c.expected);
        EXPECT_EQ(surface, nullptr);
        EXPECT_EQ(faults::LiveSurfaces(), 0);
    }
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(nullptr, &surface, nullptr), DDERR_INVALIDPARAMS);
    DDSURFACEDESC2 description = Description();
    offScreen(description);
    EXPECT_EQ(directDraw->CreateSurface(&description, nullptr, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(
        directDraw->CreateSurface(&description, &surface, reinterpret_cast<IUnknown*>(directDraw)),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(SurfaceCreationTest, AFlippingPrimaryNeedsExclusiveModeAndThereIsOnlyOne) {
    IDirectDraw7* directDraw = NewDirectDraw7();
    ASSERT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC2 description = Description();
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    description.dwBackBufferCount = 1;
    IDirectDrawSurface7* primary = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DDERR_NOEXCLUSIVEMODE);

    ASSERT_EQ(directDraw->SetCooperativeLevel(FakeWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE),
              DD_OK);
    primary = NewPrimary(directDraw);
    IDirectDrawSurface7* second = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&description, &second, nullptr),
              DDERR_PRIMARYSURFACEALREADYEXISTS);
    // Once the primary is gone a new one may be made.
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(directDraw->CreateSurface(&description, &second, nullptr), DD_OK);
    EXPECT_EQ(second->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(SurfaceCreationTest, ThePrimaryIsTheFramebuffer) {
    IDirectDraw7* directDraw = NewFullScreen(16);
    IDirectDrawSurface7* primary = NewPrimary(directDraw);
    DDSURFACEDESC2 locked = Description();
    ASSERT_EQ(primary->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(locked.lpSurface, Framebuffer::Instance().Buffer().bits);
    EXPECT_EQ(locked.dwWidth, 640u);
    EXPECT_EQ(locked.dwHeight, 480u);
    EXPECT_EQ(locked.lPitch, 1280);
    EXPECT_EQ(locked.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(primary->Unlock(nullptr), DD_OK);

    // A pixel written through the primary is a pixel of the screen.
    SetPixel16(primary, 200, 100, 0xABCD);
    EXPECT_EQ(win32::ReadPixel(Framebuffer::Instance().Buffer(), 200, 100), 0xABCDu);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(SurfaceCreationTest, OffScreenSurfacesTakeTheDisplayFormatWithRowsExactlyWidthApart) {
    struct Case {
        DWORD depth;
        DWORD width;
        DWORD height;
        LONG pitch;
    };
    const Case cases[] = {
        {16, 320, 240, 640},
        {16, 317, 3, 634},
        {32, 320, 240, 1280},
        {32, 1, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << "x" << c.depth);
        IDirectDraw7* directDraw = NewFullScreen(c.depth);
        IDirectDrawSurface7* surface = NewOffScreen(directDraw, c.width, c.height);
        DDSURFACEDESC2 locked = Description();
        ASSERT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(locked.lPitch, c.pitch);
        EXPECT_EQ(locked.dwWidth, c.width);
        EXPECT_EQ(locked.dwHeight, c.height);
        EXPECT_EQ(locked.ddpfPixelFormat.dwRGBBitCount, c.depth);
        EXPECT_NE(locked.dwFlags & DDSD_LPSURFACE, 0u);
        EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
        EXPECT_EQ(surface->Release(), 0u);
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

TEST_F(SurfaceCreationTest, OffScreenMemoryStaysAtItsAddressUntilRelease) {
    IDirectDraw7* directDraw = NewFullScreen(16);
    IDirectDrawSurface7* screen = NewOffScreen(directDraw, 320, 240);
    const Memory kept = MemoryOf(screen);
    // Writes through the kept address, with no lock held, are the surface's pixels.
    const std::uint16_t value = 0x1234;
    std::memcpy(kept.bits + 10 * kept.pitch + 7 * 2, &value, 2);
    for (int i = 0; i < 8; ++i) {
        IDirectDrawSurface7* other = NewOffScreen(directDraw, 64 + i, 64);
        EXPECT_EQ(other->Release(), 0u);
    }
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    EXPECT_EQ(MemoryOf(screen).bits, kept.bits);
    EXPECT_EQ(Pixel16(screen, 7, 10), 0x1234);
    EXPECT_EQ(Pixel16(screen, 8, 10), 0);  // new surfaces start black
    EXPECT_EQ(screen->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(SurfaceCreationTest, AnExplicitRgbFormatIsKept) {
    IDirectDraw7* directDraw = NewFullScreen(16);
    DDSURFACEDESC2 description = Description();
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    description.dwWidth = 10;
    description.dwHeight = 2;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    description.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    description.ddpfPixelFormat.dwFlags = DDPF_RGB;
    description.ddpfPixelFormat.dwRGBBitCount = 32;
    description.ddpfPixelFormat.dwRBitMask = 0x00FF0000;
    description.ddpfPixelFormat.dwGBitMask = 0x0000FF00;
    description.ddpfPixelFormat.dwBBitMask = 0x000000FF;
    IDirectDrawSurface7* surface = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&description, &surface, nullptr), DD_OK);
    DDSURFACEDESC2 described = Description();
    ASSERT_EQ(surface->GetSurfaceDesc(&described), DD_OK);
    EXPECT_EQ(described.lPitch, 40);
    EXPECT_EQ(described.ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_EQ(described.ddpfPixelFormat.dwRBitMask, 0x00FF0000u);
    EXPECT_EQ(described.ddsCaps.dwCaps, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY);
    EXPECT_EQ(surface->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(SurfaceCreationTest, SurfacesReportTheRedMaskOfTheSimulatedCard) {
    struct Case {
        DWORD depth;
        DWORD cardMask;
        DWORD reported;
    };
    const Case cases[] = {
        {16, 0xF800, 0xF800},
        {16, 0x7C00, 0x7C00},
        {16, 0x001F, 0x001F},
        {32, 0x001F, 0x00FF0000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.depth << " bits, card 0x" << std::hex << c.cardMask);
        Framebuffer::Instance().Reset();
        Framebuffer::Instance().SetReportedRedMask16(c.cardMask);
        IDirectDraw7* directDraw = NewFullScreen(c.depth);
        IDirectDrawSurface7* primary = NewPrimary(directDraw);
        IDirectDrawSurface7* screen = NewOffScreen(directDraw, 320, 240);
        for (IDirectDrawSurface7* surface : {primary, screen}) {
            // The display code zeroes the description, sets its size and asks for the format.
            DDSURFACEDESC2 description = Description();
            description.dwFlags = DDSD_PIXELFORMAT;
            ASSERT_EQ(surface->GetSurfaceDesc(&description), DD_OK);
            EXPECT_NE(description.dwFlags & DDSD_PIXELFORMAT, 0u);
            EXPECT_EQ(description.ddpfPixelFormat.dwFlags, static_cast<DWORD>(DDPF_RGB));
            EXPECT_EQ(description.ddpfPixelFormat.dwRGBBitCount, c.depth);
            EXPECT_EQ(description.ddpfPixelFormat.dwRBitMask, c.reported);
        }
        EXPECT_EQ(screen->Release(), 0u);
        EXPECT_EQ(primary->Release(), 0u);
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

TEST_F(SurfaceCreationTest, SurfaceDescriptionNeedsItsSizeSet) {
    IDirectDraw7* directDraw = NewFullScreen(16);
    IDirectDrawSurface7* primary = NewPrimary(directDraw);
    DDSURFACEDESC2 zeroed;
    std::memset(&zeroed, 0, sizeof zeroed);
    zeroed.dwFlags = DDSD_PIXELFORMAT;
    EXPECT_EQ(primary->GetSurfaceDesc(&zeroed), DDERR_INVALIDPARAMS);
    EXPECT_EQ(zeroed.ddpfPixelFormat.dwRBitMask, 0u);
    EXPECT_EQ(primary->GetSurfaceDesc(nullptr), DDERR_INVALIDPARAMS);

    DDSURFACEDESC2 described = Description();
    ASSERT_EQ(primary->GetSurfaceDesc(&described), DD_OK);
    EXPECT_EQ(described.dwSize, sizeof(DDSURFACEDESC2));
    EXPECT_EQ(described.dwWidth, 640u);
    EXPECT_EQ(described.dwHeight, 480u);
    EXPECT_EQ(described.dwBackBufferCount, 1u);
    EXPECT_EQ(described.lpSurface, nullptr);
    const DWORD chain = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    EXPECT_EQ(described.ddsCaps.dwCaps & chain, chain);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(SurfaceCreationTest, OnlyAFlippingPrimaryAnswersFlipStatus) {
    IDirectDraw7* directDraw = NewFullScreen(16);
    IDirectDrawSurface7* primary = NewPrimary(directDraw);
    IDirectDrawSurface7* screen = NewOffScreen(directDraw, 8, 8);
    EXPECT_EQ(primary->GetFlipStatus(DDGFS_CANFLIP), DD_OK);
    EXPECT_EQ(primary->GetFlipStatus(DDGFS_ISFLIPDONE), DD_OK);
    EXPECT_EQ(primary->GetFlipStatus(0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(primary->GetFlipStatus(DDGFS_CANFLIP | DDGFS_ISFLIPDONE), DDERR_INVALIDPARAMS);
    EXPECT_EQ(screen->GetFlipStatus(DDGFS_CANFLIP), DDERR_INVALIDSURFACETYPE);
    EXPECT_EQ(screen->Release(), 0u);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(SurfaceCreationTest, SurfaceInterfacesAppearWithTheirDirectXRelease) {
    struct Case {
        DWORD version;
        const IID* iid;
        HRESULT expected;
    };
    const Case cases[] = {
        {0x100, &IID_IDirectDrawSurface, S_OK},  {0x300, &IID_IDirectDrawSurface3, E_NOINTERFACE},
        {0x500, &IID_IDirectDrawSurface3, S_OK}, {0x500, &IID_IDirectDrawSurface4, E_NOINTERFACE},
        {0x600, &IID_IDirectDrawSurface4, S_OK}, {0x601, &IID_IDirectDrawSurface7, E_NOINTERFACE},
        {0x700, &IID_IDirectDrawSurface7, S_OK}, {0x801, &IID_IDirectDraw, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "version 0x" << std::hex << c.version);
        win32::installation::SetDirectXVersion(c.version);
        LPDIRECTDRAW directDraw = nullptr;
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
        ASSERT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
        DDSURFACEDESC description;
        std::memset(&description, 0, sizeof description);
        description.dwSize = sizeof description;
        description.dwFlags = DDSD_CAPS;
        description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        LPDIRECTDRAWSURFACE surface = nullptr;
        ASSERT_EQ(directDraw->CreateSurface(&description, &surface, nullptr), DD_OK);
        void* queried = nullptr;
        EXPECT_EQ(surface->QueryInterface(*c.iid, &queried), c.expected);
        EXPECT_EQ(queried != nullptr, c.expected == S_OK);
        if (queried != nullptr) {
            EXPECT_EQ(static_cast<IUnknown*>(queried)->Release(), 1u);
        }
        EXPECT_EQ(surface->QueryInterface(*c.iid, nullptr), DDERR_INVALIDPARAMS);
        EXPECT_EQ(surface->Release(), 0u);
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

}  // namespace
}  // namespace ddraw_test
