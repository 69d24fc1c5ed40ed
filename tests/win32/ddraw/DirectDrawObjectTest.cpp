// The DirectDraw object: creation, reference counting, interfaces by DirectX release,
// cooperative levels and display modes.
#include <gtest/gtest.h>

#include "DdrawFixture.h"

namespace ddraw_test {
namespace {

using win32::Framebuffer;
using win32::PixelFormat;

class DirectDrawObjectTest : public DdrawTest {};

TEST_F(DirectDrawObjectTest, ReferencesCountUpAndTheLastReleaseDestroysTheObject) {
    IDirectDraw7* directDraw = NewDirectDraw7();
    ASSERT_NE(directDraw, nullptr);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 1);
    EXPECT_EQ(directDraw->AddRef(), 2u);
    EXPECT_EQ(directDraw->Release(), 1u);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 1);
    EXPECT_EQ(directDraw->Release(), 0u);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);
}

TEST_F(DirectDrawObjectTest, EveryQueriedInterfaceNeedsItsOwnRelease) {
    LPDIRECTDRAW directDraw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
    void* second = nullptr;
    ASSERT_EQ(directDraw->QueryInterface(IID_IDirectDraw2, &second), S_OK);
    ASSERT_NE(second, nullptr);
    // Releasing the queried interface leaves the object alive for the first one.
    EXPECT_EQ(static_cast<IDirectDraw2*>(second)->Release(), 1u);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 1);
    EXPECT_EQ(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(directDraw->Release(), 0u);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);
}

TEST_F(DirectDrawObjectTest, SurfacesKeepTheirDirectDrawObjectAlive) {
    IDirectDraw7* directDraw = NewFullScreen();
    IDirectDrawSurface7* primary = NewPrimary(directDraw);
    IDirectDrawSurface7* screen = NewOffScreen(directDraw, 320, 240);
    // The object's own reference goes, the surfaces' stay.
    EXPECT_EQ(directDraw->Release(), 2u);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 1);
    EXPECT_EQ(primary->BltFast(160, 95, screen, nullptr, DDBLTFAST_WAIT), DD_OK);
    EXPECT_EQ(screen->Release(), 0u);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 1);
    EXPECT_EQ(primary->Release(), 0u);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);
    EXPECT_EQ(faults::LiveSurfaces(), 0);
}

