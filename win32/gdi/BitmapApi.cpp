// Bitmaps, DIBs and block transfers.
#include <algorithm>
#include <cstring>

#include "gdi/Bitmap.h"
#include "gdi/Blitter.h"
#include "gdi/DeviceContext.h"
#include "gdi/DibView.h"
#include "gdi/GdiObjects.h"
#include "gdi/StockObjects.h"

using win32::RectSet;
using win32::gdi::Bitmap;
using win32::gdi::Blit;
using win32::gdi::BlitSpec;
using win32::gdi::Box;
using win32::gdi::Brush;
using win32::gdi::DeviceContext;
using win32::gdi::DibView;
using win32::gdi::FindDC;
using win32::gdi::ObjectTable;
using win32::gdi::Surface;

namespace {

Surface ScreenLayout() {
    return Surface::FromBuffer(win32::Framebuffer::Instance().Buffer());
}

// The layout new bitmaps made "compatible" with `hdc` get.
bool CompatibleLayout(HDC hdc, Surface* layout) {
    if (hdc == nullptr) {
        *layout = ScreenLayout();
        return true;
    }
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return false;
    const Surface& target = dc->Target();
    if (target.IsEmpty() || target.IsIndexed())
        *layout = ScreenLayout();
    else
        *layout = target;
    return true;
}

unsigned Rop3Of(DWORD rop) {
    return (rop >> 16) & 0xFF;
}

// The brush as a raw value of the target's layout; false for a hollow brush.
bool PatternOf(DeviceContext& dc, DWORD* value) {
    Brush* brush = ObjectTable::Instance().FindAs<Brush>(dc.state.brush);
    if (brush == nullptr || brush->hollow)
        return false;
    *value = win32::gdi::PixelCodec(dc.Target()).Pack(brush->color);
    return true;
}

// A negative extent runs from the given pixel backwards: (3, -4) covers pixels 0 to 3, so
// that "x + w - 1, -w" mirrors a picture onto the same pixels "x, w" would cover.
Box Normalized(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    Box box{x, y, x + w, y + h};
    if (w < 0)
        box = Box{x + w + 1, box.top, x + 1, box.bottom};
    if (h < 0)
        box = Box{box.left, y + h + 1, box.right, y + 1};
    return box;
}

Box Shifted(const Box& box, POINT by) {
    return Box{box.left + by.x, box.top + by.y, box.right + by.x, box.bottom + by.y};
}

// The common path of every transfer between two device contexts (or a DIB and a context).
BOOL Transfer(DeviceContext& dst, BlitSpec spec, const Surface* src) {
    if (win32::gdi::Rop3UsesPattern(spec.rop3) && !PatternOf(dst, &spec.pattern))
        return TRUE;  // a hollow brush paints nothing
    RECT touched = Blit(dst.Target(), dst.Clip(), src, spec);
    dst.NoteDrawn(touched);
    return TRUE;
}

BOOL StretchBetween(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                    int ySrc, int wSrc, int hSrc, DWORD rop, bool keyed, COLORREF key) {
    DeviceContext* dst = FindDC(hdcDest);
    if (dst == nullptr)
        return FALSE;
    BlitSpec spec;
    spec.rop3 = Rop3Of(rop);
    spec.keyed = keyed;
    spec.key = key;
    spec.dst = Shifted(Normalized(xDest, yDest, wDest, hDest), dst->Offset());
    spec.mirrorX = (wDest < 0) != (wSrc < 0);
    spec.mirrorY = (hDest < 0) != (hSrc < 0);
    const Surface* source = nullptr;
    if (win32::gdi::Rop3UsesSource(spec.rop3)) {
        DeviceContext* src = FindDC(hdcSrc);
        if (src == nullptr)
            return FALSE;
        spec.src = Shifted(Normalized(xSrc, ySrc, wSrc, hSrc), src->Offset());
        source = &src->Target();
    }
    // A monochrome picture takes the destination's colours: 0 the text colour, 1 the
    // background colour (how masks and two-colour pictures are drawn in any colour).
    Surface mono;
    RGBQUAD monoColors[2];
    if (source != nullptr && source->bitsPerPixel == 1 && dst->Target().bitsPerPixel != 1) {
        mono = *source;
        COLORREF zero = dst->state.textColor;
        COLORREF one = dst->state.bkColor;
        monoColors[0] = RGBQUAD{GetBValue(zero), GetGValue(zero), GetRValue(zero), 0};
        monoColors[1] = RGBQUAD{GetBValue(one), GetGValue(one), GetRValue(one), 0};
        mono.colors = monoColors;
        mono.colorCount = 2;
        source = &mono;
    }
    return Transfer(*dst, spec, source);
}

// Scan lines of a DIB into a bitmap or out of it, bottoms aligned for bottom-up DIBs.
int DibRows(Bitmap& bitmap, const DibView& dib, const Surface& dibRows, int imageTop,
            bool intoBitmap) {
    int lines = dibRows.height;
    if (lines == 0)
        return 0;
    // Bitmap row of image row 0: a bottom-up DIB of another height lines up at the bottom.
    int shift = dib.BottomUp() ? bitmap.surface.height - dib.Height() : 0;
    BlitSpec spec;
    spec.rop3 = 0xCC;
    Box rows{0, std::int64_t{imageTop} + shift, dibRows.width,
             std::int64_t{imageTop} + shift + lines};
    Box local{0, 0, dibRows.width, lines};
    if (intoBitmap) {
        spec.dst = rows;
        spec.src = local;
        Blit(bitmap.surface, RectSet{bitmap.surface.Bounds()}, &dibRows, spec);
    } else {
        spec.dst = local;
        spec.src = rows;
        Blit(dibRows, RectSet{dibRows.Bounds()}, &bitmap.surface, spec);
    }
    return lines;
}

}  // namespace

