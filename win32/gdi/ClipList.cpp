#include "gdi/ClipList.h"

#include <algorithm>

namespace win32::gdi {

bool IsEmptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT IntersectRect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

namespace {

// Up to four pieces of `from` outside `cut`, appended to `out`.
void SubtractInto(const RECT& from, const RECT& cut, ClipList* out) {
    RECT overlap = IntersectRect(from, cut);
    if (IsEmptyRect(overlap)) {
        out->push_back(from);
        return;
    }
    if (from.top < overlap.top)
        out->push_back(RECT{from.left, from.top, from.right, overlap.top});
    if (overlap.bottom < from.bottom)
        out->push_back(RECT{from.left, overlap.bottom, from.right, from.bottom});
    if (from.left < overlap.left)
        out->push_back(RECT{from.left, overlap.top, overlap.left, overlap.bottom});
    if (overlap.right < from.right)
        out->push_back(RECT{overlap.right, overlap.top, from.right, overlap.bottom});
}

}  // namespace

ClipList NormalizeClip(const ClipList& rects, const RECT& bounds) {
    ClipList result;
    for (const RECT& candidate : rects) {
        RECT inside = IntersectRect(candidate, bounds);
        if (IsEmptyRect(inside))
            continue;
        ClipList pieces{inside};
        for (const RECT& taken : result) {
            ClipList remaining;
            for (const RECT& piece : pieces)
                SubtractInto(piece, taken, &remaining);
            pieces.swap(remaining);
            if (pieces.empty())
                break;
        }
        result.insert(result.end(), pieces.begin(), pieces.end());
    }
    return result;
}

ClipList IntersectClip(const ClipList& list, const RECT& rect) {
    ClipList result;
    for (const RECT& r : list) {
        RECT inside = IntersectRect(r, rect);
        if (!IsEmptyRect(inside))
            result.push_back(inside);
    }
    return result;
}

ClipList IntersectClip(const ClipList& a, const ClipList& b) {
    ClipList result;
    for (const RECT& r : b) {
        ClipList part = IntersectClip(a, r);
        result.insert(result.end(), part.begin(), part.end());
    }
    return result;
}

ClipList SubtractFromClip(const ClipList& list, const RECT& rect) {
    if (IsEmptyRect(rect))
        return list;
    ClipList result;
    for (const RECT& r : list)
        SubtractInto(r, rect, &result);
    return result;
}

RECT ClipBounds(const ClipList& list) {
    if (list.empty())
        return RECT{0, 0, 0, 0};
    RECT bounds = list.front();
    for (const RECT& r : list) {
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    return bounds;
}

}  // namespace win32::gdi
