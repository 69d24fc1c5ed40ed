// Device contexts, objects and attributes: the Win32 entry points and the platform interface
// through which the window system and DirectDraw make contexts on their own pixel memory.
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

#include "gdi/Bitmap.h"
#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"
#include "gdi/StockObjects.h"
#include "win32/platform/DeviceContexts.h"

using win32::RectSet;
using win32::gdi::Bitmap;
using win32::gdi::Brush;
using win32::gdi::DeviceContext;
using win32::gdi::FindDC;
using win32::gdi::Font;
using win32::gdi::GdiObject;
using win32::gdi::ObjectKind;
using win32::gdi::ObjectTable;
using win32::gdi::Pen;

namespace {

int RegionKind(const RectSet& clip) {
    if (clip.IsEmpty())
        return NULLREGION;
    // Windows keeps regions in a canonical form, so pieces that together make one rectangle
    // are a simple region.
    return clip.IsRectangle() ? SIMPLEREGION : COMPLEXREGION;
}

// Far beyond any target, small enough that offsets added to it stay within LONG.
constexpr LONG kFar = 1 << 29;

template <typename T>
int CopyOut(const T& value, int c, LPVOID pv) {
    if (pv == nullptr)
        return static_cast<int>(sizeof(T));
    if (c < static_cast<int>(sizeof(T)))
        return 0;
    std::memcpy(pv, &value, sizeof(T));
    return static_cast<int>(sizeof(T));
}

BITMAP DescribeBitmapObject(const Bitmap& bitmap) {
    BITMAP bm{};
    bm.bmType = 0;
    bm.bmWidth = bitmap.surface.width;
    bm.bmHeight = bitmap.surface.height;
    bm.bmWidthBytes = bitmap.RowBytes();
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(bitmap.surface.bitsPerPixel);
    bm.bmBits = bitmap.dibSection ? bitmap.MemoryStart() : nullptr;
    return bm;
}

}  // namespace

// ---- platform interface ---------------------------------------------------------------------
namespace win32::gdi {

HDC CreateTargetDC(const PixelBuffer& target, POINT origin, const std::vector<RECT>& clip) {
    auto dc = std::make_unique<DeviceContext>(DeviceContext::Type::Target);
    dc->SetTarget(target, origin, clip);
    return static_cast<HDC>(ObjectTable::Instance().Add(std::move(dc)));
}

void RetargetDC(HDC dc, const PixelBuffer& target, POINT origin, const std::vector<RECT>& clip) {
    DeviceContext* context = FindDC(dc);
    if (context != nullptr && context->type() == DeviceContext::Type::Target)
        context->SetTarget(target, origin, clip);
}

void DeleteTargetDC(HDC dc) {
    DeviceContext* context = FindDC(dc);
    if (context != nullptr && context->type() == DeviceContext::Type::Target)
        ObjectTable::Instance().Remove(dc);
}

bool DescribeDC(HDC dc, PixelBuffer* target, POINT* origin) {
    DeviceContext* context = FindDC(dc);
    if (context == nullptr || context->Target().IsEmpty())
        return false;
    if (target != nullptr)
        *target = context->Target().ToBuffer();
    if (origin != nullptr)
        *origin = context->Offset();
    return true;
}

bool DescribeBitmap(HBITMAP bitmap, PixelBuffer* pixels) {
    Bitmap* object = ObjectTable::Instance().FindAs<Bitmap>(bitmap);
    if (object == nullptr)
        return false;
    if (pixels != nullptr)
        *pixels = object->surface.ToBuffer();
    return true;
}

}  // namespace win32::gdi

// ---- device contexts and objects ------------------------------------------------------------
HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != nullptr && FindDC(hdc) == nullptr)
        return nullptr;
    auto dc = std::make_unique<DeviceContext>(DeviceContext::Type::Memory);
    return static_cast<HDC>(ObjectTable::Instance().Add(std::move(dc)));
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    // Window and surface contexts belong to whoever made them (ReleaseDC).
    if (dc == nullptr || dc->type() != DeviceContext::Type::Memory)
        return FALSE;
    ObjectTable::Instance().Remove(hdc);
    return TRUE;
}

