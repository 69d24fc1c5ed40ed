// DirectDraw declarations of the subset, with the public DirectDraw spellings, values and
// structure layouts, so that display code written against the real API compiles unchanged.
// The interfaces carry only the methods this project provides, in their documented relative
// order. Never included on Windows.
#pragma once

#include "win32/constants.h"
#include "win32/types.h"

// ---- result codes ----------------------------------------------------------------------------
#define _FACDD 0x876
#define MAKE_DDHRESULT(code) MAKE_HRESULT(1, _FACDD, code)

#define DD_OK S_OK
#define DD_FALSE S_FALSE

#define DDERR_ALREADYINITIALIZED MAKE_DDHRESULT(5)
#define DDERR_CANNOTATTACHSURFACE MAKE_DDHRESULT(10)
#define DDERR_CANNOTDETACHSURFACE MAKE_DDHRESULT(20)
#define DDERR_CURRENTLYNOTAVAIL MAKE_DDHRESULT(40)
#define DDERR_EXCEPTION MAKE_DDHRESULT(55)
#define DDERR_GENERIC E_FAIL
#define DDERR_HEIGHTALIGN MAKE_DDHRESULT(90)
#define DDERR_INCOMPATIBLEPRIMARY MAKE_DDHRESULT(95)
#define DDERR_INVALIDCAPS MAKE_DDHRESULT(100)
#define DDERR_INVALIDCLIPLIST MAKE_DDHRESULT(110)
#define DDERR_INVALIDMODE MAKE_DDHRESULT(120)
#define DDERR_INVALIDOBJECT MAKE_DDHRESULT(130)
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_INVALIDPIXELFORMAT MAKE_DDHRESULT(145)
#define DDERR_INVALIDRECT MAKE_DDHRESULT(150)
#define DDERR_LOCKEDSURFACES MAKE_DDHRESULT(160)
#define DDERR_NO3D MAKE_DDHRESULT(170)
#define DDERR_NOALPHAHW MAKE_DDHRESULT(180)
#define DDERR_NOCLIPLIST MAKE_DDHRESULT(205)
#define DDERR_NOCOLORCONVHW MAKE_DDHRESULT(210)
#define DDERR_NOCOOPERATIVELEVELSET MAKE_DDHRESULT(212)
#define DDERR_NOCOLORKEY MAKE_DDHRESULT(215)
#define DDERR_NOCOLORKEYHW MAKE_DDHRESULT(220)
#define DDERR_NODIRECTDRAWSUPPORT MAKE_DDHRESULT(222)
#define DDERR_NOEXCLUSIVEMODE MAKE_DDHRESULT(225)
#define DDERR_NOFLIPHW MAKE_DDHRESULT(230)
#define DDERR_NOGDI MAKE_DDHRESULT(240)
#define DDERR_NOMIRRORHW MAKE_DDHRESULT(250)
#define DDERR_NOTFOUND MAKE_DDHRESULT(255)
#define DDERR_NOOVERLAYHW MAKE_DDHRESULT(260)
#define DDERR_NORASTEROPHW MAKE_DDHRESULT(280)
#define DDERR_NOROTATIONHW MAKE_DDHRESULT(290)
#define DDERR_NOSTRETCHHW MAKE_DDHRESULT(310)
#define DDERR_NOTEXTUREHW MAKE_DDHRESULT(330)
#define DDERR_NOZBUFFERHW MAKE_DDHRESULT(340)
#define DDERR_OUTOFCAPS MAKE_DDHRESULT(360)
#define DDERR_OUTOFMEMORY E_OUTOFMEMORY
#define DDERR_OUTOFVIDEOMEMORY MAKE_DDHRESULT(380)
#define DDERR_PALETTEBUSY MAKE_DDHRESULT(387)
#define DDERR_COLORKEYNOTSET MAKE_DDHRESULT(400)
#define DDERR_SURFACEALREADYATTACHED MAKE_DDHRESULT(410)
#define DDERR_SURFACEALREADYDEPENDENT MAKE_DDHRESULT(420)
#define DDERR_SURFACEBUSY MAKE_DDHRESULT(430)
#define DDERR_CANTLOCKSURFACE MAKE_DDHRESULT(435)
#define DDERR_SURFACEISOBSCURED MAKE_DDHRESULT(440)
#define DDERR_SURFACELOST MAKE_DDHRESULT(450)
#define DDERR_SURFACENOTATTACHED MAKE_DDHRESULT(460)
#define DDERR_TOOBIGHEIGHT MAKE_DDHRESULT(470)
#define DDERR_TOOBIGSIZE MAKE_DDHRESULT(480)
#define DDERR_TOOBIGWIDTH MAKE_DDHRESULT(490)
#define DDERR_UNSUPPORTED E_NOTIMPL
#define DDERR_UNSUPPORTEDFORMAT MAKE_DDHRESULT(510)
#define DDERR_UNSUPPORTEDMASK MAKE_DDHRESULT(520)
#define DDERR_VERTICALBLANKINPROGRESS MAKE_DDHRESULT(537)
#define DDERR_WASSTILLDRAWING MAKE_DDHRESULT(540)
#define DDERR_DDSCAPSCOMPLEXREQUIRED MAKE_DDHRESULT(542)
#define DDERR_XALIGN MAKE_DDHRESULT(560)
#define DDERR_INVALIDDIRECTDRAWGUID MAKE_DDHRESULT(561)
#define DDERR_DIRECTDRAWALREADYCREATED MAKE_DDHRESULT(562)
#define DDERR_NODIRECTDRAWHW MAKE_DDHRESULT(563)
#define DDERR_PRIMARYSURFACEALREADYEXISTS MAKE_DDHRESULT(564)
#define DDERR_NOEMULATION MAKE_DDHRESULT(565)
#define DDERR_REGIONTOOSMALL MAKE_DDHRESULT(566)
#define DDERR_CLIPPERISUSINGHWND MAKE_DDHRESULT(567)
#define DDERR_NOCLIPPERATTACHED MAKE_DDHRESULT(568)
#define DDERR_NOHWND MAKE_DDHRESULT(569)
#define DDERR_HWNDSUBCLASSED MAKE_DDHRESULT(570)
#define DDERR_HWNDALREADYSET MAKE_DDHRESULT(571)
#define DDERR_NOPALETTEATTACHED MAKE_DDHRESULT(572)
#define DDERR_NOPALETTEHW MAKE_DDHRESULT(573)
#define DDERR_BLTFASTCANTCLIP MAKE_DDHRESULT(574)
#define DDERR_NOBLTHW MAKE_DDHRESULT(575)
#define DDERR_NODDROPSHW MAKE_DDHRESULT(576)
#define DDERR_EXCLUSIVEMODEALREADYSET MAKE_DDHRESULT(581)
#define DDERR_NOTFLIPPABLE MAKE_DDHRESULT(582)
#define DDERR_CANTDUPLICATE MAKE_DDHRESULT(583)
#define DDERR_NOTLOCKED MAKE_DDHRESULT(584)
#define DDERR_CANTCREATEDC MAKE_DDHRESULT(585)
#define DDERR_NODC MAKE_DDHRESULT(586)
#define DDERR_WRONGMODE MAKE_DDHRESULT(587)
#define DDERR_IMPLICITLYCREATED MAKE_DDHRESULT(588)
#define DDERR_NOTPALETTIZED MAKE_DDHRESULT(589)
#define DDERR_UNSUPPORTEDMODE MAKE_DDHRESULT(590)
#define DDERR_INVALIDSURFACETYPE MAKE_DDHRESULT(592)
#define DDERR_NOTLOADED MAKE_DDHRESULT(601)
#define DDERR_NOFOCUSWINDOW MAKE_DDHRESULT(602)
#define DDERR_DCALREADYCREATED MAKE_DDHRESULT(620)
#define DDERR_NOTINITIALIZED CO_E_NOTINITIALIZED

