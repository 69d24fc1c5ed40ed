// The DirectDraw object: cooperative level, display mode and surface creation. One object
// answers IDirectDraw, IDirectDraw2 and IDirectDraw7, with one reference count; every
// surface it made holds a reference to it.
#pragma once

#include "win32/ddraw.h"

namespace win32::ddraw {

class Surface;

class DirectDraw final : public IDirectDraw, public IDirectDraw2, public IDirectDraw7 {
  public:
    // Returns null when out of memory.
    static DirectDraw* New();

    IDirectDraw* AsDirectDraw() { return this; }
    IDirectDraw7* AsDirectDraw7() { return this; }

    // IUnknown, for every DirectDraw interface.
    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // IDirectDraw (first surface description layout)
    HRESULT CreateSurface(LPDDSURFACEDESC description, LPDIRECTDRAWSURFACE* surface,
                          IUnknown* outer) override;
    // IDirectDraw and IDirectDraw7
    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
    // IDirectDraw7
    HRESULT CreateSurface(LPDDSURFACEDESC2 description, LPDIRECTDRAWSURFACE7* surface,
                          IUnknown* outer) override;
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                           DWORD flags) override;

    // Told by a primary surface when it is destroyed.
    void ForgetPrimary(const Surface* surface);

  private:
    DirectDraw();
    ~DirectDraw();

    bool OwnsExclusiveMode() const;
    HRESULT MakeSurface(const DDSURFACEDESC2& description, Surface** made);
    HRESULT MakePrimary(const DDSURFACEDESC2& description, Surface** made);

    ULONG references_ = 1;
    DWORD cooperativeLevel_ = 0;
    Surface* primary_ = nullptr;
};

}  // namespace win32::ddraw