int SaveDC(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    return dc != nullptr ? dc->Save() : 0;
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
    DeviceContext* dc = FindDC(hdc);
    return dc != nullptr && dc->Restore(nSavedDC) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    DeviceContext* dc = FindDC(static_cast<HDC>(hdc));
    if (dc == nullptr || h == nullptr)
        return nullptr;
    return dc->Select(h);
}

BOOL DeleteObject(HGDIOBJ ho) {
    ObjectTable& table = ObjectTable::Instance();
    GdiObject* object = table.Find(ho);
    if (object == nullptr || object->Kind() == ObjectKind::DeviceContext)
        return FALSE;
    if (object->stock)
        return TRUE;
    // Still selected somewhere: it goes when the last context lets go of it.
    if (object->references > 0) {
        object->deletePending = true;
        return TRUE;
    }
    table.Remove(ho);
    return TRUE;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return nullptr;
    switch (type) {
        case OBJ_PEN:
            return dc->state.pen;
        case OBJ_BRUSH:
            return dc->state.brush;
        case OBJ_FONT:
            return dc->state.font;
        case OBJ_BITMAP:
            return dc->state.bitmap;
        default:
            return nullptr;
    }
}

DWORD GetObjectType(HGDIOBJ h) {
    GdiObject* object = ObjectTable::Instance().Find(h);
    if (object == nullptr)
        return 0;
    switch (object->Kind()) {
        case ObjectKind::DeviceContext:
            return static_cast<DeviceContext*>(object)->type() == DeviceContext::Type::Memory
                       ? OBJ_MEMDC
                       : OBJ_DC;
        case ObjectKind::Bitmap:
            return OBJ_BITMAP;
        case ObjectKind::Brush:
            return OBJ_BRUSH;
        case ObjectKind::Pen:
            return OBJ_PEN;
        case ObjectKind::Font:
            return OBJ_FONT;
    }
    return 0;
}

int GetObjectA(HANDLE h, int c, LPVOID pv) {
    GdiObject* object = ObjectTable::Instance().Find(h);
    if (object == nullptr)
        return 0;
    switch (object->Kind()) {
        case ObjectKind::Bitmap: {
            auto* bitmap = static_cast<Bitmap*>(object);
            if (bitmap->dibSection &&
                (pv == nullptr || c >= static_cast<int>(sizeof(DIBSECTION)))) {
                DIBSECTION ds{};
                ds.dsBm = DescribeBitmapObject(*bitmap);
                ds.dsBmih = bitmap->header;
                ds.dsBmih.biSizeImage = static_cast<DWORD>(bitmap->RowBytes()) *
                                        static_cast<DWORD>(bitmap->surface.height);
                if (!bitmap->surface.IsIndexed()) {
                    ds.dsBitfields[0] = bitmap->surface.redMask;
                    ds.dsBitfields[1] = bitmap->surface.greenMask;
                    ds.dsBitfields[2] = bitmap->surface.blueMask;
                }
                return CopyOut(ds, c, pv);
            }
            return CopyOut(DescribeBitmapObject(*bitmap), c, pv);
        }
        case ObjectKind::Font:
            return CopyOut(static_cast<Font*>(object)->logFont, c, pv);
        case ObjectKind::Pen: {
            auto* pen = static_cast<Pen*>(object);
            LOGPEN lp{static_cast<UINT>(pen->style), POINT{pen->width, 0}, pen->color};
            return CopyOut(lp, c, pv);
        }
        case ObjectKind::Brush: {
            auto* brush = static_cast<Brush*>(object);
            LOGBRUSH lb{static_cast<UINT>(brush->hollow ? BS_NULL : BS_SOLID), brush->color, 0};
            return CopyOut(lb, c, pv);
        }
        case ObjectKind::DeviceContext:
            return 0;
    }
    return 0;
}

