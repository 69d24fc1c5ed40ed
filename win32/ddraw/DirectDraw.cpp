#include "ddraw/DirectDraw.h"

#include <new>
#include <optional>

#include "ddraw/FaultPoints.h"
#include "ddraw/Surface.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Installation.h"

namespace win32::ddraw {

namespace {

using faults::Call;

// The one DirectDraw object that holds exclusive full-screen mode, if any.
DirectDraw* g_exclusiveOwner = nullptr;

// Flags that change nothing for a single-threaded software display.
constexpr DWORD kHarmlessLevelFlags = DDSCL_ALLOWREBOOT | DDSCL_NOWINDOWCHANGES |
                                      DDSCL_MULTITHREADED | DDSCL_FPUSETUP | DDSCL_FPUPRESERVE;
constexpr DWORD kKnownCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX |
                             DDSCAPS_SYSTEMMEMORY | DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY |
                             DDSCAPS_LOCALVIDMEM;
constexpr DWORD kLargestSide = 16384;
constexpr DWORD kMostBackBuffers = 3;

DDSURFACEDESC2 Widen(const DDSURFACEDESC& narrow) {
    DDSURFACEDESC2 wide{};
    wide.dwSize = sizeof wide;
    wide.dwFlags = narrow.dwFlags;
    wide.dwHeight = narrow.dwHeight;
    wide.dwWidth = narrow.dwWidth;
    wide.lPitch = narrow.lPitch;
    wide.dwBackBufferCount = narrow.dwBackBufferCount;
    wide.dwRefreshRate = narrow.dwRefreshRate;
    wide.dwAlphaBitDepth = narrow.dwAlphaBitDepth;
    wide.lpSurface = narrow.lpSurface;
    wide.ddckCKDestOverlay = narrow.ddckCKDestOverlay;
    wide.ddckCKDestBlt = narrow.ddckCKDestBlt;
    wide.ddckCKSrcOverlay = narrow.ddckCKSrcOverlay;
    wide.ddckCKSrcBlt = narrow.ddckCKSrcBlt;
    wide.ddpfPixelFormat = narrow.ddpfPixelFormat;
    wide.ddsCaps.dwCaps = narrow.ddsCaps.dwCaps;
    return wide;
}

bool MaskFits(DWORD mask, int bits) {
    return bits >= 32 || (mask >> bits) == 0;
}

// Only RGB formats of 16 or 32 bits with disjoint channels can be held and copied.
HRESULT ReadPixelFormat(const DDPIXELFORMAT& given, PixelFormat* format) {
    if (given.dwSize != sizeof(DDPIXELFORMAT))
        return DDERR_INVALIDPARAMS;
    if (given.dwFlags != DDPF_RGB)
        return DDERR_INVALIDPIXELFORMAT;
    const int bits = static_cast<int>(given.dwRGBBitCount);
    const DWORD red = given.dwRBitMask;
    const DWORD green = given.dwGBitMask;
    const DWORD blue = given.dwBBitMask;
    if (bits != 16 && bits != 32)
        return DDERR_INVALIDPIXELFORMAT;
    if (red == 0 || green == 0 || blue == 0 || (red & green) != 0 || (red & blue) != 0 ||
        (green & blue) != 0)
        return DDERR_INVALIDPIXELFORMAT;
    if (!MaskFits(red | green | blue, bits))
        return DDERR_INVALIDPIXELFORMAT;
    *format = PixelFormat{bits, red, green, blue};
    return DD_OK;
}

std::optional<ColorKeyRange> SourceKeyOf(const DDSURFACEDESC2& description) {
    if ((description.dwFlags & DDSD_CKSRCBLT) == 0)
        return std::nullopt;
    return ColorKeyRange{description.ddckCKSrcBlt.dwColorSpaceLowValue,
                         description.ddckCKSrcBlt.dwColorSpaceHighValue};
}

}  // namespace

DirectDraw* DirectDraw::New() {
    return new (std::nothrow) DirectDraw();
}

DirectDraw::DirectDraw() {
    CountDirectDrawObject(+1);
}

DirectDraw::~DirectDraw() {
    if (g_exclusiveOwner == this)
        g_exclusiveOwner = nullptr;
    CountDirectDrawObject(-1);
}

HRESULT DirectDraw::QueryInterface(REFIID iid, void** object) {
    const InjectedOutcome injected = EnterCall(Call::DirectDrawQueryInterface);
    if (object == nullptr)
        return injected.fired ? injected.result : DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (injected.fired)
        return injected.result;
    const DWORD version = installation::DirectXVersion();
    void* found = nullptr;
    if (iid == IID_IUnknown)
        found = static_cast<IUnknown*>(AsDirectDraw());
    else if (iid == IID_IDirectDraw)
        found = AsDirectDraw();
    else if (iid == IID_IDirectDraw2 && version >= 0x200)
        found = static_cast<IDirectDraw2*>(this);
    else if (iid == IID_IDirectDraw7 && version >= 0x700)
        found = AsDirectDraw7();
    if (found == nullptr)
        return E_NOINTERFACE;
    AddRef();
    *object = found;
    return S_OK;
}

ULONG DirectDraw::AddRef() {
    return ++references_;
}

ULONG DirectDraw::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

bool DirectDraw::OwnsExclusiveMode() const {
    return g_exclusiveOwner == this;
}

HRESULT DirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    const InjectedOutcome injected = EnterCall(Call::SetCooperativeLevel);
    if (injected.fired)
        return injected.result;
    const DWORD level = flags & ~kHarmlessLevelFlags;
    const bool exclusive = level == (DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    if (level != DDSCL_NORMAL && !exclusive)
        return DDERR_INVALIDPARAMS;
    if (exclusive) {
        if (window == nullptr)
            return DDERR_INVALIDPARAMS;
        if (g_exclusiveOwner != nullptr && g_exclusiveOwner != this)
            return DDERR_EXCLUSIVEMODEALREADYSET;
        g_exclusiveOwner = this;
    } else if (OwnsExclusiveMode()) {
        g_exclusiveOwner = nullptr;
    }
    cooperativeLevel_ = flags;
    return DD_OK;
}

HRESULT DirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                                   DWORD flags) {
    const InjectedOutcome injected = EnterCall(Call::SetDisplayMode);
    if (injected.fired)
        return injected.result;
    if (cooperativeLevel_ == 0)
        return DDERR_NOCOOPERATIVELEVELSET;
    if (g_exclusiveOwner != nullptr && !OwnsExclusiveMode())
        return DDERR_NOEXCLUSIVEMODE;
    if ((flags & ~DDSDM_STANDARDVGAMODE) != 0)
        return DDERR_INVALIDPARAMS;
    // The virtual screen has one size and no VGA modes; 60 Hz is the only rate it shows.
    if (flags != 0 || width != Framebuffer::kWidth || height != Framebuffer::kHeight ||
        (refreshRate != 0 && refreshRate != 60))
        return DDERR_INVALIDMODE;
    Framebuffer& screen = Framebuffer::Instance();
    PixelFormat wanted;
    if (bitsPerPixel == 16)
        wanted = screen.Format16();
    else if (bitsPerPixel == 32)
        wanted = PixelFormat::Xrgb8888();
    else
        return DDERR_INVALIDMODE;
    // Asking for the mode the display is already in changes nothing: the screen keeps its
    // pixels and no window is repainted (a display change only happens when the mode does).
    if (screen.Format() != wanted)
        screen.SetFormat(wanted);
    return DD_OK;
}

