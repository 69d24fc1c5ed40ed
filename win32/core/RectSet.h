// A set of pixels held as pairwise disjoint, non-empty rectangles: the window system's update
// and visible regions and the clip regions of device contexts. Disjointness matters: an
// inverting drawing operation must reach every pixel exactly once, and an update region must
// not count a pixel twice.
#pragma once

#include <algorithm>
#include <vector>

#include "win32/types.h"

namespace win32 {

// Small enough to inline: drawing tests every clip piece with them.
inline bool IsEmptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}
// The rectangle both cover; {0, 0, 0, 0} when they do not meet.
inline RECT Intersection(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return IsEmptyRect(r) ? RECT{0, 0, 0, 0} : r;
}
// The smallest rectangle holding both; an empty one adds nothing.
inline RECT BoundingUnion(const RECT& a, const RECT& b) {
    if (IsEmptyRect(a))
        return b;
    if (IsEmptyRect(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}
inline RECT Offset(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
inline bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

class RectSet {
  public:
    RectSet() = default;
    explicit RectSet(const RECT& r);
    // The pixels inside `bounds` covered by any of `rects`, which may overlap.
    static RectSet Covering(const std::vector<RECT>& rects, const RECT& bounds);

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<RECT>& Rects() const { return rects_; }
    std::vector<RECT>::const_iterator begin() const { return rects_.begin(); }
    std::vector<RECT>::const_iterator end() const { return rects_.end(); }
    // The smallest rectangle holding the set ({0, 0, 0, 0} when empty).
    RECT Bounds() const;
    // Whether the set is one non-empty rectangle, however many pieces hold it.
    bool IsRectangle() const;

    void Clear() { rects_.clear(); }
    void Add(const RECT& r);
    void Add(const RectSet& other);
    void Subtract(const RECT& r);
    void Subtract(const RectSet& other);
    void Intersect(const RECT& r);
    // The pieces come in this set's order, each cut by the other's rectangles in turn: drawing
    // that copies within one surface goes piece by piece, so the order is kept stable.
    void Intersect(const RectSet& other);
    void Translate(int dx, int dy);

  private:
    std::vector<RECT> rects_;  // pairwise disjoint, none empty
};

}  // namespace win32