// ---- bitmaps --------------------------------------------------------------------------------
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    Surface layout;
    if (cx < 0 || cy < 0 || !CompatibleLayout(hdc, &layout))
        return nullptr;
    if (cx == 0 || cy == 0)
        return win32::gdi::DefaultBitmap();
    // A fresh memory context holds a 1 x 1 monochrome bitmap, and what is compatible with it
    // is monochrome too.
    if (DeviceContext* dc = FindDC(hdc); dc != nullptr &&
                                         dc->type() == DeviceContext::Type::Memory &&
                                         dc->state.bitmap == win32::gdi::DefaultBitmap())
        return CreateBitmap(cx, cy, 1, 1, nullptr);
    return win32::gdi::NewBitmap(cx, cy, layout, nullptr, 0, false, nullptr);
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const VOID* lpBits) {
    if (nPlanes != 1)
        return nullptr;
    Surface layout;
    RGBQUAD mono[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    switch (nBitCount) {
        case 1:
            layout.bitsPerPixel = 1;
            break;
        case 16:
            layout = Surface::FromBuffer(
                win32::PixelBuffer{nullptr, 0, 0, 0, win32::PixelFormat::Rgb565()});
            break;
        case 24:
            layout.bitsPerPixel = 24;
            break;
        case 32:
            break;
        default:
            return nullptr;
    }
    Bitmap* bitmap = nullptr;
    HBITMAP handle = win32::gdi::NewBitmap(nWidth, nHeight, layout, mono, 2, false, &bitmap);
    if (handle != nullptr && lpBits != nullptr) {
        // Rows of the caller's bits are padded to 16 bits, as BITMAP.bmWidthBytes is.
        std::size_t rowBytes = ((static_cast<std::size_t>(nWidth) * nBitCount + 15) / 16) * 2;
        std::size_t copied = (static_cast<std::size_t>(nWidth) * nBitCount + 7) / 8;
        const auto* source = static_cast<const std::uint8_t*>(lpBits);
        for (int y = 0; y < nHeight; ++y)
            std::memcpy(bitmap->surface.Row(y), source + y * rowBytes, copied);
    }
    return handle;
}

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, VOID** ppvBits,
                         HANDLE hSection, DWORD offset) {
    (void)hdc;
    (void)offset;
    if (ppvBits != nullptr)
        *ppvBits = nullptr;
    DibView dib;
    // File-mapping sections are not offered: the pixel memory is always the bitmap's own.
    if (hSection != nullptr || !dib.Read(pbmi, usage))
        return nullptr;
    Bitmap* bitmap = nullptr;
    HBITMAP handle =
        win32::gdi::NewBitmap(dib.Width(), dib.Height(), dib.Layout(), dib.Colors().data(),
                              static_cast<int>(dib.Colors().size()), dib.BottomUp(), &bitmap);
    if (handle == nullptr)
        return nullptr;
    bitmap->dibSection = true;
    bitmap->header = pbmi->bmiHeader;
    bitmap->header.biSize = sizeof(BITMAPINFOHEADER);
    if (ppvBits != nullptr)
        *ppvBits = bitmap->MemoryStart();
    return handle;
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit, const VOID* pjBits,
                       const BITMAPINFO* pbmi, UINT iUsage) {
    if (pbmih == nullptr)
        return nullptr;
    LONG height = pbmih->biHeight < 0 ? -pbmih->biHeight : pbmih->biHeight;
    HBITMAP bitmap = CreateCompatibleBitmap(hdc, pbmih->biWidth, height);
    if (bitmap == nullptr)
        return nullptr;
    if ((flInit & CBM_INIT) && pjBits != nullptr && pbmi != nullptr)
        SetDIBits(hdc, bitmap, 0, static_cast<UINT>(height), pjBits, pbmi, iUsage);
    return bitmap;
}