// ---- interface identifiers -------------------------------------------------------------------
DEFINE_GUID(IID_IDirectDraw, 0x6C14DB80, 0xA733, 0x11CE, 0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B, 0xE5,
            0x60);
DEFINE_GUID(IID_IDirectDraw2, 0xB3A6F3E0, 0x2B43, 0x11CF, 0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33,
            0x56);
DEFINE_GUID(IID_IDirectDraw7, 0x15E65EC0, 0x3B9C, 0x11D2, 0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA,
            0x5B);
DEFINE_GUID(IID_IDirectDrawSurface, 0x6C14DB81, 0xA733, 0x11CE, 0xA5, 0x21, 0x00, 0x20, 0xAF, 0x0B,
            0xE5, 0x60);
DEFINE_GUID(IID_IDirectDrawSurface3, 0xDA044E00, 0x69B2, 0x11D0, 0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8,
            0xDF, 0xBB);
DEFINE_GUID(IID_IDirectDrawSurface4, 0x0B2B8630, 0xAD35, 0x11D0, 0x8E, 0xA6, 0x00, 0x60, 0x97, 0x97,
            0xEA, 0x5B);
DEFINE_GUID(IID_IDirectDrawSurface7, 0x06675A80, 0x3B9B, 0x11D2, 0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97,
            0xEA, 0x5B);

