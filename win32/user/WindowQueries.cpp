// The Win32 entry points that read and set window attributes, geometry and relations.
#include <algorithm>
#include <cstring>

#include "core/RectSet.h"
#include "user/WindowOps.h"
#include "user/WindowTree.h"
#include "win32/platform/Framebuffer.h"
#include "win32/user.h"

namespace user = win32::user;

namespace {

constexpr UINT kDoubleClickMs = 500;

bool ReadExtra(const user::Window* window, int offset, void* out, std::size_t size) {
    if (offset < 0 || static_cast<std::size_t>(offset) + size > window->extra.size())
        return false;
    std::memcpy(out, window->extra.data() + offset, size);
    return true;
}

bool WriteExtra(user::Window* window, int offset, const void* in, std::size_t size) {
    if (offset < 0 || static_cast<std::size_t>(offset) + size > window->extra.size())
        return false;
    std::memcpy(window->extra.data() + offset, in, size);
    return true;
}

HWND HandleOf(const user::Window* window) {
    return window != nullptr ? window->handle : nullptr;
}

}  // namespace

BOOL IsWindow(HWND hWnd) {
    return user::Find(hWnd) != nullptr ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd) {
    for (user::Window* w = user::Find(hWnd); w != nullptr; w = w->parent) {
        if (!(w->style & WS_VISIBLE))
            return FALSE;
        if (w->parent == nullptr)
            return TRUE;
    }
    return FALSE;
}

BOOL IsIconic(HWND hWnd) {
    user::Window* window = user::Find(hWnd);
    return window != nullptr && (window->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
    user::Window* parent = user::Find(hWndParent);
    user::Window* window = user::Find(hWnd);
    if (parent == nullptr || window == nullptr || window == parent)
        return FALSE;
    return user::IsDescendant(window, parent) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd) {
    user::Window* window = user::Find(hWnd);
    return window != nullptr && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr || lpRect == nullptr)
        return FALSE;
    *lpRect = user::ClientRect(window);
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr || lpRect == nullptr)
        return FALSE;
    *lpRect = user::ScreenRect(window);
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr || lpPoint == nullptr)
        return FALSE;
    POINT origin = user::ClientOrigin(window);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr || lpPoint == nullptr)
        return FALSE;
    POINT origin = user::ClientOrigin(window);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    POINT from{0, 0}, to{0, 0};
    if (hWndFrom != nullptr) {
        user::Window* window = user::Find(hWndFrom);
        if (window == nullptr)
            return 0;
        from = user::ClientOrigin(window);
    }
    if (hWndTo != nullptr) {
        user::Window* window = user::Find(hWndTo);
        if (window == nullptr)
            return 0;
        to = user::ClientOrigin(window);
    }
    LONG dx = from.x - to.x, dy = from.y - to.y;
    for (UINT i = 0; lpPoints != nullptr && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)),
                    static_cast<WORD>(static_cast<SHORT>(dy)));
}

HWND WindowFromPoint(POINT Point) {
    user::ApiScope scope;
    int hit;
    return HandleOf(user::WindowAtPoint(Point, &hit));
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point) {
    user::Window* parent = user::Find(hWndParent);
    if (parent == nullptr || !win32::Contains(user::ClientRect(parent), Point))
        return nullptr;
    // Hidden and disabled children count here, unlike for mouse input.
    for (user::Window* child : parent->children) {
        if (win32::Contains(child->rect, Point))
            return child->handle;
    }
    return hWndParent;
}

HWND GetParent(HWND hWnd) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return nullptr;
    if (window->parent != nullptr)
        return window->parent->handle;
    // A pop-up window's "parent" is its owner.
    return (window->style & WS_POPUP) ? HandleOf(window->owner) : nullptr;
}

