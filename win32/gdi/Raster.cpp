#include "gdi/Raster.h"

#include <algorithm>

namespace win32::gdi {

Box DeviceBox(DeviceContext& dc, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    POINT o = dc.Offset();
    Box box{x + o.x, y + o.y, x + o.x + w, y + o.y + h};
    if (box.right < box.left)
        std::swap(box.left, box.right);
    if (box.bottom < box.top)
        std::swap(box.top, box.bottom);
    return box;
}

Box DeviceBox(DeviceContext& dc, const RECT& logical) {
    POINT o = dc.Offset();
    return Box{std::int64_t{logical.left} + o.x, std::int64_t{logical.top} + o.y,
               std::int64_t{logical.right} + o.x, std::int64_t{logical.bottom} + o.y};
}

RECT ClipBox(const Box& box, const RECT& clip) {
    std::int64_t left = std::max<std::int64_t>(box.left, clip.left);
    std::int64_t top = std::max<std::int64_t>(box.top, clip.top);
    std::int64_t right = std::min<std::int64_t>(box.right, clip.right);
    std::int64_t bottom = std::min<std::int64_t>(box.bottom, clip.bottom);
    // Only a non-empty result is bounded by the clip rectangle, and so fits in a LONG.
    if (right <= left || bottom <= top)
        return RECT{0, 0, 0, 0};
    return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                static_cast<LONG>(bottom)};
}

void FillBox(DeviceContext& dc, const Box& box, int rop2, DWORD value) {
    if (box.IsEmpty() || rop2 == R2_NOP)
        return;
    const Surface& target = dc.Target();
    RECT touched{0, 0, 0, 0};
    for (const RECT& clip : dc.Clip()) {
        RECT piece = ClipBox(box, clip);
        if (IsEmptyRect(piece))
            continue;
        for (int y = piece.top; y < piece.bottom; ++y)
            Rop2Span(target, y, piece.left, piece.right, rop2, value);
        touched = BoundingUnion(touched, piece);
    }
    dc.NoteDrawn(touched);
}

}  // namespace win32::gdi
