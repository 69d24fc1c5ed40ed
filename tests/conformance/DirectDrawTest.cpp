// DirectDraw 7 in the normal cooperative level: what Lock, GetDC and Blt answer when they are
// used wrongly, and modules and COM as the program finds them.
#include <cstring>
#include <functional>

#include "Conformance.h"

namespace conformance {
namespace {

class DirectDrawTest : public Win32Test {
  protected:
    void SetUp() override {
        Win32Test::SetUp();
        ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&ddraw_), IID_IDirectDraw7,
                                     nullptr),
                  DD_OK);
        ASSERT_EQ(ddraw_->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
        surface_ = MakeSurface(16, 16);
        ASSERT_NE(surface_, nullptr);
    }
    void TearDown() override {
        if (surface_ != nullptr)
            surface_->Release();
        if (ddraw_ != nullptr)
            ddraw_->Release();
        Win32Test::TearDown();
    }

    // An off-screen surface in system memory, 16 bits r5g6b5.
    LPDIRECTDRAWSURFACE7 MakeSurface(int width, int height) {
        DDSURFACEDESC2 description{};
        description.dwSize = sizeof description;
        description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
        description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        description.dwWidth = static_cast<DWORD>(width);
        description.dwHeight = static_cast<DWORD>(height);
        description.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
        description.ddpfPixelFormat.dwFlags = DDPF_RGB;
        description.ddpfPixelFormat.dwRGBBitCount = 16;
        description.ddpfPixelFormat.dwRBitMask = 0xF800;
        description.ddpfPixelFormat.dwGBitMask = 0x07E0;
        description.ddpfPixelFormat.dwBBitMask = 0x001F;
        LPDIRECTDRAWSURFACE7 surface = nullptr;
        if (ddraw_->CreateSurface(&description, &surface, nullptr) != DD_OK)
            return nullptr;
        return surface;
    }

    static DDSURFACEDESC2 Empty() {
        DDSURFACEDESC2 description{};
        description.dwSize = sizeof description;
        return description;
    }

    LPDIRECTDRAW7 ddraw_ = nullptr;
    LPDIRECTDRAWSURFACE7 surface_ = nullptr;
};

