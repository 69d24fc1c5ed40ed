#include "draw/Ddraw.h"

#include <cstdint>
#include <cstring>

#include "draw/PaletteBank.h"
#include "frame/MessageBox.h"

_DDRAW DDraw;

namespace {

constexpr const char* kCreateCaption = "_DDRAW()::Create()";
constexpr const char* kErrorCaption = "오류";

DDSURFACEDESC2 EmptyDescription() {
    DDSURFACEDESC2 description;
    std::memset(&description, 0, sizeof description);
    description.dwSize = sizeof description;
    return description;
}

template <std::size_t N>
_SURFACE* FindIn(_SURFACE (&records)[N], const _SURFACE* record) {
    auto base = reinterpret_cast<std::uintptr_t>(&records[0]);
    auto at = reinterpret_cast<std::uintptr_t>(record);
    if (at < base)
        return nullptr;
    std::uintptr_t offset = at - base;
    if (offset % sizeof(_SURFACE) != 0 || offset / sizeof(_SURFACE) >= N)
        return nullptr;
    return &records[offset / sizeof(_SURFACE)];
}

}  // namespace

bool _DDRAW::Create(HWND newWindow, int width, int height, int newDepth) {
    // A second creation without a release would otherwise lose the first one's interfaces.
    if (directDraw != nullptr || primary != nullptr)
        Release();

    CoInitialize(nullptr);
    window = newWindow;

    HRESULT result = DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw),
                                        IID_IDirectDraw7, nullptr);
    if (FAILED(result)) {
        ShowMessageBox(kCreateCaption, "DirectDrawCreateEx() 에러");
        return false;
    }
    if (directDraw == nullptr) {
        ShowMessageBox(kCreateCaption, "LPDIRECTDRAW7 에러");
        return false;
    }
    if (FAILED(directDraw->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE))) {
        ShowMessageBox(kCreateCaption, "SetCooperativeLevel() 에러");
        return false;
    }
    if (FAILED(directDraw->SetDisplayMode(width, height, newDepth, 0, 0))) {
        ShowMessageBox(kCreateCaption, "SetDisplayMode() 에러");
        return false;
    }

    DDSURFACEDESC2 primaryDescription = EmptyDescription();
    primaryDescription.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    primaryDescription.ddsCaps.dwCaps =
        DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_SYSTEMMEMORY;
    primaryDescription.dwBackBufferCount = 1;
    // A success that hands back no surface is as useless as a failure, and would be
    // dereferenced below.
    if (FAILED(directDraw->CreateSurface(&primaryDescription, &primary, nullptr)) ||
        primary == nullptr) {
        ShowMessageBox(kCreateCaption, "CreateSurface() 에러");
        return false;
    }

    // A screen that cannot be made has shown its own message and stays empty.
    for (_SURFACE& screen : screens)
        screen.Create(320, 240);

    if (newDepth == 16) {
        DDSURFACEDESC2 format = EmptyDescription();
        format.dwFlags = DDSD_PIXELFORMAT;
        if (FAILED(primary->GetSurfaceDesc(&format))) {
            ShowMessageBox(kErrorCaption, "GetSurfaceDesc()");
            return false;
        }
        DWORD redMask = format.ddpfPixelFormat.dwRBitMask;
        if (redMask == 0x7C00 || redMask == 0xF800) {
            DisplayRedMask = redMask;
        } else {
            ShowMessageBox(kErrorCaption, "알 수 없는 비디오카드 : %x",
                           static_cast<unsigned>(redMask));
            return false;
        }
    }

    display.surface = primary;
    DDSURFACEDESC2 locked = EmptyDescription();
    if (primary->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr) == DD_OK) {
        display.pixels = static_cast<WORD*>(locked.lpSurface);
        display.width = width;
        display.height = height;
        primary->Unlock(nullptr);
    } else {
        display.pixels = nullptr;
        display.width = 0;
        display.height = 0;
    }

    depth = newDepth;
    return true;
}

void _DDRAW::Release() {
    for (_SURFACE& screen : screens)
        screen.Release();
    // Also the records whose lock failed at creation: they hold a surface all the same.
    for (_SURFACE& surface : surfaces)
        surface.Release();
    if (primary != nullptr) {
        primary->Release();
        primary = nullptr;
    }
    if (directDraw != nullptr) {
        directDraw->Release();
        directDraw = nullptr;
    }
    CoUninitialize();
}

bool _DDRAW::Present() {
    // Released or never made: there is nothing to show and nothing safe to touch.
    if (primary == nullptr)
        return false;
    if (!presentPending && primary->GetFlipStatus(DDGFS_CANFLIP) == DD_OK) {
        presentPending = true;
        // `display` still names an earlier primary when this creation failed before filling it.
        if (display.surface != primary || currentScreen < 0 || currentScreen >= kScreenCount)
            return false;
        return screens[currentScreen].Blt(&display, kPresentX, kPresentY, nullptr, false, 0);
    }
    if (presentPending && primary->GetFlipStatus(DDGFS_CANFLIP) == DD_OK)
        presentPending = false;
    return true;
}

void _DDRAW::SetCurrentScreen(int index) {
    if (index >= 0 && index < kScreenCount)
        currentScreen = index;
}

_SURFACE* _DDRAW::FindRecord(const _SURFACE* record) {
    if (_SURFACE* screen = FindIn(screens, record))
        return screen;
    return FindIn(surfaces, record);
}