TEST_F(DirectDrawObjectTest, DirectDrawInterfacesAppearWithTheirDirectXRelease) {
    struct Case {
        DWORD version;
        const IID* iid;
        HRESULT expected;
    };
    const Case cases[] = {
        {0x100, &IID_IDirectDraw, S_OK},
        {0x100, &IID_IUnknown, S_OK},
        {0x100, &IID_IDirectDraw2, E_NOINTERFACE},
        {0x200, &IID_IDirectDraw2, S_OK},
        {0x601, &IID_IDirectDraw7, E_NOINTERFACE},
        {0x700, &IID_IDirectDraw7, S_OK},
        {0x801, &IID_IDirectDrawSurface, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "version 0x" << std::hex << c.version);
        win32::installation::SetDirectXVersion(c.version);
        LPDIRECTDRAW directDraw = nullptr;
        ASSERT_EQ(DirectDrawCreate(nullptr, &directDraw, nullptr), DD_OK);
        void* queried = reinterpret_cast<void*>(1);
        EXPECT_EQ(directDraw->QueryInterface(*c.iid, &queried), c.expected);
        if (c.expected == S_OK) {
            ASSERT_NE(queried, nullptr);
            EXPECT_EQ(static_cast<IUnknown*>(queried)->Release(), 1u);
        } else {
            EXPECT_EQ(queried, nullptr);
        }
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

TEST_F(DirectDrawObjectTest, EveryInterfaceLeadsToTheSameIdentity) {
    IDirectDraw7* directDraw = NewDirectDraw7();
    void* fromSeven = nullptr;
    void* viaFirst = nullptr;
    void* fromFirst = nullptr;
    ASSERT_EQ(directDraw->QueryInterface(IID_IUnknown, &fromSeven), S_OK);
    ASSERT_EQ(directDraw->QueryInterface(IID_IDirectDraw, &viaFirst), S_OK);
    ASSERT_EQ(static_cast<IDirectDraw*>(viaFirst)->QueryInterface(IID_IUnknown, &fromFirst), S_OK);
    EXPECT_EQ(fromSeven, fromFirst);
    static_cast<IUnknown*>(fromSeven)->Release();
    static_cast<IUnknown*>(fromFirst)->Release();
    static_cast<IDirectDraw*>(viaFirst)->Release();
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawObjectTest, CreationRefusesBadArgumentsAndLeavesNoObject) {
    GUID otherDriver = IID_IDirectDraw;
    IUnknown* outer = reinterpret_cast<IUnknown*>(&otherDriver);
    LPDIRECTDRAW first = reinterpret_cast<LPDIRECTDRAW>(1);
    EXPECT_EQ(DirectDrawCreate(nullptr, nullptr, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(DirectDrawCreate(nullptr, &first, outer), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(DirectDrawCreate(&otherDriver, &first, nullptr), DDERR_INVALIDDIRECTDRAWGUID);

    void* seventh = reinterpret_cast<void*>(1);
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &seventh, IID_IDirectDraw, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(seventh, nullptr);
    EXPECT_EQ(DirectDrawCreateEx(nullptr, nullptr, IID_IDirectDraw7, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);

    // The debugging selectors name the display driver too.
    ASSERT_EQ(DirectDrawCreate(DDCREATE_EMULATIONONLY, &first, nullptr), DD_OK);
    EXPECT_EQ(first->Release(), 0u);
}

TEST_F(DirectDrawObjectTest, EntryPointsRefuseAnInstallationWithoutThem) {
    win32::installation::SetDirectXVersion(0x601);
    void* seventh = nullptr;
    EXPECT_EQ(DirectDrawCreateEx(nullptr, &seventh, IID_IDirectDraw7, nullptr),
              DDERR_NODIRECTDRAWSUPPORT);
    EXPECT_EQ(seventh, nullptr);
    win32::installation::SetDirectXVersion(0);
    LPDIRECTDRAW first = nullptr;
    EXPECT_EQ(DirectDrawCreate(nullptr, &first, nullptr), DDERR_NODIRECTDRAWSUPPORT);
    EXPECT_EQ(faults::LiveDirectDrawObjects(), 0);
}

TEST_F(DirectDrawObjectTest, CooperativeLevelsAcceptOnlyNormalOrExclusiveFullScreen) {
    struct Case {
        const char* name;
        bool window;
        DWORD flags;
        HRESULT expected;
    };
    const Case cases[] = {
        {"normal without a window", false, DDSCL_NORMAL, DD_OK},
        {"normal with a window", true, DDSCL_NORMAL, DD_OK},
        {"exclusive full screen", true, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE, DD_OK},
        {"exclusive with harmless extras", true,
         DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWREBOOT | DDSCL_MULTITHREADED, DD_OK},
        {"exclusive without a window", false, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE,
         DDERR_INVALIDPARAMS},
        {"exclusive alone", true, DDSCL_EXCLUSIVE, DDERR_INVALIDPARAMS},
        {"full screen alone", true, DDSCL_FULLSCREEN, DDERR_INVALIDPARAMS},
        {"normal and exclusive", true, DDSCL_NORMAL | DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN,
         DDERR_INVALIDPARAMS},
        {"no level", true, 0, DDERR_INVALIDPARAMS},
        {"mode X", true, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX,
         DDERR_INVALIDPARAMS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IDirectDraw7* directDraw = NewDirectDraw7();
        EXPECT_EQ(directDraw->SetCooperativeLevel(c.window ? FakeWindow() : nullptr, c.flags),
                  c.expected);
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

TEST_F(DirectDrawObjectTest, ExclusiveModeBelongsToOneObjectUntilItGoes) {
    IDirectDraw7* owner = NewFullScreen();
    IDirectDraw7* other = NewDirectDraw7();
    EXPECT_EQ(other->SetCooperativeLevel(FakeWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE),
              DDERR_EXCLUSIVEMODEALREADYSET);
    ASSERT_EQ(other->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(other->SetDisplayMode(640, 480, 32, 0, 0), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(owner->Release(), 0u);
    EXPECT_EQ(other->SetCooperativeLevel(FakeWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    EXPECT_EQ(other->Release(), 0u);
}

TEST_F(DirectDrawObjectTest, GoingBackToNormalGivesUpExclusiveMode) {
    IDirectDraw7* first = NewFullScreen();
    ASSERT_EQ(first->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    IDirectDraw7* second = NewFullScreen();
    EXPECT_EQ(second->Release(), 0u);
    EXPECT_EQ(first->Release(), 0u);
}

TEST_F(DirectDrawObjectTest, DisplayModesAre640By480At16Or32Bits) {
    struct Case {
        DWORD width, height, depth, refresh, flags;
        HRESULT expected;
        int bitsAfter;
    };
    const Case cases[] = {
        {640, 480, 16, 0, 0, DD_OK, 16},
        {640, 480, 32, 0, 0, DD_OK, 32},
        {640, 480, 16, 60, 0, DD_OK, 16},
        {640, 480, 8, 0, 0, DDERR_INVALIDMODE, 32},
        {640, 480, 24, 0, 0, DDERR_INVALIDMODE, 32},
        {800, 600, 16, 0, 0, DDERR_INVALIDMODE, 32},
        {640, 480, 16, 75, 0, DDERR_INVALIDMODE, 32},
        {640, 480, 16, 0, DDSDM_STANDARDVGAMODE, DDERR_INVALIDMODE, 32},
        {640, 480, 16, 0, 0x80, DDERR_INVALIDPARAMS, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << "x" << c.depth << " @"
                                          << c.refresh << " flags " << c.flags);
        Framebuffer::Instance().Reset();
        IDirectDraw7* directDraw = NewDirectDraw7();
        ASSERT_EQ(directDraw->SetCooperativeLevel(FakeWindow(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE),
                  DD_OK);
        EXPECT_EQ(directDraw->SetDisplayMode(c.width, c.height, c.depth, c.refresh, c.flags),
                  c.expected);
        EXPECT_EQ(Framebuffer::Instance().Format().bitsPerPixel, c.bitsAfter);
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

TEST_F(DirectDrawObjectTest, SixteenBitModeFollowsTheSimulatedCard) {
    struct Case {
        DWORD reportedRedMask;
        PixelFormat format;
    };
    const Case cases[] = {
        {0xF800, PixelFormat::Rgb565()},
        {0x7C00, PixelFormat::Xrgb1555()},
        // A card with a mask nobody knows still stores 5-6-5 pixels.
        {0x001F, PixelFormat::Rgb565()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.reportedRedMask);
        Framebuffer::Instance().Reset();
        Framebuffer::Instance().SetReportedRedMask16(c.reportedRedMask);
        IDirectDraw7* directDraw = NewFullScreen(16);
        EXPECT_EQ(Framebuffer::Instance().Format(), c.format);
        EXPECT_EQ(directDraw->Release(), 0u);
    }
}

TEST_F(DirectDrawObjectTest, ModeSwitchRepaintsThroughTheFramebufferListeners) {
    int repaints = 0;
    const int listener = Framebuffer::Instance().AddModeListener([&repaints] { ++repaints; });
    IDirectDraw7* directDraw = NewFullScreen(16);
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 8, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(repaints, 1);
    Framebuffer::Instance().RemoveModeListener(listener);
    EXPECT_EQ(directDraw->Release(), 0u);
}

TEST_F(DirectDrawObjectTest, NothingBeforeACooperativeLevel) {
    IDirectDraw7* directDraw = NewDirectDraw7();
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DDERR_NOCOOPERATIVELEVELSET);
    DDSURFACEDESC2 description = Description();
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&description, &surface, nullptr),
              DDERR_NOCOOPERATIVELEVELSET);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(directDraw->Release(), 0u);
}

}  // namespace
}  // namespace ddraw_test