// Special driver identifiers DirectDrawCreate accepts in place of a GUID.
#define DDCREATE_HARDWAREONLY ((GUID*)1)
#define DDCREATE_EMULATIONONLY ((GUID*)2)

// ---- SetCooperativeLevel --------------------------------------------------------------------
#define DDSCL_FULLSCREEN 0x00000001L
#define DDSCL_ALLOWREBOOT 0x00000002L
#define DDSCL_NOWINDOWCHANGES 0x00000004L
#define DDSCL_NORMAL 0x00000008L
#define DDSCL_EXCLUSIVE 0x00000010L
#define DDSCL_ALLOWMODEX 0x00000040L
#define DDSCL_SETFOCUSWINDOW 0x00000080L
#define DDSCL_SETDEVICEWINDOW 0x00000100L
#define DDSCL_CREATEDEVICEWINDOW 0x00000200L
#define DDSCL_MULTITHREADED 0x00000400L
#define DDSCL_FPUSETUP 0x00000800L
#define DDSCL_FPUPRESERVE 0x00001000L

// ---- SetDisplayMode -------------------------------------------------------------------------
#define DDSDM_STANDARDVGAMODE 0x00000001L

// ---- surface description flags --------------------------------------------------------------
#define DDSD_CAPS 0x00000001L
#define DDSD_HEIGHT 0x00000002L
#define DDSD_WIDTH 0x00000004L
#define DDSD_PITCH 0x00000008L
#define DDSD_BACKBUFFERCOUNT 0x00000020L
#define DDSD_ZBUFFERBITDEPTH 0x00000040L
#define DDSD_ALPHABITDEPTH 0x00000080L
#define DDSD_LPSURFACE 0x00000800L
#define DDSD_PIXELFORMAT 0x00001000L
#define DDSD_CKDESTOVERLAY 0x00002000L
#define DDSD_CKDESTBLT 0x00004000L
#define DDSD_CKSRCOVERLAY 0x00008000L
#define DDSD_CKSRCBLT 0x00010000L
#define DDSD_MIPMAPCOUNT 0x00020000L
#define DDSD_REFRESHRATE 0x00040000L
#define DDSD_LINEARSIZE 0x00080000L
#define DDSD_TEXTURESTAGE 0x00100000L
#define DDSD_FVF 0x00200000L
#define DDSD_SRCVBHANDLE 0x00400000L
#define DDSD_DEPTH 0x00800000L
#define DDSD_ALL 0x00FFF9EEL

// ---- surface capabilities -------------------------------------------------------------------
#define DDSCAPS_ALPHA 0x00000002L
#define DDSCAPS_BACKBUFFER 0x00000004L
#define DDSCAPS_COMPLEX 0x00000008L
#define DDSCAPS_FLIP 0x00000010L
#define DDSCAPS_FRONTBUFFER 0x00000020L
#define DDSCAPS_OFFSCREENPLAIN 0x00000040L
#define DDSCAPS_OVERLAY 0x00000080L
#define DDSCAPS_PALETTE 0x00000100L
#define DDSCAPS_PRIMARYSURFACE 0x00000200L
#define DDSCAPS_SYSTEMMEMORY 0x00000800L
#define DDSCAPS_TEXTURE 0x00001000L
#define DDSCAPS_3DDEVICE 0x00002000L
#define DDSCAPS_VIDEOMEMORY 0x00004000L
#define DDSCAPS_VISIBLE 0x00008000L
#define DDSCAPS_WRITEONLY 0x00010000L
#define DDSCAPS_ZBUFFER 0x00020000L
#define DDSCAPS_OWNDC 0x00040000L
#define DDSCAPS_LIVEVIDEO 0x00080000L
#define DDSCAPS_HWCODEC 0x00100000L
#define DDSCAPS_MODEX 0x00200000L
#define DDSCAPS_MIPMAP 0x00400000L
#define DDSCAPS_ALLOCONLOAD 0x04000000L
#define DDSCAPS_VIDEOPORT 0x08000000L
#define DDSCAPS_LOCALVIDMEM 0x10000000L
#define DDSCAPS_NONLOCALVIDMEM 0x20000000L
#define DDSCAPS_STANDARDVGAMODE 0x40000000L
#define DDSCAPS_OPTIMIZED 0x80000000L

