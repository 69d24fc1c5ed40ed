// The Win32 entry points that make, change and destroy windows and classes.
#include <algorithm>
#include <cstring>

#include "user/Focus.h"
#include "user/Painting.h"
#include "user/WindowOps.h"
#include "user/WindowTree.h"
#include "win32/platform/Framebuffer.h"
#include "win32/user.h"

namespace user = win32::user;

namespace {

// CW_USEDEFAULT places a top-level window at the screen origin with half the screen's size.
constexpr int kDefaultWidth = win32::Framebuffer::kWidth / 2;
constexpr int kDefaultHeight = win32::Framebuffer::kHeight / 2;

// Creation failed after WM_NCCREATE refused: the window hears WM_NCDESTROY and is gone.
void Discard(user::Window* window) {
    user::Send(window, WM_NCDESTROY, 0, 0);
    if (user::Window* w = user::Find(window->handle)) {
        user::Unlink(w);
        --w->windowClass->liveWindows;
        user::Retire(w);
    }
}

// A child window that does not refuse tells its parent (only its parent: mouse clicks are what
// travels further up) that it was created or is being destroyed.
void NotifyParent(HWND child, UINT event) {
    user::Window* window = user::Find(child);
    if (window == nullptr || !window->IsChild() || (window->exStyle & WS_EX_NOPARENTNOTIFY))
        return;
    user::Send(window->parent, WM_PARENTNOTIFY, MAKEWPARAM(event, window->id),
               reinterpret_cast<LPARAM>(child));
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr ||
        IS_INTRESOURCE(lpWndClass->lpszClassName) || lpWndClass->lpfnWndProc == nullptr ||
        lpWndClass->cbClsExtra < 0 || lpWndClass->cbWndExtra < 0)
        return 0;
    if (user::FindClass(lpWndClass->lpszClassName))
        return 0;  // already registered
    user::WindowClass cls;
    cls.name = lpWndClass->lpszClassName;
    cls.style = lpWndClass->style;
    cls.proc = lpWndClass->lpfnWndProc;
    cls.classExtra = lpWndClass->cbClsExtra;
    cls.windowExtra = lpWndClass->cbWndExtra;
    cls.instance = lpWndClass->hInstance;
    cls.icon = lpWndClass->hIcon;
    cls.cursor = lpWndClass->hCursor;
    cls.background = lpWndClass->hbrBackground;
    return user::AddClass(std::move(cls))->atom;
}

BOOL UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
    return user::RemoveClass(lpClassName) ? TRUE : FALSE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    auto cls = user::FindClass(lpClassName);
    if (!cls || lpWndClass == nullptr)
        return FALSE;
    *lpWndClass = WNDCLASSA{};
    lpWndClass->style = cls->style;
    lpWndClass->lpfnWndProc = cls->proc;
    lpWndClass->cbClsExtra = cls->classExtra;
    lpWndClass->cbWndExtra = cls->windowExtra;
    lpWndClass->hInstance = cls->instance;
    lpWndClass->hIcon = cls->icon;
    lpWndClass->hCursor = cls->cursor;
    lpWndClass->hbrBackground = cls->background;
    lpWndClass->lpszClassName = lpClassName;
    return TRUE;
}

int GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr || lpClassName == nullptr || nMaxCount <= 0)
        return 0;
    const std::string& name = window->windowClass->name;
    int length = std::min(static_cast<int>(name.size()), nMaxCount - 1);
    std::memcpy(lpClassName, name.data(), static_cast<std::size_t>(length));
    lpClassName[length] = '\0';
    return length;
}

ULONG_PTR GetClassLongPtrA(HWND hWnd, int nIndex) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return 0;
    const user::WindowClass& cls = *window->windowClass;
    switch (nIndex) {
        case GCLP_HBRBACKGROUND:
            return reinterpret_cast<ULONG_PTR>(cls.background);
        case GCLP_HCURSOR:
            return reinterpret_cast<ULONG_PTR>(cls.cursor);
        case GCLP_HICON:
            return reinterpret_cast<ULONG_PTR>(cls.icon);
        case GCLP_HMODULE:
            return reinterpret_cast<ULONG_PTR>(cls.instance);
        case GCL_CBWNDEXTRA:
            return static_cast<ULONG_PTR>(cls.windowExtra);
        case GCL_CBCLSEXTRA:
            return static_cast<ULONG_PTR>(cls.classExtra);
        case GCLP_WNDPROC:
            return reinterpret_cast<ULONG_PTR>(cls.proc);
        case GCL_STYLE:
            return cls.style;
        default:
            return 0;
    }
}

