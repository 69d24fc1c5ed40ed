// The rectangle helpers of user32.
#include <algorithm>

#include "core/RectSet.h"
#include "win32/user.h"

BOOL SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom) {
    if (lprc == nullptr)
        return FALSE;
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL SetRectEmpty(LPRECT lprc) {
    return SetRect(lprc, 0, 0, 0, 0);
}

BOOL CopyRect(LPRECT lprcDst, const RECT* lprcSrc) {
    if (lprcDst == nullptr || lprcSrc == nullptr)
        return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL InflateRect(LPRECT lprc, int dx, int dy) {
    if (lprc == nullptr)
        return FALSE;
    *lprc = RECT{lprc->left - dx, lprc->top - dy, lprc->right + dx, lprc->bottom + dy};
    return TRUE;
}

BOOL OffsetRect(LPRECT lprc, int dx, int dy) {
    if (lprc == nullptr)
        return FALSE;
    *lprc = win32::Offset(*lprc, dx, dy);
    return TRUE;
}

BOOL IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr)
        return FALSE;
    *lprcDst = win32::Intersection(*lprcSrc1, *lprcSrc2);
    return win32::IsEmptyRect(*lprcDst) ? FALSE : TRUE;
}

BOOL UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr)
        return FALSE;
    *lprcDst = win32::BoundingUnion(*lprcSrc1, *lprcSrc2);
    if (win32::IsEmptyRect(*lprcDst)) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    return TRUE;
}

BOOL SubtractRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2) {
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr)
        return FALSE;
    RECT result = *lprcSrc1;
    const RECT& cut = *lprcSrc2;
    // Only a cut across the whole width or height leaves a rectangle to subtract from.
    if (cut.left <= result.left && cut.right >= result.right) {
        if (cut.top <= result.top && cut.bottom > result.top)
            result.top = std::min(cut.bottom, result.bottom);
        else if (cut.bottom >= result.bottom && cut.top < result.bottom)
            result.bottom = std::max(cut.top, result.top);
    } else if (cut.top <= result.top && cut.bottom >= result.bottom) {
        if (cut.left <= result.left && cut.right > result.left)
            result.left = std::min(cut.right, result.right);
        else if (cut.right >= result.right && cut.left < result.right)
            result.right = std::max(cut.left, result.left);
    }
    // Nothing left is an empty rectangle at the origin.
    if (win32::IsEmptyRect(result)) {
        *lprcDst = RECT{0, 0, 0, 0};
        return FALSE;
    }
    *lprcDst = result;
    return TRUE;
}

BOOL IsRectEmpty(const RECT* lprc) {
    return lprc == nullptr || win32::IsEmptyRect(*lprc) ? TRUE : FALSE;
}

BOOL PtInRect(const RECT* lprc, POINT pt) {
    return lprc != nullptr && win32::Contains(*lprc, pt) ? TRUE : FALSE;
}

BOOL EqualRect(const RECT* lprc1, const RECT* lprc2) {
    if (lprc1 == nullptr || lprc2 == nullptr)
        return FALSE;
    return lprc1->left == lprc2->left && lprc1->top == lprc2->top && lprc1->right == lprc2->right &&
                   lprc1->bottom == lprc2->bottom
               ? TRUE
               : FALSE;
}