HWND GetAncestor(HWND hwnd, UINT gaFlags) {
    user::Window* window = user::Find(hwnd);
    if (window == nullptr)
        return nullptr;
    switch (gaFlags) {
        case GA_PARENT:
            return HandleOf(window->parent);
        case GA_ROOT:
            return user::Root(window)->handle;
        case GA_ROOTOWNER: {
            user::Window* root = user::Root(window);
            while (root->owner != nullptr)
                root = root->owner;
            return root->handle;
        }
        default:
            return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return nullptr;
    if (uCmd == GW_OWNER)
        return window->parent == nullptr ? HandleOf(window->owner) : nullptr;
    if (uCmd == GW_CHILD)
        return window->children.empty() ? nullptr : window->children.front()->handle;
    const auto& siblings = user::SiblingsOf(window);
    auto it = std::find(siblings.begin(), siblings.end(), window);
    switch (uCmd) {
        case GW_HWNDFIRST:
            return siblings.front()->handle;
        case GW_HWNDLAST:
            return siblings.back()->handle;
        case GW_HWNDNEXT:
            return it + 1 != siblings.end() ? (*(it + 1))->handle : nullptr;
        case GW_HWNDPREV:
            return it != siblings.begin() ? (*(it - 1))->handle : nullptr;
        default:
            return nullptr;
    }
}

HWND GetTopWindow(HWND hWnd) {
    if (hWnd == nullptr) {
        const auto& tops = user::TopLevels();
        return tops.empty() ? nullptr : tops.front()->handle;
    }
    return GetWindow(hWnd, GW_CHILD);
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int nIndex) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return 0;
    switch (nIndex) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(window->proc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(window->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(window->parent != nullptr ? window->parent->handle
                                                                        : HandleOf(window->owner));
        case GWLP_ID:
            return window->id;
        case GWL_STYLE:
            return static_cast<LONG>(window->style);
        case GWL_EXSTYLE:
            return static_cast<LONG>(window->exStyle);
        case GWLP_USERDATA:
            return window->userData;
        default: {
            LONG_PTR value = 0;
            ReadExtra(window, nIndex, &value, sizeof value);
            return value;
        }
    }
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return 0;
    LONG_PTR old = GetWindowLongPtrA(hWnd, nIndex);
    switch (nIndex) {
        case GWLP_WNDPROC:
            if (dwNewLong == 0)
                return 0;
            window->proc = reinterpret_cast<WNDPROC>(dwNewLong);
            break;
        case GWLP_HINSTANCE:
            window->instance = reinterpret_cast<HINSTANCE>(dwNewLong);
            break;
        case GWLP_HWNDPARENT:
            if (window->parent == nullptr) {
                user::Window* owner = user::Find(reinterpret_cast<HWND>(dwNewLong));
                window->owner = owner != nullptr ? user::Root(owner) : nullptr;
            }
            break;
        case GWLP_ID:
            window->id = dwNewLong;
            break;
        case GWL_STYLE:
            window->style = static_cast<DWORD>(dwNewLong);
            break;
        case GWL_EXSTYLE:
            window->exStyle = static_cast<DWORD>(dwNewLong);
            break;
        case GWLP_USERDATA:
            window->userData = dwNewLong;
            break;
        default:
            if (!WriteExtra(window, nIndex, &dwNewLong, sizeof dwNewLong))
                return 0;
            break;
    }
    return old;
}

LONG GetWindowLongA(HWND hWnd, int nIndex) {
    user::Window* window = user::Find(hWnd);
    if (window != nullptr && nIndex >= 0) {
        LONG value = 0;
        ReadExtra(window, nIndex, &value, sizeof value);
        return value;
    }
    return static_cast<LONG>(GetWindowLongPtrA(hWnd, nIndex));
}

LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    user::Window* window = user::Find(hWnd);
    if (window != nullptr && nIndex >= 0) {
        LONG old = GetWindowLongA(hWnd, nIndex);
        return WriteExtra(window, nIndex, &dwNewLong, sizeof dwNewLong) ? old : 0;
    }
    return static_cast<LONG>(SetWindowLongPtrA(hWnd, nIndex, dwNewLong));
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    return user::Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr || lpString == nullptr || nMaxCount <= 0)
        return 0;
    return static_cast<int>(user::Send(window, WM_GETTEXT, static_cast<WPARAM>(nMaxCount),
                                       reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthA(HWND hWnd) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return 0;
    return static_cast<int>(user::Send(window, WM_GETTEXTLENGTH, 0, 0));
}

int GetSystemMetrics(int nIndex) {
    switch (nIndex) {
        case SM_CXSCREEN:
            return win32::Framebuffer::kWidth;
        case SM_CYSCREEN:
            return win32::Framebuffer::kHeight;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 8;  // a second press up to 4 pixels away in either direction
        default:
            return 0;
    }
}

UINT GetDoubleClickTime() {
    return kDoubleClickMs;
}