HRESULT DirectDraw::CreateSurface(LPDDSURFACEDESC description, LPDIRECTDRAWSURFACE* surface,
                                  IUnknown* outer) {
    const InjectedOutcome injected = EnterCall(Call::CreateSurface);
    if (surface == nullptr)
        return injected.fired ? injected.result : DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (injected.fired)
        return injected.result;
    if (description == nullptr || description->dwSize != sizeof(DDSURFACEDESC))
        return DDERR_INVALIDPARAMS;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    Surface* made = nullptr;
    const HRESULT result = MakeSurface(Widen(*description), &made);
    if (SUCCEEDED(result))
        *surface = made->AsSurface();
    return result;
}

HRESULT DirectDraw::CreateSurface(LPDDSURFACEDESC2 description, LPDIRECTDRAWSURFACE7* surface,
                                  IUnknown* outer) {
    const InjectedOutcome injected = EnterCall(Call::CreateSurface);
    if (surface == nullptr)
        return injected.fired ? injected.result : DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (injected.fired)
        return injected.result;
    if (description == nullptr || description->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    Surface* made = nullptr;
    const HRESULT result = MakeSurface(*description, &made);
    if (SUCCEEDED(result))
        *surface = made->AsSurface7();
    return result;
}

HRESULT DirectDraw::MakeSurface(const DDSURFACEDESC2& description, Surface** made) {
    if (cooperativeLevel_ == 0)
        return DDERR_NOCOOPERATIVELEVELSET;
    // Surfaces over the caller's memory and destination or overlay keys are not provided.
    if ((description.dwFlags & DDSD_LPSURFACE) != 0 ||
        (description.dwFlags & (DDSD_CKDESTBLT | DDSD_CKDESTOVERLAY | DDSD_CKSRCOVERLAY)) != 0)
        return DDERR_UNSUPPORTED;
    const DWORD caps = (description.dwFlags & DDSD_CAPS) != 0 ? description.ddsCaps.dwCaps : 0;
    if ((caps & ~kKnownCaps) != 0)
        return DDERR_INVALIDCAPS;
    const DWORD memoryCaps = caps & (DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY);
    if (memoryCaps == (DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY))
        return DDERR_INVALIDCAPS;
    // A software display has no video memory to give.
    if ((caps & (DDSCAPS_VIDEOMEMORY | DDSCAPS_LOCALVIDMEM)) != 0)
        return DDERR_OUTOFVIDEOMEMORY;
    if ((caps & DDSCAPS_PRIMARYSURFACE) != 0) {
        if ((caps & DDSCAPS_OFFSCREENPLAIN) != 0)
            return DDERR_INVALIDCAPS;
        return MakePrimary(description, made);
    }

    if ((caps & (DDSCAPS_FLIP | DDSCAPS_COMPLEX)) != 0)
        return DDERR_INVALIDCAPS;
    if ((description.dwFlags & DDSD_BACKBUFFERCOUNT) != 0)
        return DDERR_INVALIDPARAMS;
    const DWORD sizeFlags = DDSD_WIDTH | DDSD_HEIGHT;
    if ((description.dwFlags & sizeFlags) != sizeFlags || description.dwWidth == 0 ||
        description.dwHeight == 0)
        return DDERR_INVALIDPARAMS;
    if (description.dwWidth > kLargestSide)
        return DDERR_TOOBIGWIDTH;
    if (description.dwHeight > kLargestSide)
        return DDERR_TOOBIGHEIGHT;
    PixelFormat format = Framebuffer::Instance().Format();
    if ((description.dwFlags & DDSD_PIXELFORMAT) != 0) {
        const HRESULT read = ReadPixelFormat(description.ddpfPixelFormat, &format);
        if (FAILED(read))
            return read;
    }
    *made = Surface::NewOffScreen(this, static_cast<int>(description.dwWidth),
                                  static_cast<int>(description.dwHeight), format,
                                  SourceKeyOf(description));
    return *made != nullptr ? DD_OK : DDERR_OUTOFMEMORY;
}

HRESULT DirectDraw::MakePrimary(const DDSURFACEDESC2& description, Surface** made) {
    // The primary is the screen: its size and format are the display mode's.
    if ((description.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) != 0)
        return DDERR_INVALIDPARAMS;
    if (primary_ != nullptr)
        return DDERR_PRIMARYSURFACEALREADYEXISTS;
    const DWORD caps = description.ddsCaps.dwCaps;
    const bool flip = (caps & DDSCAPS_FLIP) != 0;
    const bool complex = (caps & DDSCAPS_COMPLEX) != 0;
    const bool counted = (description.dwFlags & DDSD_BACKBUFFERCOUNT) != 0;
    DWORD backBuffers = 0;
    if (flip || complex || counted) {
        if (!complex)
            return DDERR_DDSCAPSCOMPLEXREQUIRED;
        if (!flip)
            return DDERR_INVALIDCAPS;
        if (!counted || description.dwBackBufferCount == 0 ||
            description.dwBackBufferCount > kMostBackBuffers)
            return DDERR_INVALIDPARAMS;
        if (!OwnsExclusiveMode())
            return DDERR_NOEXCLUSIVEMODE;
        backBuffers = description.dwBackBufferCount;
    }
    *made = Surface::NewPrimary(this, backBuffers, SourceKeyOf(description));
    if (*made == nullptr)
        return DDERR_OUTOFMEMORY;
    primary_ = *made;
    return DD_OK;
}

void DirectDraw::ForgetPrimary(const Surface* surface) {
    if (primary_ == surface)
        primary_ = nullptr;
}

}  // namespace win32::ddraw