int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const VOID* lpBits,
              const BITMAPINFO* lpbmi, UINT ColorUse) {
    (void)hdc;
    Bitmap* bitmap = ObjectTable::Instance().FindAs<Bitmap>(hbm);
    DibView dib;
    if (bitmap == nullptr || bitmap->stock || lpBits == nullptr || !dib.Read(lpbmi, ColorUse))
        return 0;
    int imageTop = 0;
    Surface rows = dib.Bind(lpBits, static_cast<int>(std::min<UINT>(start, 0x7FFF)),
                            static_cast<int>(std::min<UINT>(cLines, 0x7FFF)), &imageTop);
    return DibRows(*bitmap, dib, rows, imageTop, true);
}

int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi,
              UINT usage) {
    (void)hdc;
    Bitmap* bitmap = ObjectTable::Instance().FindAs<Bitmap>(hbm);
    if (bitmap == nullptr || lpbmi == nullptr || usage != DIB_RGB_COLORS)
        return 0;
    BITMAPINFOHEADER& h = lpbmi->bmiHeader;
    const Surface& s = bitmap->surface;
    if (lpvBits == nullptr && h.biBitCount == 0) {
        // The caller asks for the bitmap's own description.
        h.biWidth = s.width;
        h.biHeight = s.height;
        h.biPlanes = 1;
        h.biBitCount = static_cast<WORD>(s.bitsPerPixel);
        h.biCompression = s.bitsPerPixel == 16 || s.bitsPerPixel == 32 ? BI_BITFIELDS : BI_RGB;
        h.biSizeImage =
            static_cast<DWORD>(win32::gdi::DibRowBytes(s.width, s.bitsPerPixel) * s.height);
        h.biClrUsed = 0;
        return 1;
    }
    // Indexed output is offered only for a bitmap of that same indexed depth (its own table).
    if (h.biBitCount <= 8) {
        if (!s.IsIndexed() || s.bitsPerPixel != h.biBitCount)
            return 0;
        std::copy(bitmap->palette.begin(), bitmap->palette.end(), lpbmi->bmiColors);
    }
    DibView dib;
    if (!dib.Read(lpbmi, usage))
        return 0;
    h.biSizeImage = static_cast<DWORD>(dib.RowBytes() * dib.Height());
    if (lpvBits == nullptr)
        return dib.Height();
    int imageTop = 0;
    Surface rows = dib.Bind(lpvBits, static_cast<int>(std::min<UINT>(start, 0x7FFF)),
                            static_cast<int>(std::min<UINT>(cLines, 0x7FFF)), &imageTop);
    return DibRows(*bitmap, dib, rows, imageTop, false);
}

