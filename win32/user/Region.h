// A set of screen or client pixels as disjoint rectangles: update regions, visible regions
// and the clip lists handed to device contexts.
#pragma once

#include <vector>

#include "win32/types.h"

namespace win32::user {

bool IsEmptyRect(const RECT& r);
RECT Intersection(const RECT& a, const RECT& b);
RECT BoundingUnion(const RECT& a, const RECT& b);
RECT Offset(const RECT& r, int dx, int dy);
bool Contains(const RECT& r, POINT p);

class Region {
  public:
    Region() = default;
    explicit Region(const RECT& r);

    bool IsEmpty() const { return rects_.empty(); }
    const std::vector<RECT>& Rects() const { return rects_; }
    RECT Bounds() const;

    void Clear() { rects_.clear(); }
    void Add(const RECT& r);
    void Add(const Region& other);
    void Subtract(const RECT& r);
    void Subtract(const Region& other);
    void Intersect(const RECT& r);
    void Intersect(const Region& other);
    void Translate(int dx, int dy);

  private:
    std::vector<RECT> rects_;  // pairwise disjoint, none empty
};

}  // namespace win32::user
