// Brushes, pens and everything drawn with them: rectangles, lines, pixels, focus rectangles.
#include <algorithm>
#include <memory>

#include "gdi/Blitter.h"
#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"
#include "gdi/LineRaster.h"
#include "gdi/Raster.h"
#include "gdi/StockObjects.h"

using win32::gdi::Box;
using win32::gdi::Brush;
using win32::gdi::DeviceContext;
using win32::gdi::FillBox;
using win32::gdi::FindDC;
using win32::gdi::ObjectTable;
using win32::gdi::Pen;
using win32::gdi::PixelCodec;

namespace {

// A brush handle as user32 takes it: a brush, or a system colour index + 1.
bool BrushColor(HBRUSH brush, COLORREF* color) {
    auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value >= 1 && value <= 31)
        return win32::gdi::SystemColor(static_cast<int>(value - 1), color);
    Brush* object = ObjectTable::Instance().FindAs<Brush>(brush);
    if (object == nullptr || object->hollow)
        return false;
    *color = object->color;
    return true;
}

Pen* SelectedPen(DeviceContext& dc) {
    return ObjectTable::Instance().FindAs<Pen>(dc.state.pen);
}

// One pixel in target coordinates, if the clip region holds it.
bool InClip(DeviceContext& dc, std::int64_t x, std::int64_t y) {
    for (const RECT& c : dc.Clip()) {
        if (x >= c.left && x < c.right && y >= c.top && y < c.bottom)
            return true;
    }
    return false;
}

// Combines every pixel of the outline of `box` (one pixel wide, each pixel once) whose
// position passes `keep` with `value` under `rop2`.
template <typename Keep>
void Outline(DeviceContext& dc, const Box& box, int rop2, DWORD value, Keep keep) {
    if (box.IsEmpty())
        return;
    const win32::gdi::Surface& target = dc.Target();
    RECT touched{0, 0, 0, 0};
    auto plot = [&](std::int64_t x, std::int64_t y) {
        if (!keep(x, y) || !InClip(dc, x, y))
            return;
        auto px = static_cast<int>(x);
        auto py = static_cast<int>(y);
        win32::gdi::Rop2Span(target, py, px, px + 1, rop2, value);
        touched = win32::BoundingUnion(touched, RECT{px, py, px + 1, py + 1});
    };
    RECT bounds = dc.Clip().Bounds();
    // Only the stretch of each edge that can meet the clip region is walked.
    std::int64_t x0 = std::max<std::int64_t>(box.left, bounds.left);
    std::int64_t x1 = std::min<std::int64_t>(box.right, bounds.right);
    std::int64_t y0 = std::max<std::int64_t>(box.top + 1, bounds.top);
    std::int64_t y1 = std::min<std::int64_t>(box.bottom - 1, bounds.bottom);
    for (std::int64_t x = x0; x < x1; ++x) {
        plot(x, box.top);
        if (box.bottom - 1 > box.top)
            plot(x, box.bottom - 1);
    }
    for (std::int64_t y = y0; y < y1; ++y) {
        plot(box.left, y);
        if (box.right - 1 > box.left)
            plot(box.right - 1, y);
    }
    dc.NoteDrawn(touched);
}

void Line(DeviceContext& dc, const Pen& pen, POINT from, POINT to, std::int64_t* phase) {
    POINT o = dc.Offset();
    win32::gdi::DrawLine(dc, pen, std::int64_t{from.x} + o.x, std::int64_t{from.y} + o.y,
                         std::int64_t{to.x} + o.x, std::int64_t{to.y} + o.y, phase);
}

}  // namespace