// ---- block transfers ------------------------------------------------------------------------
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    // A negative size extends the rectangle the other way, it does not mirror.
    return StretchBetween(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop, false, 0);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop) {
    return StretchBetween(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop,
                          false, 0);
}

BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                    int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent) {
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0 || FindDC(hdcSrc) == nullptr)
        return FALSE;
    return StretchBetween(hdcDest, xoriginDest, yoriginDest, wDest, hDest, hdcSrc, xoriginSrc,
                          yoriginSrc, wSrc, hSrc, SRCCOPY, true, crTransparent & 0x00FFFFFF);
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc,
                  int SrcWidth, int SrcHeight, const VOID* lpBits, const BITMAPINFO* lpbmi,
                  UINT iUsage, DWORD rop) {
    DeviceContext* dc = FindDC(hdc);
    DibView dib;
    if (dc == nullptr || lpBits == nullptr || !dib.Read(lpbmi, iUsage))
        return 0;
    int imageTop = 0;
    Surface image = dib.Bind(lpBits, 0, dib.Height(), &imageTop);
    BlitSpec spec;
    spec.rop3 = Rop3Of(rop);
    spec.dst = Shifted(Normalized(xDest, yDest, DestWidth, DestHeight), dc->Offset());
    Box src = Normalized(xSrc, ySrc, SrcWidth, SrcHeight);
    // A bottom-up DIB is addressed from its lower-left corner.
    if (dib.BottomUp())
        src = Box{src.left, dib.Height() - src.bottom, src.right, dib.Height() - src.top};
    spec.src = src;
    spec.mirrorX = (DestWidth < 0) != (SrcWidth < 0);
    spec.mirrorY = (DestHeight < 0) != (SrcHeight < 0);
    Transfer(*dc, spec, &image);
    return dib.Height();
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc, int ySrc,
                      UINT StartScan, UINT cLines, const VOID* lpvBits, const BITMAPINFO* lpbmi,
                      UINT ColorUse) {
    DeviceContext* dc = FindDC(hdc);
    DibView dib;
    if (dc == nullptr || lpvBits == nullptr || !dib.Read(lpbmi, ColorUse))
        return 0;
    int imageTop = 0;
    Surface rows = dib.Bind(lpvBits, static_cast<int>(std::min<UINT>(StartScan, 0x7FFF)),
                            static_cast<int>(std::min<UINT>(cLines, 0x7FFF)), &imageTop);
    if (rows.height == 0)
        return 0;
    std::int64_t width = std::min<DWORD>(w, 0x7FFFFFFF);
    std::int64_t height = std::min<DWORD>(h, 0x7FFFFFFF);
    // Image rows of the source rectangle, addressed from the top of the image.
    std::int64_t top = dib.BottomUp() ? dib.Height() - std::int64_t{ySrc} - height : ySrc;
    BlitSpec spec;
    spec.rop3 = 0xCC;
    spec.dst = Shifted(Box{xDest, yDest, xDest + width, yDest + height}, dc->Offset());
    // In the coordinates of the bound rows: image rows outside them have no source pixel.
    spec.src = Box{xSrc, top - imageTop, xSrc + width, top - imageTop + height};
    Transfer(*dc, spec, &rows);
    return rows.height;
}
