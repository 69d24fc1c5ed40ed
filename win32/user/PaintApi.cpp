// The Win32 entry points of painting.
#include "user/Painting.h"
#include "user/WindowTree.h"
#include "win32/user.h"

namespace user = win32::user;
using win32::RectSet;

namespace {

RectSet AreaOf(const user::Window* window, const RECT* rect) {
    return RectSet(rect != nullptr ? *rect : user::ClientRect(window));
}

// WM_PAINT sent straight to the window (UpdateWindow, RDW_UPDATENOW), parents first.
void PaintNow(user::Window* window, bool children) {
    if (window->paintQueued) {
        window->paintedInDispatch = false;
        user::Send(window, WM_PAINT, 0, 0);
        user::FinishPaintDispatch(window);
    }
    if (!children || !user::IsLive(window))
        return;
    std::vector<HWND> kids;
    for (user::Window* child : window->children)
        kids.push_back(child->handle);
    for (HWND kid : kids) {
        if (user::Window* child = user::Find(kid))
            PaintNow(child, true);
    }
}

void Redraw(user::Window* window, const RectSet& area, UINT flags) {
    if (flags & RDW_INVALIDATE)
        user::InvalidateClient(window, area, (flags & RDW_ERASE) != 0);
    if (flags & RDW_INTERNALPAINT)
        user::SetInternalPaint(window, true);
    if (flags & RDW_VALIDATE) {
        for (const RECT& r : area.Rects())
            user::ValidateClient(window, &r);
        if (flags & RDW_NOINTERNALPAINT)
            user::SetInternalPaint(window, false);
    }
    if (flags & RDW_NOERASE)
        window->eraseNeeded = false;
    if (!(flags & RDW_ALLCHILDREN))
        return;
    for (user::Window* child : window->children) {
        RectSet childArea = area;
        childArea.Translate(-child->rect.left, -child->rect.top);
        Redraw(child, childArea, flags);
    }
}

void EraseTree(user::Window* window, bool children) {
    user::EraseNow(window);
    if (!children || !user::IsLive(window))
        return;
    std::vector<HWND> kids;
    for (user::Window* child : window->children)
        kids.push_back(child->handle);
    for (HWND kid : kids) {
        if (user::Window* child = user::Find(kid))
            EraseTree(child, true);
    }
}

}  // namespace

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    if (hWnd == nullptr) {
        // The desktop: every window repaints.
        for (user::Window* top : user::TopLevels())
            user::InvalidateWhole(top, bErase != FALSE, true);
        return TRUE;
    }
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    user::InvalidateClient(window, AreaOf(window, lpRect), bErase != FALSE);
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
    if (hWnd == nullptr)
        return InvalidateRect(nullptr, nullptr, TRUE);
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    user::ValidateClient(window, lpRect);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    PaintNow(window, true);
    return TRUE;
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    user::ApiScope scope;
    if (hrgnUpdate != nullptr)
        return FALSE;  // regions are not part of this GDI; callers pass a rectangle
    std::vector<HWND> targets;
    if (hWnd == nullptr) {
        for (user::Window* top : user::TopLevels())
            targets.push_back(top->handle);
        flags |= RDW_ALLCHILDREN;
    } else if (user::Find(hWnd) != nullptr) {
        targets.push_back(hWnd);
    } else {
        return FALSE;
    }
    bool children = (flags & RDW_ALLCHILDREN) != 0;
    for (HWND target : targets) {
        if (user::Window* window = user::Find(target))
            Redraw(window, AreaOf(window, hWnd != nullptr ? lprcUpdate : nullptr), flags);
    }
    for (HWND target : targets) {
        user::Window* window = user::Find(target);
        if (window != nullptr && (flags & (RDW_ERASENOW | RDW_UPDATENOW)))
            EraseTree(window, children);
        window = user::Find(target);
        if (window != nullptr && (flags & RDW_UPDATENOW))
            PaintNow(window, children);
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    RECT bounds = window->update.Bounds();
    if (lpRect != nullptr)
        *lpRect = bounds;
    if (bErase && !window->update.IsEmpty())
        user::EraseNow(window);
    return win32::IsEmptyRect(bounds) ? FALSE : TRUE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr || lpPaint == nullptr)
        return nullptr;
    window->paintedInDispatch = true;
    RectSet area = window->update;
    area.Intersect(user::ClientRect(window));
    bool erase = window->eraseNeeded;
    window->internalPaint = false;
    user::ValidateClient(window, nullptr);

    *lpPaint = PAINTSTRUCT{};
    lpPaint->rcPaint = area.Bounds();
    POINT origin = user::ClientOrigin(window);
    area.Translate(origin.x, origin.y);
    HDC dc = user::OpenDC(hWnd, true, area);
    lpPaint->hdc = dc;
    if (dc != nullptr && erase)
        lpPaint->fErase = user::Send(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    if (lpPaint == nullptr)
        return FALSE;
    user::CloseDC(lpPaint->hdc);
    return TRUE;
}

HDC GetDC(HWND hWnd) {
    if (hWnd != nullptr && user::Find(hWnd) == nullptr)
        return nullptr;
    return user::OpenDC(hWnd, false, RectSet());
}

HDC GetWindowDC(HWND hWnd) {
    // Windows here have no frame: the window's DC is its client DC.
    return GetDC(hWnd);
}

int ReleaseDC(HWND, HDC hDC) {
    return user::CloseDC(hDC) ? 1 : 0;
}

HWND WindowFromDC(HDC hDC) {
    return user::WindowOfDC(hDC);
}
