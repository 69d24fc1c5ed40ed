#include "ddraw/Surface.h"

#include <algorithm>
#include <new>

#include "ddraw/DirectDraw.h"
#include "ddraw/FaultPoints.h"
#include "win32/platform/DeviceContexts.h"
#include "win32/platform/Installation.h"

namespace win32::ddraw {

namespace {

using faults::Call;

bool IsEmpty(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

bool Contains(const RECT& outer, const RECT& inner) {
    return !IsEmpty(inner) && inner.left >= outer.left && inner.top >= outer.top &&
           inner.right <= outer.right && inner.bottom <= outer.bottom;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

long long WidthOf(const RECT& rect) {
    return static_cast<long long>(rect.right) - rect.left;
}

long long HeightOf(const RECT& rect) {
    return static_cast<long long>(rect.bottom) - rect.top;
}

RECT Intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// Shrinks `source` as clipping shrank `dest` to `clipped`; a mirrored axis loses its pixels
// from the opposite side.
void ClipSourceAlong(LONG* sourceLow, LONG* sourceHigh, LONG destLow, LONG destHigh,
                     LONG clippedLow, LONG clippedHigh, bool mirrored) {
    const LONG lostLow = clippedLow - destLow;
    const LONG lostHigh = destHigh - clippedHigh;
    *sourceLow += mirrored ? lostHigh : lostLow;
    *sourceHigh -= mirrored ? lostLow : lostHigh;
}

}  // namespace

Surface* Surface::NewPrimary(DirectDraw* owner, DWORD backBufferCount,
                             std::optional<ColorKeyRange> sourceKey) {
    const Framebuffer& screen = Framebuffer::Instance();
    return new (std::nothrow) Surface(owner, true, backBufferCount, Framebuffer::kWidth,
                                      Framebuffer::kHeight, screen.Format(), sourceKey);
}

Surface* Surface::NewOffScreen(DirectDraw* owner, int width, int height, const PixelFormat& format,
                               std::optional<ColorKeyRange> sourceKey) {
    Surface* surface =
        new (std::nothrow) Surface(owner, false, 0, width, height, format, sourceKey);
    if (surface == nullptr)
        return nullptr;
    try {
        // Allocated once and never resized: the address stays the surface's until release.
        surface->memory_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) *
                                    static_cast<std::size_t>(format.BytesPerPixel()),
                                0);
    } catch (const std::bad_alloc&) {
        delete surface;
        return nullptr;
    }
    return surface;
}

Surface::Surface(DirectDraw* owner, bool primary, DWORD backBufferCount, int width, int height,
                 const PixelFormat& format, std::optional<ColorKeyRange> sourceKey)
    : owner_(owner),
      primary_(primary),
      backBufferCount_(backBufferCount),
      width_(width),
      height_(height),
      format_(format),
      sourceKey_(sourceKey) {
    owner_->AddRef();
    CountSurface(+1);
}

Surface::~Surface() {
    if (dc_ != nullptr)
        gdi::DeleteTargetDC(dc_);
    if (primary_)
        owner_->ForgetPrimary(this);
    CountSurface(-1);
    owner_->Release();
}

PixelBuffer Surface::Pixels() const {
    if (primary_)
        return Framebuffer::Instance().Buffer();
    return PixelBuffer{const_cast<std::uint8_t*>(memory_.data()), width_, height_,
                       width_ * format_.BytesPerPixel(), format_};
}

RECT Surface::Bounds() const {
    return RECT{0, 0, width_, height_};
}

void Surface::MarkWritten(const RECT& rect) const {
    if (primary_ && !IsEmpty(rect))
        Framebuffer::Instance().MarkDirty(rect);
}

void Surface::Describe(DDSURFACEDESC2* description) const {
    const DWORD size = description->dwSize;
    *description = DDSURFACEDESC2{};
    description->dwSize = size;
    const PixelBuffer pixels = Pixels();
    description->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    description->dwWidth = static_cast<DWORD>(width_);
    description->dwHeight = static_cast<DWORD>(height_);
    description->lPitch = pixels.pitch;

    DDPIXELFORMAT& format = description->ddpfPixelFormat;
    format.dwSize = sizeof(DDPIXELFORMAT);
    format.dwFlags = DDPF_RGB;
    format.dwRGBBitCount = static_cast<DWORD>(pixels.format.bitsPerPixel);
    format.dwRBitMask = pixels.format.redMask;
    format.dwGBitMask = pixels.format.greenMask;
    format.dwBBitMask = pixels.format.blueMask;
    // A simulated video card may report a red mask of its own at 16 bits per pixel; surfaces
    // in the display's format report what the card reports.
    const Framebuffer& screen = Framebuffer::Instance();
    if (pixels.format.bitsPerPixel == 16 && pixels.format == screen.Format16())
        format.dwRBitMask = screen.ReportedRedMask16();

    DWORD caps = DDSCAPS_SYSTEMMEMORY;
    if (primary_) {
        caps |= DDSCAPS_PRIMARYSURFACE | DDSCAPS_VISIBLE;
        if (backBufferCount_ > 0) {
            caps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_FRONTBUFFER;
            description->dwFlags |= DDSD_BACKBUFFERCOUNT;
            description->dwBackBufferCount = backBufferCount_;
        }
    } else {
        caps |= DDSCAPS_OFFSCREENPLAIN;
    }
    description->ddsCaps.dwCaps = caps;
    if (sourceKey_) {
        description->dwFlags |= DDSD_CKSRCBLT;
        description->ddckCKSrcBlt.dwColorSpaceLowValue = sourceKey_->low;
        description->ddckCKSrcBlt.dwColorSpaceHighValue = sourceKey_->high;
    }
}

HRESULT Surface::QueryInterface(REFIID iid, void** object) {
    const InjectedOutcome injected = EnterCall(Call::SurfaceQueryInterface);
    if (object == nullptr)
        return injected.fired ? injected.result : DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (injected.fired)
        return injected.result;
    const DWORD version = installation::DirectXVersion();
    void* found = nullptr;
    if (iid == IID_IUnknown)
        found = static_cast<IUnknown*>(AsSurface());
    else if (iid == IID_IDirectDrawSurface)
        found = AsSurface();
    else if (iid == IID_IDirectDrawSurface3 && version >= 0x500)
        found = static_cast<IDirectDrawSurface3*>(this);
    else if (iid == IID_IDirectDrawSurface4 && version >= 0x600)
        found = static_cast<IDirectDrawSurface4*>(this);
    else if (iid == IID_IDirectDrawSurface7 && version >= 0x700)
        found = AsSurface7();
    if (found == nullptr)
        return E_NOINTERFACE;
    AddRef();
    *object = found;
    return S_OK;
}

ULONG Surface::AddRef() {
    return ++references_;
}

ULONG Surface::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT Surface::Lock(LPRECT rect, LPDDSURFACEDESC2 description, DWORD flags, HANDLE event) {
    const InjectedOutcome injected = EnterCall(Call::Lock);
    if (injected.fired)
        return injected.result;
    if (description == nullptr || description->dwSize != sizeof(DDSURFACEDESC2) || event != nullptr)
        return DDERR_INVALIDPARAMS;
    // A device context holds the surface locked until it is released.
    if (Busy())
        return DDERR_SURFACEBUSY;
    RECT area = Bounds();
    if (rect != nullptr) {
        // A rectangle that is not inside the surface is a bad parameter to Lock (Blt calls it
        // a bad rectangle).
        if (!Contains(Bounds(), *rect))
            return DDERR_INVALIDPARAMS;
        area = *rect;
    }
    Describe(description);
    const PixelBuffer pixels = Pixels();
    description->dwFlags |= DDSD_LPSURFACE;
    description->lpSurface = pixels.bits + static_cast<std::ptrdiff_t>(area.top) * pixels.pitch +
                             static_cast<std::ptrdiff_t>(area.left) * pixels.format.BytesPerPixel();
    locked_ = true;
    lockedRect_ = area;
    lockFlags_ = flags;
    return DD_OK;
}

HRESULT Surface::Unlock(LPRECT rect) {
    const InjectedOutcome injected = EnterCall(Call::Unlock);
    if (injected.fired)
        return injected.result;
    if (!locked_)
        return DDERR_NOTLOCKED;
    if (rect != nullptr && !SameRect(*rect, lockedRect_))
        return DDERR_INVALIDRECT;
    locked_ = false;
    if ((lockFlags_ & DDLOCK_READONLY) == 0)
        MarkWritten(lockedRect_);
    return DD_OK;
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC2 description) {
    const InjectedOutcome injected = EnterCall(Call::GetSurfaceDesc);
    if (injected.fired)
        return injected.result;
    if (description == nullptr || description->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    Describe(description);
    return DD_OK;
}

HRESULT Surface::GetFlipStatus(DWORD flags) {
    const InjectedOutcome injected = EnterCall(Call::GetFlipStatus);
    if (injected.fired)
        return injected.result;
    if (flags != DDGFS_CANFLIP && flags != DDGFS_ISFLIPDONE)
        return DDERR_INVALIDPARAMS;
    if (backBufferCount_ == 0)
        return DDERR_INVALIDSURFACETYPE;
    // Nothing is ever queued: the host shows the screen on its own schedule.
    return DD_OK;
}

HRESULT Surface::GetDC(HDC* dc) {
    const InjectedOutcome injected = EnterCall(Call::GetDC);
    if (dc != nullptr)
        *dc = nullptr;
    if (injected.fired)
        return injected.result;
    if (dc == nullptr)
        return DDERR_INVALIDPARAMS;
    if (dc_ != nullptr)
        return DDERR_DCALREADYCREATED;
    if (locked_)
        return DDERR_SURFACEBUSY;
    HDC made = gdi::CreateTargetDC(Pixels(), POINT{0, 0}, {Bounds()});
    if (made == nullptr)
        return DDERR_CANTCREATEDC;
    dc_ = made;
    *dc = made;
    return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC dc) {
    const InjectedOutcome injected = EnterCall(Call::ReleaseDC);
    if (injected.fired)
        return injected.result;
    if (dc_ == nullptr)
        return DDERR_NODC;
    if (dc != dc_)
        return DDERR_INVALIDPARAMS;
    gdi::DeleteTargetDC(dc_);
    dc_ = nullptr;
    // What GDI drew is not known here: the whole surface may have changed.
    MarkWritten(Bounds());
    return DD_OK;
}

HRESULT Surface::SetColorKey(DWORD flags, LPDDCOLORKEY key) {
    const DWORD kind = flags & ~static_cast<DWORD>(DDCKEY_COLORSPACE);
    if (kind == DDCKEY_DESTBLT || kind == DDCKEY_DESTOVERLAY || kind == DDCKEY_SRCOVERLAY)
        return DDERR_UNSUPPORTED;
    if (kind != DDCKEY_SRCBLT)
        return DDERR_INVALIDPARAMS;
    if (key == nullptr) {
        sourceKey_.reset();
        return DD_OK;
    }
    const bool range = (flags & DDCKEY_COLORSPACE) != 0;
    sourceKey_ = ColorKeyRange{key->dwColorSpaceLowValue,
                               range ? key->dwColorSpaceHighValue : key->dwColorSpaceLowValue};
    return DD_OK;
}

HRESULT Surface::CopyFrom(Surface* source, const RECT& destRect, const RECT& sourceRect,
                          const BlockTransform& transform) {
    if (Busy() || source->Busy())
        return DDERR_SURFACEBUSY;
    const PixelBuffer dest = Pixels();
    const PixelBuffer from = source->Pixels();
    // Blits move pixels; they never convert between formats.
    if (!(dest.format == from.format))
        return DDERR_INVALIDPIXELFORMAT;
    TransformBlock(dest, destRect, from, sourceRect, transform);
    MarkWritten(destRect);
    return DD_OK;
}

HRESULT Surface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect,
                         DWORD flags) {
    const InjectedOutcome injected = EnterCall(Call::BltFast);
    if (injected.fired)
        return injected.result;
    constexpr DWORD kKnown =
        DDBLTFAST_SRCCOLORKEY | DDBLTFAST_DESTCOLORKEY | DDBLTFAST_WAIT | DDBLTFAST_DONOTWAIT;
    if (source == nullptr || (flags & ~kKnown) != 0)
        return DDERR_INVALIDPARAMS;
    const DWORD keys = flags & (DDBLTFAST_SRCCOLORKEY | DDBLTFAST_DESTCOLORKEY);
    if (keys == (DDBLTFAST_SRCCOLORKEY | DDBLTFAST_DESTCOLORKEY))
        return DDERR_INVALIDPARAMS;
    if (keys == DDBLTFAST_DESTCOLORKEY)
        return DDERR_UNSUPPORTED;
    Surface* from = From(source);
    RECT fromRect = sourceRect != nullptr ? *sourceRect : from->Bounds();
    if (!Contains(from->Bounds(), fromRect))
        return DDERR_INVALIDRECT;
    BlockTransform transform;
    if (keys == DDBLTFAST_SRCCOLORKEY) {
        if (!from->sourceKey_)
            return DDERR_COLORKEYNOTSET;
        transform.sourceKey = &*from->sourceKey_;
    }
    // The block lands with its top left corner at (x, y); what falls off this surface's
    // right or bottom edge is left out.
    if (x >= static_cast<DWORD>(width_) || y >= static_cast<DWORD>(height_))
        return DD_OK;
    const LONG left = static_cast<LONG>(x);
    const LONG top = static_cast<LONG>(y);
    const LONG width = std::min<LONG>(fromRect.right - fromRect.left, width_ - left);
    const LONG height = std::min<LONG>(fromRect.bottom - fromRect.top, height_ - top);
    fromRect.right = fromRect.left + width;
    fromRect.bottom = fromRect.top + height;
    return CopyFrom(from, RECT{left, top, left + width, top + height}, fromRect, transform);
}

HRESULT Surface::Blt(LPRECT destRect, LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect, DWORD flags,
                     LPDDBLTFX effects) {
    const InjectedOutcome injected = EnterCall(Call::Blt);
    if (injected.fired)
        return injected.result;
    constexpr DWORD kWaitFlags = DDBLT_WAIT | DDBLT_ASYNC | DDBLT_DONOTWAIT;
    constexpr DWORD kKnown =
        kWaitFlags | DDBLT_COLORFILL | DDBLT_DDFX | DDBLT_KEYSRC | DDBLT_KEYSRCOVERRIDE;
    // Raster operations, alpha, z-buffers, rotation and destination keys are not provided.
    if ((flags & ~kKnown) != 0)
        return DDERR_UNSUPPORTED;
    const bool needsEffects = (flags & (DDBLT_COLORFILL | DDBLT_DDFX | DDBLT_KEYSRCOVERRIDE)) != 0;
    if (needsEffects && (effects == nullptr || effects->dwSize != sizeof(DDBLTFX)))
        return DDERR_INVALIDPARAMS;
    const RECT toRect = destRect != nullptr ? *destRect : Bounds();
    if (IsEmpty(toRect))
        return DDERR_INVALIDRECT;
    const RECT clipped = Intersect(toRect, Bounds());

    if ((flags & DDBLT_COLORFILL) != 0) {
        if ((flags & ~kWaitFlags) != DDBLT_COLORFILL)
            return DDERR_INVALIDPARAMS;
        if (IsEmpty(clipped))
            return DD_OK;
        if (Busy())
            return DDERR_SURFACEBUSY;
        FillBlock(Pixels(), clipped, effects->dwFillColor);
        MarkWritten(clipped);
        return DD_OK;
    }

    if (source == nullptr)
        return DDERR_INVALIDPARAMS;
    if ((flags & DDBLT_KEYSRC) != 0 && (flags & DDBLT_KEYSRCOVERRIDE) != 0)
        return DDERR_INVALIDPARAMS;
    Surface* from = From(source);
    RECT fromRect = sourceRect != nullptr ? *sourceRect : from->Bounds();
    if (!Contains(from->Bounds(), fromRect))
        return DDERR_INVALIDRECT;
    // Copies keep their size: stretching and shrinking are not provided.
    if (WidthOf(fromRect) != WidthOf(toRect) || HeightOf(fromRect) != HeightOf(toRect))
        return DDERR_UNSUPPORTED;

    BlockTransform transform;
    if ((flags & DDBLT_DDFX) != 0) {
        constexpr DWORD kProvided =
            DDBLTFX_MIRRORLEFTRIGHT | DDBLTFX_MIRRORUPDOWN | DDBLTFX_NOTEARING;
        if ((effects->dwDDFX & ~kProvided) != 0)
            return DDERR_UNSUPPORTED;
        transform.mirrorLeftRight = (effects->dwDDFX & DDBLTFX_MIRRORLEFTRIGHT) != 0;
        transform.mirrorUpDown = (effects->dwDDFX & DDBLTFX_MIRRORUPDOWN) != 0;
    }
    ColorKeyRange overrideKey;
    if ((flags & DDBLT_KEYSRC) != 0) {
        if (!from->sourceKey_)
            return DDERR_COLORKEYNOTSET;
        transform.sourceKey = &*from->sourceKey_;
    } else if ((flags & DDBLT_KEYSRCOVERRIDE) != 0) {
        overrideKey = ColorKeyRange{effects->ddckSrcColorkey.dwColorSpaceLowValue,
                                    effects->ddckSrcColorkey.dwColorSpaceHighValue};
        transform.sourceKey = &overrideKey;
    }

    if (IsEmpty(clipped))
        return DD_OK;
    ClipSourceAlong(&fromRect.left, &fromRect.right, toRect.left, toRect.right, clipped.left,
                    clipped.right, transform.mirrorLeftRight);
    ClipSourceAlong(&fromRect.top, &fromRect.bottom, toRect.top, toRect.bottom, clipped.top,
                    clipped.bottom, transform.mirrorUpDown);
    return CopyFrom(from, clipped, fromRect, transform);
}

}  // namespace win32::ddraw