// ---- pixel format flags ---------------------------------------------------------------------
#define DDPF_ALPHAPIXELS 0x00000001L
#define DDPF_ALPHA 0x00000002L
#define DDPF_FOURCC 0x00000004L
#define DDPF_PALETTEINDEXED4 0x00000008L
#define DDPF_PALETTEINDEXEDTO8 0x00000010L
#define DDPF_PALETTEINDEXED8 0x00000020L
#define DDPF_RGB 0x00000040L
#define DDPF_COMPRESSED 0x00000080L
#define DDPF_RGBTOYUV 0x00000100L
#define DDPF_YUV 0x00000200L
#define DDPF_ZBUFFER 0x00000400L
#define DDPF_PALETTEINDEXED1 0x00000800L
#define DDPF_PALETTEINDEXED2 0x00001000L
#define DDPF_ZPIXELS 0x00002000L
#define DDPF_STENCILBUFFER 0x00004000L
#define DDPF_ALPHAPREMULT 0x00008000L
#define DDPF_LUMINANCE 0x00020000L
#define DDPF_BUMPLUMINANCE 0x00040000L
#define DDPF_BUMPDUDV 0x00080000L

// ---- colour keys ----------------------------------------------------------------------------
#define DDCKEY_COLORSPACE 0x00000001L
#define DDCKEY_DESTBLT 0x00000002L
#define DDCKEY_DESTOVERLAY 0x00000004L
#define DDCKEY_SRCBLT 0x00000008L
#define DDCKEY_SRCOVERLAY 0x00000010L

// ---- Lock -----------------------------------------------------------------------------------
#define DDLOCK_SURFACEMEMORYPTR 0x00000000L
#define DDLOCK_WAIT 0x00000001L
#define DDLOCK_EVENT 0x00000002L
#define DDLOCK_READONLY 0x00000010L
#define DDLOCK_WRITEONLY 0x00000020L
#define DDLOCK_NOSYSLOCK 0x00000800L
#define DDLOCK_NOOVERWRITE 0x00001000L
#define DDLOCK_DISCARDCONTENTS 0x00002000L
#define DDLOCK_OKTOSWAP 0x00002000L
#define DDLOCK_DONOTWAIT 0x00004000L

// ---- BltFast --------------------------------------------------------------------------------
#define DDBLTFAST_NOCOLORKEY 0x00000000
#define DDBLTFAST_SRCCOLORKEY 0x00000001
#define DDBLTFAST_DESTCOLORKEY 0x00000002
#define DDBLTFAST_WAIT 0x00000010
#define DDBLTFAST_DONOTWAIT 0x00000020

// ---- Blt ------------------------------------------------------------------------------------
#define DDBLT_ALPHADEST 0x00000001L
#define DDBLT_ALPHADESTCONSTOVERRIDE 0x00000002L
#define DDBLT_ALPHADESTNEG 0x00000004L
#define DDBLT_ALPHADESTSURFACEOVERRIDE 0x00000008L
#define DDBLT_ALPHAEDGEBLEND 0x00000010L
#define DDBLT_ALPHASRC 0x00000020L
#define DDBLT_ALPHASRCCONSTOVERRIDE 0x00000040L
#define DDBLT_ALPHASRCNEG 0x00000080L
#define DDBLT_ALPHASRCSURFACEOVERRIDE 0x00000100L
#define DDBLT_ASYNC 0x00000200L
#define DDBLT_COLORFILL 0x00000400L
#define DDBLT_DDFX 0x00000800L
#define DDBLT_DDROPS 0x00001000L
#define DDBLT_KEYDEST 0x00002000L
#define DDBLT_KEYDESTOVERRIDE 0x00004000L
#define DDBLT_KEYSRC 0x00008000L
#define DDBLT_KEYSRCOVERRIDE 0x00010000L
#define DDBLT_ROP 0x00020000L
#define DDBLT_ROTATIONANGLE 0x00040000L
#define DDBLT_ZBUFFER 0x00080000L
#define DDBLT_ZBUFFERDESTCONSTOVERRIDE 0x00100000L
#define DDBLT_ZBUFFERDESTOVERRIDE 0x00200000L
#define DDBLT_ZBUFFERSRCCONSTOVERRIDE 0x00400000L
#define DDBLT_ZBUFFERSRCOVERRIDE 0x00800000L
#define DDBLT_WAIT 0x01000000L
#define DDBLT_DEPTHFILL 0x02000000L
#define DDBLT_DONOTWAIT 0x08000000L