TEST_F(DirectDrawTest, LockHandsOutTheRowsAndTheirPitch) {
    DDSURFACEDESC2 locked = Empty();
    ASSERT_EQ(surface_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_NE(locked.lpSurface, nullptr);
    EXPECT_GE(locked.lPitch, 32);
    EXPECT_EQ(locked.dwWidth, 16u);
    EXPECT_EQ(locked.ddpfPixelFormat.dwRBitMask, 0xF800u);
    EXPECT_EQ(surface_->Unlock(nullptr), DD_OK);
}

TEST_F(DirectDrawTest, UnlockingASurfaceThatIsNotLockedFails) {
    EXPECT_EQ(surface_->Unlock(nullptr), DDERR_NOTLOCKED);
}

TEST_F(DirectDrawTest, LockingALockedSurfaceAgainIsRefused) {
    DDSURFACEDESC2 locked = Empty();
    ASSERT_EQ(surface_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    DDSURFACEDESC2 again = Empty();
    EXPECT_EQ(surface_->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface_->Unlock(nullptr), DD_OK);
}

TEST_F(DirectDrawTest, LockWithAWrongSizedDescriptionIsInvalid) {
    DDSURFACEDESC2 locked{};
    locked.dwSize = 4;
    EXPECT_EQ(surface_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DirectDrawTest, LockingARectangleOutsideTheSurfaceIsInvalid) {
    DDSURFACEDESC2 locked = Empty();
    RECT outside{8, 8, 24, 24};
    EXPECT_EQ(surface_->Lock(&outside, &locked, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DirectDrawTest, ASecondGetDcIsRefused) {
    HDC dc = nullptr;
    ASSERT_EQ(surface_->GetDC(&dc), DD_OK);
    HDC second = nullptr;
    EXPECT_EQ(surface_->GetDC(&second), DDERR_DCALREADYCREATED);
    EXPECT_EQ(surface_->ReleaseDC(dc), DD_OK);
}

TEST_F(DirectDrawTest, ReleasingADcThatWasNeverTakenFails) {
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_NE(surface_->ReleaseDC(other), DD_OK);
    DeleteDC(other);
}

TEST_F(DirectDrawTest, TheDcDrawsIntoTheSurface) {
    HDC dc = nullptr;
    ASSERT_EQ(surface_->GetDC(&dc), DD_OK);
    SetPixel(dc, 3, 2, RGB(255, 255, 255));
    ASSERT_EQ(surface_->ReleaseDC(dc), DD_OK);
    DDSURFACEDESC2 locked = Empty();
    ASSERT_EQ(surface_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    WORD pixel = 0;
    std::memcpy(&pixel, static_cast<BYTE*>(locked.lpSurface) + 2 * locked.lPitch + 3 * 2, 2);
    surface_->Unlock(nullptr);
    EXPECT_EQ(pixel, 0xFFFF);
}

TEST_F(DirectDrawTest, BltFromALockedSurfaceIsRefused) {
    LPDIRECTDRAWSURFACE7 target = MakeSurface(16, 16);
    ASSERT_NE(target, nullptr);
    DDSURFACEDESC2 locked = Empty();
    ASSERT_EQ(surface_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(target->Blt(nullptr, surface_, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
    surface_->Unlock(nullptr);
    target->Release();
}

TEST_F(DirectDrawTest, BltIntoASurfaceWithItsDcOutIsRefused) {
    LPDIRECTDRAWSURFACE7 source = MakeSurface(16, 16);
    ASSERT_NE(source, nullptr);
    HDC dc = nullptr;
    ASSERT_EQ(surface_->GetDC(&dc), DD_OK);
    EXPECT_EQ(surface_->Blt(nullptr, source, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
    surface_->ReleaseDC(dc);
    source->Release();
}

TEST_F(DirectDrawTest, BltFromARectangleOutsideTheSourceIsInvalid) {
    LPDIRECTDRAWSURFACE7 source = MakeSurface(8, 8);
    ASSERT_NE(source, nullptr);
    RECT outside{4, 4, 12, 12};
    RECT target{0, 0, 8, 8};
    EXPECT_EQ(surface_->Blt(&target, source, &outside, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    source->Release();
}

TEST_F(DirectDrawTest, BltFastCopiesTheRectangle) {
    LPDIRECTDRAWSURFACE7 source = MakeSurface(8, 8);
    ASSERT_NE(source, nullptr);
    HDC dc = nullptr;
    ASSERT_EQ(source->GetDC(&dc), DD_OK);
    SetPixel(dc, 1, 1, RGB(255, 255, 255));
    source->ReleaseDC(dc);
    RECT area{0, 0, 4, 4};
    ASSERT_EQ(surface_->BltFast(5, 6, source, &area, DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    DDSURFACEDESC2 locked = Empty();
    ASSERT_EQ(surface_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    WORD pixel = 0;
    std::memcpy(&pixel, static_cast<BYTE*>(locked.lpSurface) + 7 * locked.lPitch + 6 * 2, 2);
    surface_->Unlock(nullptr);
    EXPECT_EQ(pixel, 0xFFFF);
    source->Release();
}

TEST_F(DirectDrawTest, AColourFillBltWritesThePackedColour) {
    DDBLTFX effects{};
    effects.dwSize = sizeof effects;
    effects.dwFillColor = 0x07E0;
    ASSERT_EQ(surface_->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects),
              DD_OK);
    DDSURFACEDESC2 locked = Empty();
    ASSERT_EQ(surface_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    WORD pixel = 0;
    std::memcpy(&pixel, static_cast<BYTE*>(locked.lpSurface) + 15 * locked.lPitch + 15 * 2, 2);
    surface_->Unlock(nullptr);
    EXPECT_EQ(pixel, 0x07E0);
}

// Each surface holds a reference to the DirectDraw object that made it.
TEST_F(DirectDrawTest, SurfacesHoldAReferenceToTheirDirectDrawObject) {
    ULONG withOneSurface = ddraw_->AddRef();
    EXPECT_EQ(ddraw_->Release(), withOneSurface - 1);
    LPDIRECTDRAWSURFACE7 another = MakeSurface(4, 4);
    ASSERT_NE(another, nullptr);
    EXPECT_EQ(ddraw_->AddRef(), withOneSurface + 1);
    ddraw_->Release();
    another->Release();
    EXPECT_EQ(ddraw_->AddRef(), withOneSurface);
    ddraw_->Release();
}

// The interfaces the system asks for when it probes the installed DirectX; an interface the
// object does not have is refused and the answer cleared.
TEST_F(DirectDrawTest, QueryInterfaceHandsOutTheOlderInterfacesOfTheSameObject) {
    struct Case {
        const char* name;
        IUnknown* object;
        REFIID iid;
        HRESULT expected;
    } cases[] = {
        {"IDirectDraw2", ddraw_, IID_IDirectDraw2, S_OK},
        {"IDirectDrawSurface3", surface_, IID_IDirectDrawSurface3, S_OK},
        {"IDirectDrawSurface4", surface_, IID_IDirectDrawSurface4, S_OK},
        {"a surface asked for IDirectDraw7", surface_, IID_IDirectDraw7, E_NOINTERFACE},
        {"IDirectDraw asked for a surface", ddraw_, IID_IDirectDrawSurface7, E_NOINTERFACE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void* answer = reinterpret_cast<void*>(1);
        EXPECT_EQ(c.object->QueryInterface(c.iid, &answer), c.expected);
        if (c.expected != S_OK) {
            EXPECT_EQ(answer, nullptr);
            continue;
        }
        ASSERT_NE(answer, nullptr);
        static_cast<IUnknown*>(answer)->Release();
    }
}

TEST_F(DirectDrawTest, GetFlipStatusRefusesFlagsItDoesNotKnow) {
    EXPECT_EQ(surface_->GetFlipStatus(0), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface_->GetFlipStatus(DDGFS_CANFLIP | DDGFS_ISFLIPDONE), DDERR_INVALIDPARAMS);
}

TEST_F(DirectDrawTest, GetFlipStatusOfASurfaceThatCannotFlipIsRefused) {
    NUVIK_WINE_DEPARTURE("Wine's GetFlipStatus answers DD_OK for any surface");
    EXPECT_EQ(surface_->GetFlipStatus(DDGFS_CANFLIP), DDERR_INVALIDSURFACETYPE);
    EXPECT_EQ(surface_->GetFlipStatus(DDGFS_ISFLIPDONE), DDERR_INVALIDSURFACETYPE);
}

TEST_F(DirectDrawTest, AColourKeyedBltFastLeavesTheKeyColourOut) {
    LPDIRECTDRAWSURFACE7 source = MakeSurface(4, 1);
    ASSERT_NE(source, nullptr);
    DDCOLORKEY key{0xF81F, 0xF81F};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    DDBLTFX effects{};
    effects.dwSize = sizeof effects;
    effects.dwFillColor = 0xF81F;
    source->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
    RECT one{1, 0, 2, 1};
    effects.dwFillColor = 0x07E0;
    source->Blt(&one, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
    effects.dwFillColor = 0x001F;
    surface_->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
    RECT all{0, 0, 4, 1};
    ASSERT_EQ(surface_->BltFast(0, 0, source, &all, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), DD_OK);
    DDSURFACEDESC2 locked = Empty();
    ASSERT_EQ(surface_->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DD_OK);
    WORD row[4] = {};
    std::memcpy(row, locked.lpSurface, sizeof row);
    surface_->Unlock(nullptr);
    source->Release();
    EXPECT_EQ(row[0], 0x001F);
    EXPECT_EQ(row[1], 0x07E0);
    EXPECT_EQ(row[3], 0x001F);
}

TEST_F(DirectDrawTest, GetSurfaceDescWithAWrongSizedDescriptionIsInvalid) {
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof(DDSURFACEDESC2) - 4;
    EXPECT_EQ(surface_->GetSurfaceDesc(&description), DDERR_INVALIDPARAMS);
    description.dwSize = sizeof(DDSURFACEDESC2);
    ASSERT_EQ(surface_->GetSurfaceDesc(&description), DD_OK);
    EXPECT_EQ(description.dwWidth, 16u);
    EXPECT_EQ(description.ddpfPixelFormat.dwRGBBitCount, 16u);
}

TEST_F(DirectDrawTest, AnOffscreenSurfaceWithoutASizeIsInvalid) {
    DDSURFACEDESC2 description = Empty();
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    LPDIRECTDRAWSURFACE7 surface = nullptr;
    EXPECT_EQ(ddraw_->CreateSurface(&description, &surface, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface, nullptr);
}

TEST_F(Win32Test, DdrawIsLoadedByNameAndExportsItsEntryPoints) {
    HMODULE module = LoadLibraryA("ddraw.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "DirectDrawCreateEx"), nullptr);
    EXPECT_NE(GetProcAddress(module, "DirectDrawCreate"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "NoSuchEntryPoint"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
}

// The way the system probes the installed DirectX: the oldest entry point, fetched by name,
// gives an object that has the later DirectDraw interfaces too.
TEST_F(Win32Test, DirectDrawCreateByNameGivesAnObjectWithTheLaterInterfaces) {
    HMODULE module = LoadLibraryA("DDRAW.DLL");
    ASSERT_NE(module, nullptr);
    using CreateFn = HRESULT(WINAPI*)(GUID*, LPDIRECTDRAW*, IUnknown*);
    FARPROC entry = GetProcAddress(module, "DirectDrawCreate");
    ASSERT_NE(entry, nullptr);
    CreateFn create;
    std::memcpy(&create, &entry, sizeof create);
    LPDIRECTDRAW directDraw = nullptr;
    ASSERT_EQ(create(nullptr, &directDraw, nullptr), DD_OK);
    ASSERT_NE(directDraw, nullptr);
    for (REFIID iid : {std::cref(IID_IDirectDraw2), std::cref(IID_IDirectDraw7)}) {
        void* later = nullptr;
        EXPECT_EQ(directDraw->QueryInterface(iid, &later), S_OK);
        ASSERT_NE(later, nullptr);
        static_cast<IUnknown*>(later)->Release();
    }
    directDraw->Release();
    EXPECT_TRUE(FreeLibrary(module));
}

// The system's own start: exclusive full screen on its window, 640 x 480 at 16 bits, a primary
// surface with one back buffer that can flip.
TEST_F(Win32Test, TheExclusiveDisplayModeGivesAFlippablePrimaryOfThatMode) {
    Recorder recorder;
    HWND window = recorder.Create("screen", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480);
    LPDIRECTDRAW7 directDraw = nullptr;
    ASSERT_EQ(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw), IID_IDirectDraw7,
                                 nullptr),
              DD_OK);
    EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    description.dwBackBufferCount = 1;
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    ASSERT_EQ(directDraw->CreateSurface(&description, &primary, nullptr), DD_OK);
    DDSURFACEDESC2 format{};
    format.dwSize = sizeof format;
    EXPECT_EQ(primary->GetSurfaceDesc(&format), DD_OK);
    EXPECT_EQ(format.dwWidth, 640u);
    EXPECT_EQ(format.dwHeight, 480u);
    EXPECT_EQ(format.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_TRUE(format.ddpfPixelFormat.dwRBitMask == 0xF800 ||
                format.ddpfPixelFormat.dwRBitMask == 0x7C00);
    EXPECT_EQ(primary->GetFlipStatus(DDGFS_CANFLIP), DD_OK);
    primary->Release();
    directDraw->SetCooperativeLevel(window, DDSCL_NORMAL);
    directDraw->Release();
}

TEST_F(Win32Test, LoadingAModuleThatDoesNotExistFails) {
    EXPECT_EQ(LoadLibraryA("nuvik-no-such-module.dll"), nullptr);
}

TEST_F(Win32Test, GetModuleHandleOfNullIsTheProgram) {
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
}

TEST_F(Win32Test, CoCreateInstanceOfAnUnknownClassFails) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(unknown, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    CoUninitialize();
}

}  // namespace
}  // namespace conformance
