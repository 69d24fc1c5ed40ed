// Clip regions as lists of disjoint rectangles, in target pixel coordinates. Disjointness
// matters: an inverting operation must reach every pixel exactly once.
#pragma once

#include <vector>

#include "win32/types.h"

namespace win32::gdi {

using ClipList = std::vector<RECT>;

bool IsEmptyRect(const RECT& r);
RECT IntersectRect(const RECT& a, const RECT& b);
// The rectangles of `rects` inside `bounds`, made disjoint (overlaps counted once).
ClipList NormalizeClip(const ClipList& rects, const RECT& bounds);
// Both lists must be disjoint; so is the result.
ClipList IntersectClip(const ClipList& list, const RECT& rect);
ClipList IntersectClip(const ClipList& a, const ClipList& b);
ClipList SubtractFromClip(const ClipList& list, const RECT& rect);
// The smallest rectangle holding every rectangle of the list (empty for an empty list).
RECT ClipBounds(const ClipList& list);

}  // namespace win32::gdi