#define DDBLTFX_ARITHSTRETCHY 0x00000001L
#define DDBLTFX_MIRRORLEFTRIGHT 0x00000002L
#define DDBLTFX_MIRRORUPDOWN 0x00000004L
#define DDBLTFX_NOTEARING 0x00000008L
#define DDBLTFX_ROTATE180 0x00000010L
#define DDBLTFX_ROTATE270 0x00000020L
#define DDBLTFX_ROTATE90 0x00000040L
#define DDBLTFX_ZBUFFERRANGE 0x00000080L
#define DDBLTFX_ZBUFFERBASEDEST 0x00000100L

// ---- GetFlipStatus --------------------------------------------------------------------------
#define DDGFS_CANFLIP 0x00000001L
#define DDGFS_ISFLIPDONE 0x00000002L

// ---- structures -----------------------------------------------------------------------------
struct IDirectDraw;
struct IDirectDraw2;
struct IDirectDraw7;
struct IDirectDrawSurface;
struct IDirectDrawSurface3;
struct IDirectDrawSurface4;
struct IDirectDrawSurface7;
typedef IDirectDraw* LPDIRECTDRAW;
typedef IDirectDraw2* LPDIRECTDRAW2;
typedef IDirectDraw7* LPDIRECTDRAW7;
typedef IDirectDrawSurface* LPDIRECTDRAWSURFACE;
typedef IDirectDrawSurface3* LPDIRECTDRAWSURFACE3;
typedef IDirectDrawSurface4* LPDIRECTDRAWSURFACE4;
typedef IDirectDrawSurface7* LPDIRECTDRAWSURFACE7;

typedef struct _DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
} DDCOLORKEY, *LPDDCOLORKEY;

typedef struct _DDSCAPS {
    DWORD dwCaps;
} DDSCAPS, *LPDDSCAPS;

typedef struct _DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    union {
        DWORD dwCaps4;
        DWORD dwVolumeDepth;
    };
} DDSCAPS2, *LPDDSCAPS2;

// Named here only because standard C++ allows no type declared inside an anonymous union.
struct DDPIXELFORMATMULTISAMPLECAPS {
    WORD wFlipMSTypes;
    WORD wBltMSTypes;
};

typedef struct _DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwYUVBitCount;
        DWORD dwZBufferBitDepth;
        DWORD dwAlphaBitDepth;
        DWORD dwLuminanceBitCount;
        DWORD dwBumpBitCount;
        DWORD dwPrivateFormatBitCount;
    };
    union {
        DWORD dwRBitMask;
        DWORD dwYBitMask;
        DWORD dwStencilBitDepth;
        DWORD dwLuminanceBitMask;
        DWORD dwBumpDuBitMask;
        DWORD dwOperations;
    };
    union {
        DWORD dwGBitMask;
        DWORD dwUBitMask;
        DWORD dwZBitMask;
        DWORD dwBumpDvBitMask;
        DDPIXELFORMATMULTISAMPLECAPS MultiSampleCaps;
    };
    union {
        DWORD dwBBitMask;
        DWORD dwVBitMask;
        DWORD dwStencilBitMask;
        DWORD dwBumpLuminanceBitMask;
    };
    union {
        DWORD dwRGBAlphaBitMask;
        DWORD dwYUVAlphaBitMask;
        DWORD dwLuminanceAlphaBitMask;
        DWORD dwRGBZBitMask;
        DWORD dwYUVZBitMask;
    };
} DDPIXELFORMAT, *LPDDPIXELFORMAT;

