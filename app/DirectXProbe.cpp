#include "app/DirectXProbe.h"

#include <cstring>

namespace {

// The version-defining interfaces, with their public identifiers.
const GUID kIID_IDirectDraw2 = {
    0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
const GUID kIID_IDirectDrawSurface3 = {
    0xDA044E00, 0x69B2, 0x11D0, {0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8, 0xDF, 0xBB}};
const GUID kIID_IDirectDrawSurface4 = {
    0x0B2B8630, 0xAD35, 0x11D0, {0x8E, 0xA6, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};
const GUID kCLSID_DirectMusic = {
    0x636B9F10, 0x0C7D, 0x11D1, {0x95, 0xB2, 0x00, 0x20, 0xAF, 0xDC, 0x74, 0x21}};
const GUID kIID_IDirectMusic = {
    0x6536115A, 0x7B2D, 0x11D2, {0xBA, 0x18, 0x00, 0x00, 0xF8, 0x75, 0xAC, 0x12}};
const GUID kIID_IDirectDraw7 = {
    0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};

using DirectDrawCreateFn = HRESULT(WINAPI*)(GUID*, LPDIRECTDRAW*, IUnknown*);
using DirectDrawCreateExFn = HRESULT(WINAPI*)(GUID*, LPVOID*, REFIID, IUnknown*);

// GetProcAddress gives a generic function pointer; the copy avoids a cast between
// incompatible function types.
template <typename Fn>
Fn ProcAs(FARPROC proc) {
    Fn fn;
    static_assert(sizeof fn == sizeof proc);
    std::memcpy(&fn, &proc, sizeof fn);
    return fn;
}

DWORD Fail(const char* trace, DWORD version) {
    OutputDebugStringA(trace);
    return version;
}

}  // namespace

DWORD ProbeDirectXVersion() {
    HMODULE ddraw = LoadLibraryA("DDRAW.DLL");
    if (ddraw == nullptr)
        return Fail("Couldn't LoadLibrary DDraw\r\n", 0);

    auto directDrawCreate = ProcAs<DirectDrawCreateFn>(GetProcAddress(ddraw, "DirectDrawCreate"));
    if (directDrawCreate == nullptr) {
        FreeLibrary(ddraw);
        return Fail("Couldn't GetProcAddress DirectDrawCreate\r\n", 0);
    }

    LPDIRECTDRAW directDraw = nullptr;
    if (FAILED(directDrawCreate(nullptr, &directDraw, nullptr))) {
        FreeLibrary(ddraw);
        return Fail("Couldn't create DDraw\r\n", 0);
    }

    IUnknown* directDraw2 = nullptr;
    if (FAILED(directDraw->QueryInterface(kIID_IDirectDraw2,
                                          reinterpret_cast<void**>(&directDraw2)))) {
        directDraw->Release();
        FreeLibrary(ddraw);
        return Fail("Couldn't QI DDraw2\r\n", 0x100);
    }
    directDraw2->Release();

    HMODULE dinput = LoadLibraryA("DINPUT.DLL");
    if (dinput == nullptr) {
        directDraw->Release();
        FreeLibrary(ddraw);
        return Fail("Couldn't LoadLibrary DInput\r\n", 0x200);
    }
    // Only its presence counts: DirectInput came with DirectX 3.
    if (GetProcAddress(dinput, "DirectInputCreateA") == nullptr) {
        FreeLibrary(dinput);
        directDraw->Release();
        FreeLibrary(ddraw);
        return Fail("Couldn't GetProcAddress DInputCreate\r\n", 0x200);
    }
    FreeLibrary(dinput);

    if (FAILED(directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL))) {
        directDraw->Release();
        FreeLibrary(ddraw);
        return Fail("Couldn't Set coop level\r\n", 0);
    }

    // The first surface description layout; with the normal cooperative level the primary
    // surface only attaches to the existing display.
    DDSURFACEDESC description;
    std::memset(&description, 0, sizeof description);
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (FAILED(directDraw->CreateSurface(&description, &surface, nullptr))) {
        directDraw->Release();
        FreeLibrary(ddraw);
        return Fail("Couldn't CreateSurface\r\n", 0);
    }

    IUnknown* surface3 = nullptr;
    if (FAILED(surface->QueryInterface(kIID_IDirectDrawSurface3,
                                       reinterpret_cast<void**>(&surface3)))) {
        surface->Release();
        directDraw->Release();
        FreeLibrary(ddraw);
        return Fail("Couldn't QI DDS3\r\n", 0x300);
    }
    surface3->Release();

    IUnknown* surface4 = nullptr;
    if (FAILED(surface->QueryInterface(kIID_IDirectDrawSurface4,
                                       reinterpret_cast<void**>(&surface4)))) {
        surface->Release();
        directDraw->Release();
        FreeLibrary(ddraw);
        return Fail("Couldn't QI DDS4\r\n", 0x500);
    }
    surface4->Release();
    surface->Release();
    directDraw->Release();

    CoInitialize(nullptr);
    IUnknown* directMusic = nullptr;
    if (FAILED(CoCreateInstance(kCLSID_DirectMusic, nullptr, CLSCTX_INPROC_SERVER,
                                kIID_IDirectMusic, reinterpret_cast<void**>(&directMusic)))) {
        FreeLibrary(ddraw);
        return Fail("Couldn't create CLSID_DirectMusic\r\n", 0x600);
    }
    directMusic->Release();
    CoUninitialize();

    auto directDrawCreateEx =
        ProcAs<DirectDrawCreateExFn>(GetProcAddress(ddraw, "DirectDrawCreateEx"));
    if (directDrawCreateEx == nullptr) {
        FreeLibrary(ddraw);
        return Fail("Couldn't GetProcAddress DirectDrawCreateEx\r\n", 0x601);
    }

    IUnknown* directDraw7 = nullptr;
    if (FAILED(directDrawCreateEx(nullptr, reinterpret_cast<LPVOID*>(&directDraw7),
                                  kIID_IDirectDraw7, nullptr))) {
        FreeLibrary(ddraw);
        return Fail("Couldn't DirectDrawCreateEx\r\n", 0x601);
    }
    directDraw7->Release();

    HMODULE d3d8 = LoadLibraryA("D3D8.DLL");
    if (d3d8 == nullptr) {
        FreeLibrary(ddraw);
        return Fail("Couldn't LoadLibrary D3D8.DLL\r\n", 0x700);
    }

    HMODULE dpnhpast = LoadLibraryA("dpnhpast.dll");
    if (dpnhpast == nullptr) {
        FreeLibrary(d3d8);
        FreeLibrary(ddraw);
        return Fail("Couldn't LoadLibrary dpnhpast.dll\r\n", 0x800);
    }

    FreeLibrary(ddraw);
    FreeLibrary(d3d8);
    FreeLibrary(dpnhpast);
    return 0x801;
}
