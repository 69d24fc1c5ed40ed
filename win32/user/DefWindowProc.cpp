// The default window procedure: what a window does with a message its own procedure passes
// on.
#include <algorithm>
#include <cstring>

#include "user/Focus.h"
#include "user/Painting.h"
#include "user/WindowOps.h"
#include "user/WindowTree.h"
#include "win32/gdi.h"
#include "win32/user.h"

namespace user = win32::user;

namespace {

LRESULT EraseBackground(user::Window* window, HDC dc) {
    HBRUSH brush = window->windowClass->background;
    if (brush == nullptr)
        return 0;
    // A class brush may be a system colour index plus one, as RegisterClassA allows.
    auto value = reinterpret_cast<ULONG_PTR>(brush);
    if (value <= COLOR_GRADIENTINACTIVECAPTION + 1)
        brush = GetSysColorBrush(static_cast<int>(value) - 1);
    RECT client = user::ClientRect(window);
    FillRect(dc, &client, brush);
    return 1;
}

LRESULT SetCursorFor(user::Window* window, HWND target, LPARAM lParam) {
    // A parent may decide the cursor for its children first.
    if (window->parent != nullptr &&
        user::Send(window->parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), lParam))
        return TRUE;
    auto hit = static_cast<SHORT>(LOWORD(lParam));
    if (hit == HTCLIENT) {
        if (window->windowClass->cursor == nullptr)
            return FALSE;
        SetCursor(window->windowClass->cursor);
        return TRUE;
    }
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    return hit == HTERROR ? TRUE : FALSE;
}

LRESULT CopyText(const user::Window* window, WPARAM size, LPARAM buffer) {
    if (buffer == 0 || size == 0)
        return 0;
    auto* out = reinterpret_cast<char*>(buffer);
    std::size_t length = std::min(window->text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(out, window->text.data(), length);
    out[length] = '\0';
    return static_cast<LRESULT>(length);
}

}  // namespace

LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return 0;
    switch (Msg) {
        case WM_NCCREATE: {
            auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            if (create != nullptr && create->lpszName != nullptr &&
                !IS_INTRESOURCE(create->lpszName))
                window->text = create->lpszName;
            return TRUE;
        }
        case WM_NCHITTEST: {
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            return win32::Contains(user::ScreenRect(window), p) ? HTCLIENT : HTNOWHERE;
        }
        case WM_NCACTIVATE:
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(hWnd);
            return 0;
        case WM_ERASEBKGND:
            return EraseBackground(window, reinterpret_cast<HDC>(wParam));
        case WM_SETCURSOR:
            return SetCursorFor(window, reinterpret_cast<HWND>(wParam), lParam);
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hWnd, &paint);
            EndPaint(hWnd, &paint);
            return 0;
        }
        case WM_MOUSEACTIVATE:
            if (window->parent != nullptr) {
                LRESULT answer = user::Send(window->parent, WM_MOUSEACTIVATE, wParam, lParam);
                if (answer != 0)
                    return answer;
            }
            return MA_ACTIVATE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !(window->style & WS_MINIMIZE))
                SetFocus(hWnd);
            return 0;
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (pos == nullptr)
                return 0;
            if (!(pos->flags & SWP_NOCLIENTMOVE))
                user::Send(window, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
            if ((window = user::Find(hWnd)) != nullptr && !(pos->flags & SWP_NOCLIENTSIZE)) {
                WPARAM kind = (window->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
                user::Send(window, WM_SIZE, kind, MAKELPARAM(pos->cx, pos->cy));
            }
            return 0;
        }
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_CLOSE:
                    return user::Send(window, WM_CLOSE, 0, 0);
                case SC_MINIMIZE:
                    user::ShowWindowOn(window, SW_MINIMIZE);
                    return 0;
                case SC_RESTORE:
                    user::ShowWindowOn(window, SW_RESTORE);
                    return 0;
                default:
                    return 0;
            }
        case WM_SYSKEYDOWN:
            // Alt+F4 asks the top-level window to close.
            if (wParam == VK_F4 && (HIWORD(lParam) & 0x2000))
                user::Send(user::Root(window), WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_CANCELMODE:
            if (user::CaptureWindow() == window)
                user::ReleaseCaptureOf(window);
            return 0;
        case WM_SETTEXT:
            window->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
            return TRUE;
        case WM_GETTEXT:
            return CopyText(window, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(window->text.size());
        default:
            return 0;
    }
}
