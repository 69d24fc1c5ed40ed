#include "user/Region.h"

#include <algorithm>

namespace win32::user {

bool IsEmptyRect(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

RECT Intersection(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    return IsEmptyRect(r) ? RECT{0, 0, 0, 0} : r;
}

RECT BoundingUnion(const RECT& a, const RECT& b) {
    if (IsEmptyRect(a))
        return b;
    if (IsEmptyRect(b))
        return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

RECT Offset(const RECT& r, int dx, int dy) {
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

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

Region::Region(const RECT& r) {
    if (!IsEmptyRect(r))
        rects_.push_back(r);
}

RECT Region::Bounds() const {
    RECT bounds{0, 0, 0, 0};
    for (const RECT& r : rects_)
        bounds = BoundingUnion(bounds, r);
    return bounds;
}

void Region::Add(const RECT& r) {
    if (IsEmptyRect(r))
        return;
    // Keep the rectangles disjoint: only the parts of `r` not yet covered are added.
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

void Region::Add(const Region& other) {
    for (const RECT& r : other.rects_)
        Add(r);
}

void Region::Subtract(const RECT& r) {
    if (IsEmptyRect(r) || rects_.empty())
        return;
    std::vector<RECT> next;
    next.reserve(rects_.size() + 3);
    for (const RECT& existing : rects_)
        AppendDifference(existing, r, &next);
    rects_.swap(next);
}

void Region::Subtract(const Region& other) {
    for (const RECT& r : other.rects_)
        Subtract(r);
}

void Region::Intersect(const RECT& r) {
    std::vector<RECT> next;
    for (const RECT& existing : rects_) {
        RECT overlap = Intersection(existing, r);
        if (!IsEmptyRect(overlap))
            next.push_back(overlap);
    }
    rects_.swap(next);
}

void Region::Intersect(const Region& other) {
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

void Region::Translate(int dx, int dy) {
    for (RECT& r : rects_)
        r = Offset(r, dx, dy);
}

}  // namespace win32::user