// ---- brushes and pens -----------------------------------------------------------------------
HBRUSH CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(ObjectTable::Instance().Add(std::make_unique<Brush>(false, color)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (plbrush == nullptr || (plbrush->lbStyle != BS_SOLID && plbrush->lbStyle != BS_NULL))
        return nullptr;
    return static_cast<HBRUSH>(ObjectTable::Instance().Add(
        std::make_unique<Brush>(plbrush->lbStyle == BS_NULL, plbrush->lbColor)));
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color) {
    if (iStyle < PS_SOLID || iStyle > PS_INSIDEFRAME)
        return nullptr;
    // Styled pens are cosmetic: one pixel wide whatever width was asked for.
    int width = (iStyle == PS_SOLID || iStyle == PS_INSIDEFRAME) ? std::max(cWidth, 1) : 1;
    return static_cast<HPEN>(
        ObjectTable::Instance().Add(std::make_unique<Pen>(iStyle, std::min(width, 1024), color)));
}

HPEN CreatePenIndirect(const LOGPEN* plpen) {
    if (plpen == nullptr)
        return nullptr;
    return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}

// ---- areas ----------------------------------------------------------------------------------
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = FindDC(hDC);
    COLORREF color;
    if (dc == nullptr || lprc == nullptr || !BrushColor(hbr, &color))
        return 0;
    FillBox(*dc, win32::gdi::DeviceBox(*dc, *lprc), R2_COPYPEN,
            PixelCodec(dc->Target()).Pack(color));
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    DeviceContext* dc = FindDC(hDC);
    COLORREF color;
    if (dc == nullptr || lprc == nullptr || !BrushColor(hbr, &color))
        return 0;
    Outline(*dc, win32::gdi::DeviceBox(*dc, *lprc), R2_COPYPEN,
            PixelCodec(dc->Target()).Pack(color), [](std::int64_t, std::int64_t) { return true; });
    return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
    DeviceContext* dc = FindDC(hDC);
    if (dc == nullptr || lprc == nullptr)
        return FALSE;
    FillBox(*dc, win32::gdi::DeviceBox(*dc, *lprc), R2_XORPEN, dc->Target().ColorMask());
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
    DeviceContext* dc = FindDC(hDC);
    if (dc == nullptr || lprc == nullptr)
        return FALSE;
    Box box = win32::gdi::DeviceBox(*dc, *lprc);
    // The outline is inverted through a halftone brush, whose dots sit on the device's pixel
    // grid (the window's client area, or the bitmap), not on the rectangle's corner: the pixels
    // whose device coordinates add up to an odd number. Drawing the same rectangle again
    // restores every pixel.
    POINT offset = dc->Offset();
    std::int64_t gridX = std::int64_t{offset.x} - dc->state.viewport.x;
    std::int64_t gridY = std::int64_t{offset.y} - dc->state.viewport.y;
    Outline(*dc, box, R2_XORPEN, dc->Target().ColorMask(),
            [gridX, gridY](std::int64_t x, std::int64_t y) {
                return ((x - gridX) + (y - gridY)) % 2 != 0;
            });
    return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return FALSE;
    Box box = win32::gdi::DeviceBox(*dc, x, y, w, h);
    PixelCodec codec(dc->Target());
    switch (rop) {
        case BLACKNESS:
            FillBox(*dc, box, R2_COPYPEN, codec.Pack(RGB(0, 0, 0)));
            return TRUE;
        case WHITENESS:
            FillBox(*dc, box, R2_COPYPEN, codec.Pack(RGB(255, 255, 255)));
            return TRUE;
        case DSTINVERT:
            FillBox(*dc, box, R2_XORPEN, dc->Target().ColorMask());
            return TRUE;
        default:
            break;
    }
    unsigned rop3 = (rop >> 16) & 0xFF;
    if (win32::gdi::Rop3UsesSource(rop3))
        return FALSE;
    Brush* brush = ObjectTable::Instance().FindAs<Brush>(dc->state.brush);
    if (win32::gdi::Rop3UsesPattern(rop3) && (brush == nullptr || brush->hollow))
        return TRUE;
    win32::gdi::BlitSpec spec;
    spec.dst = box;
    spec.rop3 = rop3;
    spec.pattern = brush != nullptr ? codec.Pack(brush->color) : 0;
    dc->NoteDrawn(win32::gdi::Blit(dc->Target(), dc->Clip(), nullptr, spec));
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return FALSE;
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    std::int64_t width = std::int64_t{right} - left;
    std::int64_t height = std::int64_t{bottom} - top;
    if (width < 1 || height < 1)
        return TRUE;
    PixelCodec codec(dc->Target());
    Pen* pen = SelectedPen(*dc);
    bool outlined = pen != nullptr && !pen->IsNull();
    Brush* brush = ObjectTable::Instance().FindAs<Brush>(dc->state.brush);
    if (brush != nullptr && !brush->hollow) {
        // Inside the outline; without one the area still ends a pixel short on the right
        // and at the bottom.
        RECT inside = outlined ? RECT{left + 1, top + 1, right - 1, bottom - 1}
                               : RECT{left, top, right - 1, bottom - 1};
        FillBox(*dc, win32::gdi::DeviceBox(*dc, inside), dc->state.rop2, codec.Pack(brush->color));
    }
    if (!outlined)
        return TRUE;
    if (width <= 2 || height <= 2) {
        // Too thin to have an inside: the outline covers it (each pixel once).
        FillBox(*dc, win32::gdi::DeviceBox(*dc, RECT{left, top, right, bottom}), dc->state.rop2,
                codec.Pack(pen->color));
        return TRUE;
    }
    std::int64_t phase = 0;
    POINT corners[5] = {
        {left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}};
    for (int i = 0; i < 4; ++i)
        Line(*dc, *pen, corners[i], corners[i + 1], &phase);
    return TRUE;
}

// ---- lines ----------------------------------------------------------------------------------
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return FALSE;
    if (lppt != nullptr)
        *lppt = dc->state.position;
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return FALSE;
    if (Pen* pen = SelectedPen(*dc)) {
        std::int64_t phase = 0;
        Line(*dc, *pen, dc->state.position, POINT{x, y}, &phase);
    }
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || apt == nullptr || cpt < 2)
        return FALSE;
    Pen* pen = SelectedPen(*dc);
    if (pen == nullptr)
        return TRUE;
    std::int64_t phase = 0;
    for (int i = 0; i + 1 < cpt; ++i)
        Line(*dc, *pen, apt[i], apt[i + 1], &phase);
    return TRUE;
}

// ---- pixels ---------------------------------------------------------------------------------
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return CLR_INVALID;
    POINT o = dc->Offset();
    std::int64_t dx = std::int64_t{x} + o.x;
    std::int64_t dy = std::int64_t{y} + o.y;
    if (!InClip(*dc, dx, dy))
        return CLR_INVALID;
    const win32::gdi::Surface& target = dc->Target();
    PixelCodec codec(target);
    DWORD value = codec.Pack(color);
    auto px = static_cast<int>(dx);
    auto py = static_cast<int>(dy);
    win32::gdi::WriteRaw(target, px, py, value);
    dc->NoteDrawn(RECT{px, py, px + 1, py + 1});
    return codec.Unpack(value);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr)
        return CLR_INVALID;
    POINT o = dc->Offset();
    std::int64_t dx = std::int64_t{x} + o.x;
    std::int64_t dy = std::int64_t{y} + o.y;
    if (!InClip(*dc, dx, dy))
        return CLR_INVALID;
    const win32::gdi::Surface& target = dc->Target();
    return PixelCodec(target).Unpack(
        win32::gdi::ReadRaw(target, static_cast<int>(dx), static_cast<int>(dy)));
}