ULONG_PTR SetClassLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return 0;
    ULONG_PTR old = GetClassLongPtrA(hWnd, nIndex);
    user::WindowClass& cls = *window->windowClass;
    switch (nIndex) {
        case GCLP_HBRBACKGROUND:
            cls.background = reinterpret_cast<HBRUSH>(dwNewLong);
            break;
        case GCLP_HCURSOR:
            cls.cursor = reinterpret_cast<HCURSOR>(dwNewLong);
            break;
        case GCLP_HICON:
            cls.icon = reinterpret_cast<HICON>(dwNewLong);
            break;
        case GCLP_WNDPROC:
            cls.proc = reinterpret_cast<WNDPROC>(dwNewLong);
            break;
        case GCL_STYLE:
            cls.style = static_cast<UINT>(dwNewLong);
            break;
        default:
            return 0;
    }
    return old;
}

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam) {
    user::ApiScope scope;
    auto cls = user::FindClass(lpClassName);
    if (!cls)
        return nullptr;
    bool child = (dwStyle & WS_CHILD) != 0;
    user::Window* parent = user::Find(hWndParent);
    if (child && parent == nullptr)
        return nullptr;
    if (hWndParent != nullptr && parent == nullptr)
        return nullptr;

    if (X == CW_USEDEFAULT) {
        X = 0;
        Y = 0;
    }
    if (nWidth == CW_USEDEFAULT) {
        nWidth = child ? 0 : kDefaultWidth;
        nHeight = child ? 0 : kDefaultHeight;
    }
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);

    user::Window* window = user::CreateRecord();
    window->windowClass = cls;
    ++cls->liveWindows;
    window->proc = cls->proc;
    window->style = dwStyle & ~static_cast<DWORD>(WS_VISIBLE);
    window->exStyle = dwExStyle;
    window->id = child ? reinterpret_cast<LONG_PTR>(hMenu) : 0;
    window->instance = hInstance;
    window->extra.assign(static_cast<std::size_t>(cls->windowExtra), 0);
    window->rect = RECT{X, Y, X + nWidth, Y + nHeight};
    if (child) {
        // Children are stacked in creation order, the first one on top (the tab order).
        user::LinkChild(window, parent, HWND_BOTTOM);
    } else {
        window->owner = user::Root(parent);
        user::LinkTopLevel(window, HWND_TOP);
    }

    CREATESTRUCTA create{};
    create.lpCreateParams = lpParam;
    create.hInstance = hInstance;
    create.hMenu = hMenu;
    create.hwndParent = hWndParent;
    create.cy = nHeight;
    create.cx = nWidth;
    create.y = Y;
    create.x = X;
    create.style = static_cast<LONG>(dwStyle);
    create.lpszName = lpWindowName;
    create.lpszClass = lpClassName;
    create.dwExStyle = dwExStyle;

    HWND handle = window->handle;
    if (!user::Send(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
        if ((window = user::Find(handle)) != nullptr)
            Discard(window);
        return nullptr;
    }
    if ((window = user::Find(handle)) == nullptr)
        return nullptr;
    // The window's client area, asked before WM_CREATE (in the parent's client coordinates).
    RECT clientArea = window->rect;
    user::Send(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&clientArea));
    if ((window = user::Find(handle)) == nullptr)
        return nullptr;
    if (user::Send(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        if ((window = user::Find(handle)) != nullptr)
            user::DestroyWindowTree(window);
        return nullptr;
    }
    if ((window = user::Find(handle)) == nullptr)
        return nullptr;
    user::Send(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->Width(), window->Height()));
    if ((window = user::Find(handle)) == nullptr)
        return nullptr;
    user::Send(window, WM_MOVE, 0, MAKELPARAM(window->rect.left, window->rect.top));
    if ((window = user::Find(handle)) == nullptr)
        return nullptr;
    NotifyParent(handle, WM_CREATE);
    if ((window = user::Find(handle)) == nullptr)
        return nullptr;
    if (dwStyle & WS_VISIBLE)
        user::ShowWindowOn(window, SW_SHOW);
    return user::Find(handle) != nullptr ? handle : nullptr;
}

BOOL DestroyWindow(HWND hWnd) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    if (window->life == user::Life::Alive) {
        NotifyParent(hWnd, WM_DESTROY);
        if ((window = user::Find(hWnd)) == nullptr)
            return TRUE;
    }
    user::DestroyWindowTree(window);
    return TRUE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    return user::ShowWindowOn(window, nCmdShow) ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    return user::PlaceWindow(window, hWndInsertAfter, X, Y, cx, cy, uFlags) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0u : SWP_NOREDRAW);
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, flags);
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    return user::EnableWindowOn(window, bEnable != FALSE) ? TRUE : FALSE;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWndChild);
    user::Window* parent = hWndNewParent != nullptr ? user::Find(hWndNewParent) : nullptr;
    if (window == nullptr || (hWndNewParent != nullptr && parent == nullptr) ||
        (parent != nullptr && user::IsDescendant(parent, window)))
        return nullptr;
    HWND previous = window->parent != nullptr ? window->parent->handle : nullptr;
    user::VisibleSnapshot before;
    user::Unlink(window);
    if (parent != nullptr) {
        window->owner = nullptr;
        user::LinkChild(window, parent, HWND_TOP);
    } else {
        window->parent = nullptr;
        user::LinkTopLevel(window, HWND_TOP);
    }
    before.InvalidateGained(window);
    if (user::IsDrawable(window))
        user::InvalidateWhole(window, true, true);
    else
        user::DropUpdates(window);
    user::RetargetDCs();
    return previous;
}