int GetDeviceCaps(HDC hdc, int index) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return 0;
    switch (index) {
        case BITSPIXEL:
            // A memory context is compatible with the screen whatever is selected into it.
            if (dc->type() == DeviceContext::Type::Target && !dc->Target().IsEmpty())
                return dc->Target().bitsPerPixel;
            return win32::Framebuffer::Instance().Format().bitsPerPixel;
        case PLANES:
            return 1;
        case HORZRES:
            return win32::Framebuffer::kWidth;
        case VERTRES:
            return win32::Framebuffer::kHeight;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case NUMCOLORS:
            return -1;
        default:
            return 0;
    }
}

BOOL GdiFlush() {
    return TRUE;  // drawing is never batched
}

// ---- attributes -----------------------------------------------------------------------------
COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return CLR_INVALID;
    return std::exchange(dc->state.textColor, color & 0x00FFFFFF);
}

COLORREF GetTextColor(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    return dc != nullptr ? dc->state.textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return CLR_INVALID;
    return std::exchange(dc->state.bkColor, color & 0x00FFFFFF);
}

COLORREF GetBkColor(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    return dc != nullptr ? dc->state.bkColor : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(dc->state.bkMode, mode);
}

int GetBkMode(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    return dc != nullptr ? dc->state.bkMode : 0;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return GDI_ERROR;
    return std::exchange(dc->state.textAlign, align);
}

UINT GetTextAlign(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    return dc != nullptr ? dc->state.textAlign : GDI_ERROR;
}

int SetROP2(HDC hdc, int rop2) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || rop2 < R2_BLACK || rop2 > R2_WHITE)
        return 0;
    return std::exchange(dc->state.rop2, rop2);
}

int GetROP2(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    return dc != nullptr ? dc->state.rop2 : 0;
}

int SetStretchBltMode(HDC hdc, int mode) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || mode < 1 || mode > HALFTONE)
        return 0;
    return std::exchange(dc->state.stretchMode, mode);
}

int GetStretchBltMode(HDC hdc) {
    DeviceContext* dc = FindDC(hdc);
    return dc != nullptr ? dc->state.stretchMode : 0;
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return FALSE;
    if (lppt != nullptr)
        *lppt = dc->state.brushOrigin;
    dc->state.brushOrigin = POINT{x, y};
    return TRUE;
}

// ---- coordinates and clipping ---------------------------------------------------------------
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return FALSE;
    if (lppt != nullptr)
        *lppt = dc->state.viewport;
    dc->state.viewport = POINT{x, y};
    return TRUE;
}

BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || lppoint == nullptr)
        return FALSE;
    *lppoint = dc->state.viewport;
    return TRUE;
}

BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return FALSE;
    POINT previous = dc->state.viewport;
    return SetViewportOrgEx(hdc, previous.x + x, previous.y + y, lppt);
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return ERROR;
    RECT device = dc->ToDevice(RECT{left, top, right, bottom});
    if (dc->state.hasUserClip)
        dc->state.userClip.Intersect(device);
    else
        dc->state.userClip = RectSet{device};
    dc->state.hasUserClip = true;
    dc->Invalidate();
    return RegionKind(dc->Clip());
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return ERROR;
    RECT device = dc->ToDevice(RECT{left, top, right, bottom});
    if (!dc->state.hasUserClip)
        dc->state.userClip = RectSet{RECT{-kFar, -kFar, kFar, kFar}};
    dc->state.userClip.Subtract(device);
    dc->state.hasUserClip = true;
    dc->Invalidate();
    return RegionKind(dc->Clip());
}

int GetClipBox(HDC hdc, LPRECT lprect) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || lprect == nullptr)
        return ERROR;
    const RectSet& clip = dc->Clip();
    if (clip.IsEmpty()) {
        *lprect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    RECT bounds = clip.Bounds();
    POINT o = dc->Offset();
    *lprect = RECT{bounds.left - o.x, bounds.top - o.y, bounds.right - o.x, bounds.bottom - o.y};
    return RegionKind(clip);
}