// The first surface description layout (IDirectDraw and IDirectDrawSurface up to version 3).
typedef struct _DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    DWORD dwBackBufferCount;
    union {
        DWORD dwMipMapCount;
        DWORD dwZBufferBitDepth;
        DWORD dwRefreshRate;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
} DDSURFACEDESC, *LPDDSURFACEDESC;

// The second layout (IDirectDraw4 and later, IDirectDrawSurface4 and later).
typedef struct _DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    union {
        DWORD dwBackBufferCount;
        DWORD dwDepth;
    };
    union {
        DWORD dwMipMapCount;
        DWORD dwRefreshRate;
        DWORD dwSrcVBHandle;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    union {
        DDCOLORKEY ddckCKDestOverlay;
        DWORD dwEmptyFaceColor;
    };
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    union {
        DDPIXELFORMAT ddpfPixelFormat;
        DWORD dwFVF;
    };
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
} DDSURFACEDESC2, *LPDDSURFACEDESC2;

typedef struct _DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    union {
        DWORD dwZDestConst;
        LPDIRECTDRAWSURFACE lpDDSZBufferDest;
    };
    DWORD dwZSrcConstBitDepth;
    union {
        DWORD dwZSrcConst;
        LPDIRECTDRAWSURFACE lpDDSZBufferSrc;
    };
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    union {
        DWORD dwAlphaDestConst;
        LPDIRECTDRAWSURFACE lpDDSAlphaDest;
    };
    DWORD dwAlphaSrcConstBitDepth;
    union {
        DWORD dwAlphaSrcConst;
        LPDIRECTDRAWSURFACE lpDDSAlphaSrc;
    };
    union {
        DWORD dwFillColor;
        DWORD dwFillDepth;
        DWORD dwFillPixel;
        LPDIRECTDRAWSURFACE lpDDSPattern;
    };
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
} DDBLTFX, *LPDDBLTFX;

// ---- interfaces -----------------------------------------------------------------------------
// Destructors are protected: an interface is given back with Release, never deleted.

struct IDirectDraw : IUnknown {
    virtual HRESULT CreateSurface(LPDDSURFACEDESC description, LPDIRECTDRAWSURFACE* surface,
                                  IUnknown* outer) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;

  protected:
    ~IDirectDraw() = default;
};

struct IDirectDraw2 : IUnknown {
  protected:
    ~IDirectDraw2() = default;
};

struct IDirectDraw7 : IUnknown {
    virtual HRESULT CreateSurface(LPDDSURFACEDESC2 description, LPDIRECTDRAWSURFACE7* surface,
                                  IUnknown* outer) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                                   DWORD flags) = 0;

  protected:
    ~IDirectDraw7() = default;
};

struct IDirectDrawSurface : IUnknown {
  protected:
    ~IDirectDrawSurface() = default;
};

struct IDirectDrawSurface3 : IUnknown {
  protected:
    ~IDirectDrawSurface3() = default;
};

struct IDirectDrawSurface4 : IUnknown {
  protected:
    ~IDirectDrawSurface4() = default;
};

struct IDirectDrawSurface7 : IUnknown {
    virtual HRESULT Blt(LPRECT destRect, LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect,
                        DWORD flags, LPDDBLTFX effects) = 0;
    virtual HRESULT BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE7 source, LPRECT sourceRect,
                            DWORD flags) = 0;
    virtual HRESULT GetDC(HDC* dc) = 0;
    virtual HRESULT GetFlipStatus(DWORD flags) = 0;
    virtual HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 description) = 0;
    virtual HRESULT Lock(LPRECT rect, LPDDSURFACEDESC2 description, DWORD flags, HANDLE event) = 0;
    virtual HRESULT ReleaseDC(HDC dc) = 0;
    virtual HRESULT SetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    virtual HRESULT Unlock(LPRECT rect) = 0;

  protected:
    ~IDirectDrawSurface7() = default;
};

// ---- entry points ---------------------------------------------------------------------------
HRESULT WINAPI DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);
HRESULT WINAPI DirectDrawCreateEx(GUID* driver, LPVOID* directDraw, REFIID iid, IUnknown* outer);

typedef HRESULT(WINAPI* LPDIRECTDRAWCREATE)(GUID*, LPDIRECTDRAW*, IUnknown*);
typedef HRESULT(WINAPI* LPDIRECTDRAWCREATEEX)(GUID*, LPVOID*, REFIID, IUnknown*);
