// One DirectDraw surface: the primary (the framebuffer itself) or an off-screen surface in
// system memory whose pixels never move until it is destroyed. One object answers every
// surface interface, with one reference count, and keeps its DirectDraw object alive.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ddraw/Blitter.h"
#include "win32/ddraw.h"
#include "win32/platform/Framebuffer.h"

namespace win32::ddraw {

class DirectDraw;

class Surface final : public IDirectDrawSurface,
                      public IDirectDrawSurface3,
                      public IDirectDrawSurface4,
                      public IDirectDrawSurface7 {
  public:
    // A flipping primary has `backBufferCount` > 0. Returns null when out of memory.
    static Surface* NewPrimary(DirectDraw* owner, DWORD backBufferCount,
                               std::optional<ColorKeyRange> sourceKey);
    static Surface* NewOffScreen(DirectDraw* owner, int width, int height,
                                 const PixelFormat& format, std::optional<ColorKeyRange> sourceKey);

    // Every surface interface handed out is one of ours.
    static Surface* From(IDirectDrawSurface7* surface) { return static_cast<Surface*>(surface); }
    IDirectDrawSurface* AsSurface() { return this; }
    IDirectDrawSurface7* AsSurface7() { return this; }

    // IUnknown, for every surface interface.
    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // IDirectDrawSurface7
    HRESULT Blt(LPRECT destRect, LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect, DWORD flags,
                LPDDBLTFX effects) override;
    HRESULT BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect,
                    DWORD flags) override;
    HRESULT GetDC(HDC* dc) override;
    HRESULT GetFlipStatus(DWORD flags) override;
    HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 description) override;
    HRESULT Lock(LPRECT rect, LPDDSURFACEDESC2 description, DWORD flags, HANDLE event) override;
    HRESULT ReleaseDC(HDC dc) override;
    HRESULT SetColorKey(DWORD flags, LPDDCOLORKEY key) override;
    HRESULT Unlock(LPRECT rect) override;

  private:
    Surface(DirectDraw* owner, bool primary, DWORD backBufferCount, int width, int height,
            const PixelFormat& format, std::optional<ColorKeyRange> sourceKey);
    ~Surface();

    // The pixel memory as it is now (the primary follows the display mode).
    PixelBuffer Pixels() const;
    RECT Bounds() const;
    bool Busy() const { return locked_ || dc_ != nullptr; }
    void Describe(DDSURFACEDESC2* description) const;
    void MarkWritten(const RECT& rect) const;
    HRESULT CopyFrom(Surface* source, const RECT& destRect, const RECT& sourceRect,
                     const BlockTransform& transform);

    DirectDraw* owner_;
    ULONG references_ = 1;
    bool primary_;
    DWORD backBufferCount_;
    int width_;
    int height_;
    PixelFormat format_;
    std::vector<std::uint8_t> memory_;
    std::optional<ColorKeyRange> sourceKey_;
    bool locked_ = false;
    RECT lockedRect_{0, 0, 0, 0};
    DWORD lockFlags_ = 0;
    HDC dc_ = nullptr;
};

}  // namespace win32::ddraw
