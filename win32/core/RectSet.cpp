#include "core/RectSet.h"

#include <algorithm>
#include <cstdint>

namespace win32 {

namespace {

// The parts of `from` outside `cut`: at most four rectangles (above, below, left, right).
void AppendDifference(const RECT& from, const RECT& cut, std::vector<RECT>* out) {
    RECT overlap = Intersection(from, cut);
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

RectSet::RectSet(const RECT& r) {
    if (!IsEmptyRect(r))
        rects_.push_back(r);
}

RectSet RectSet::Covering(const std::vector<RECT>& rects, const RECT& bounds) {
    RectSet set;
    for (const RECT& r : rects)
        set.Add(Intersection(r, bounds));
    return set;
}

RECT RectSet::Bounds() const {
    RECT bounds{0, 0, 0, 0};
    for (const RECT& r : rects_)
        bounds = BoundingUnion(bounds, r);
    return bounds;
}

bool RectSet::IsRectangle() const {
    if (rects_.empty())
        return false;
    // The pieces are disjoint, so they fill their bounds exactly when their areas add up to it.
    std::int64_t area = 0;
    for (const RECT& r : rects_)
        area += std::int64_t{r.right - r.left} * (r.bottom - r.top);
    RECT bounds = Bounds();
    return area == std::int64_t{bounds.right - bounds.left} * (bounds.bottom - bounds.top);
}

void RectSet::Add(const RECT& r) {
    if (IsEmptyRect(r))
        return;
    // Only the parts of `r` not yet covered are added.
    std::vector<RECT> pieces{r};
    for (const RECT& existing : rects_) {
        std::vector<RECT> next;
        for (const RECT& piece : pieces)
            AppendDifference(piece, existing, &next);
        pieces.swap(next);
        if (pieces.empty())
            return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void RectSet::Add(const RectSet& other) {
    for (const RECT& r : other.rects_)
        Add(r);
}

void RectSet::Subtract(const RECT& r) {
    if (IsEmptyRect(r) || rects_.empty())
        return;
    std::vector<RECT> next;
    next.reserve(rects_.size() + 3);
    for (const RECT& existing : rects_)
        AppendDifference(existing, r, &next);
    rects_.swap(next);
}

void RectSet::Subtract(const RectSet& other) {
    for (const RECT& r : other.rects_)
        Subtract(r);
}

void RectSet::Intersect(const RECT& r) {
    // In place: each kept piece is written at or before where it was read.
    auto kept = rects_.begin();
    for (const RECT& existing : rects_) {
        RECT overlap = Intersection(existing, r);
        if (!IsEmptyRect(overlap))
            *kept++ = overlap;
    }
    rects_.erase(kept, rects_.end());
}

void RectSet::Intersect(const RectSet& other) {
    std::vector<RECT> next;
    for (const RECT& mine : rects_) {
        for (const RECT& theirs : other.rects_) {
            RECT overlap = Intersection(mine, theirs);
            if (!IsEmptyRect(overlap))
                next.push_back(overlap);
        }
    }
    rects_.swap(next);
}

void RectSet::Translate(int dx, int dy) {
    for (RECT& r : rects_)
        r = Offset(r, dx, dy);
}

}  // namespace win32
