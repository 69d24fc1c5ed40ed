#include "user/WindowOps.h"

#include <optional>
#include <vector>

#include "user/Focus.h"
#include "user/MessageQueue.h"
#include "user/Painting.h"
#include "user/Timers.h"
#include "win32/constants.h"

namespace win32::user {

namespace {

std::vector<HWND> HandlesOf(const std::vector<Window*>& windows) {
    std::vector<HWND> handles;
    handles.reserve(windows.size());
    for (Window* w : windows)
        handles.push_back(w->handle);
    return handles;
}

int IndexAmongSiblings(Window* window) {
    const auto& siblings = SiblingsOf(window);
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i] == window)
            return static_cast<int>(i);
    }
    return -1;
}

// Hiding a window that holds the focus gives the focus to its parent (a top-level window
// gives it up); hiding the active window activates another one.
void AfterHide(Window* window) {
    Window* focus = FocusWindow();
    if (IsLive(window) && focus != nullptr && IsDescendant(focus, window)) {
        HWND previous;
        SetFocusTo(window->parent, &previous);
    }
    if (IsLive(window) && ActiveWindow() == window)
        ActivateAnother(window);
}

bool PlaceWithStyle(Window* window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags,
                    DWORD setStyle, DWORD clearStyle) {
    WINDOWPOS pos{window->handle, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = window->rect.left;
        pos.y = window->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = window->Width();
        pos.cy = window->Height();
    }
    HWND handle = window->handle;
    if (!(flags & SWP_NOSENDCHANGING))
        Send(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    window = Find(handle);
    if (window == nullptr)
        return false;
    flags = pos.flags;
    pos.cx = pos.cx < 0 ? 0 : pos.cx;
    pos.cy = pos.cy < 0 ? 0 : pos.cy;

    bool wasDrawable = IsDrawable(window);
    // A window that is not on the screen and does not come onto it changes nothing shown.
    bool mayShow = wasDrawable || (flags & SWP_SHOWWINDOW) || (clearStyle & WS_MINIMIZE);
    bool redraw = !(flags & SWP_NOREDRAW) && mayShow;
    std::optional<VisibleSnapshot> before;
    if (redraw)
        before.emplace();
    RECT oldRect = window->rect;
    if (!(flags & SWP_NOMOVE) || !(flags & SWP_NOSIZE))
        window->rect = RECT{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    bool moved = window->rect.left != oldRect.left || window->rect.top != oldRect.top;
    bool sized = window->Width() != oldRect.right - oldRect.left ||
                 window->Height() != oldRect.bottom - oldRect.top;
    bool restacked = false;
    if (!(flags & SWP_NOZORDER)) {
        int indexBefore = IndexAmongSiblings(window);
        DWORD topmostBefore = window->exStyle & WS_EX_TOPMOST;
        if (window->IsChild())
            LinkChild(window, window->parent, pos.hwndInsertAfter);
        else
            LinkTopLevel(window, pos.hwndInsertAfter);
        restacked = indexBefore != IndexAmongSiblings(window) ||
                    topmostBefore != (window->exStyle & WS_EX_TOPMOST);
    }
    window->style = (window->style | setStyle) & ~clearStyle;
    bool hidden = false;
    if (flags & SWP_SHOWWINDOW)
        window->style |= WS_VISIBLE;
    if ((flags & SWP_HIDEWINDOW) && (window->style & WS_VISIBLE)) {
        window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        hidden = true;
    }
    bool nowDrawable = IsDrawable(window);
    if (!nowDrawable)
        DropUpdates(window);
    if (redraw && (moved || sized || restacked || wasDrawable != nowDrawable)) {
        // A window that moved, changed size or appeared repaints whole; everybody else
        // repaints what it uncovered.
        bool whole = nowDrawable && (moved || sized || !wasDrawable);
        before->InvalidateGained(whole ? window : nullptr);
        if (whole)
            InvalidateWhole(window, true, true);
    }
    RetargetDCs();

    if (!(flags & SWP_NOACTIVATE) && !window->IsChild() && nowDrawable)
        Activate(window, false);
    window = Find(handle);
    if (window == nullptr)
        return true;

    pos.x = window->rect.left;
    pos.y = window->rect.top;
    pos.cx = window->Width();
    pos.cy = window->Height();
    if (!moved)
        pos.flags |= SWP_NOMOVE | SWP_NOCLIENTMOVE;
    if (!sized)
        pos.flags |= SWP_NOSIZE | SWP_NOCLIENTSIZE;
    Send(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (hidden)
        AfterHide(Find(handle));
    return true;
}

void SendDestroy(Window* window) {
    window->life = Life::Destroying;
    Send(window, WM_DESTROY, 0, 0);
    for (HWND child : HandlesOf(window->children)) {
        Window* c = Find(child);
        if (c != nullptr && c->life == Life::Alive)
            SendDestroy(c);
    }
}

void FreeTree(Window* window) {
    for (HWND child : HandlesOf(window->children)) {
        if (Window* c = Find(child))
            FreeTree(c);
    }
    if (window->life == Life::Gone)
        return;
    window->life = Life::Destroying;
    Send(window, WM_NCDESTROY, 0, 0);
    KillWindowTimers(window->handle);
    RemovePostedFor(window->handle);
    OrphanDCs(window);
    ForgetWindow(window);
    DropUpdates(window);
    for (Window* top : TopLevels()) {
        if (top->owner == window)
            top->owner = nullptr;
    }
    Unlink(window);
    if (window->windowClass)
        --window->windowClass->liveWindows;
    Retire(window);
}

}  // namespace

bool PlaceWindow(Window* window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return PlaceWithStyle(window, insertAfter, x, y, cx, cy, flags, 0, 0);
}

bool ShowWindowOn(Window* window, int command) {
    HWND handle = window->handle;
    bool wasVisible = (window->style & WS_VISIBLE) != 0;
    bool iconic = (window->style & WS_MINIMIZE) != 0;
    UINT still = SWP_NOMOVE | SWP_NOSIZE;
    if (window->IsChild())
        still |= SWP_NOACTIVATE | SWP_NOZORDER;
    switch (command) {
        case SW_HIDE:
            if (!wasVisible)
                return false;
            Send(window, WM_SHOWWINDOW, FALSE, 0);
            if ((window = Find(handle)) != nullptr)
                PlaceWindow(window, nullptr, 0, 0, 0, 0,
                            still | SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
            return true;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            if (iconic && wasVisible)
                return true;
            if (!wasVisible)
                Send(window, WM_SHOWWINDOW, TRUE, 0);
            if ((window = Find(handle)) == nullptr)
                return wasVisible;
            PlaceWithStyle(window, HWND_TOP, 0, 0, 0, 0,
                           still | SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE, WS_MINIMIZE, 0);
            if ((window = Find(handle)) == nullptr)
                return wasVisible;
            Send(window, WM_SIZE, SIZE_MINIMIZED, 0);
            if ((window = Find(handle)) != nullptr && ActiveWindow() == window)
                ActivateAnother(window);
            return wasVisible;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
        case SW_SHOW:
        case SW_SHOWNA:
        case SW_SHOWNOACTIVATE:
        case SW_SHOWMAXIMIZED: {
            bool restore = iconic && command != SW_SHOW && command != SW_SHOWNA;
            // SW_SHOWNA goes through the whole showing again on a visible window, WM_SHOWWINDOW
            // included; the other commands leave a visible window alone.
            bool again = wasVisible && command == SW_SHOWNA;
            if (wasVisible && !restore && !again)
                return true;
            if (!wasVisible || again)
                Send(window, WM_SHOWWINDOW, TRUE, 0);
            if ((window = Find(handle)) == nullptr)
                return wasVisible;
            UINT flags = still | SWP_SHOWWINDOW;
            if (command == SW_SHOWNA || command == SW_SHOWNOACTIVATE)
                flags |= SWP_NOACTIVATE;
            PlaceWithStyle(window, HWND_TOP, 0, 0, 0, 0, flags, 0, restore ? WS_MINIMIZE : 0);
            if (restore && (window = Find(handle)) != nullptr)
                Send(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->Width(), window->Height()));
            return wasVisible;
        }
        default:
            return wasVisible;
    }
}

void DestroyWindowTree(Window* window) {
    if (window->life != Life::Alive)
        return;
    HWND handle = window->handle;
    if (window->style & WS_VISIBLE) {
        // Only child windows hear WM_SHOWWINDOW on the way out, as on Windows.
        if (window->IsChild())
            ShowWindowOn(window, SW_HIDE);
        else
            PlaceWindow(window, nullptr, 0, 0, 0, 0,
                        SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    if ((window = Find(handle)) == nullptr || window->life != Life::Alive)
        return;
    if (!window->IsChild()) {
        std::vector<Window*> owned;
        for (Window* top : TopLevels()) {
            if (top->owner == window)
                owned.push_back(top);
        }
        for (HWND h : HandlesOf(owned)) {
            if (Window* w = Find(h))
                DestroyWindowTree(w);
        }
        if ((window = Find(handle)) == nullptr || window->life != Life::Alive)
            return;
    }
    if (ActiveWindow() == window)
        ActivateAnother(window);
    if (FocusWindow() != nullptr && IsDescendant(FocusWindow(), window)) {
        HWND previous;
        SetFocusTo(nullptr, &previous);
    }
    if (CaptureWindow() != nullptr && IsDescendant(CaptureWindow(), window))
        ReleaseCaptureOf(nullptr);
    if ((window = Find(handle)) == nullptr || window->life != Life::Alive)
        return;
    SendDestroy(window);
    if ((window = Find(handle)) != nullptr)
        FreeTree(window);
}

bool EnableWindowOn(Window* window, bool enable) {
    HWND handle = window->handle;
    bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        window->style &= ~static_cast<DWORD>(WS_DISABLED);
        Send(window, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        Send(window, WM_CANCELMODE, 0, 0);
        if ((window = Find(handle)) == nullptr)
            return wasDisabled;
        window->style |= WS_DISABLED;
        // A disabled window can hold neither the focus nor the mouse.
        if (FocusWindow() != nullptr && IsDescendant(FocusWindow(), window)) {
            HWND previous;
            SetFocusTo(nullptr, &previous);
        }
        if (CaptureWindow() != nullptr && IsDescendant(CaptureWindow(), window))
            ReleaseCaptureOf(nullptr);
        if ((window = Find(handle)) != nullptr)
            Send(window, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

namespace {

Window* SearchAt(Window* scope, POINT screen, int* hit) {
    if (!IsLive(scope) || !(scope->style & WS_VISIBLE) || !Contains(ScreenRect(scope), screen))
        return nullptr;
    if (scope->style & WS_DISABLED) {
        if (scope->IsChild())
            return nullptr;
        *hit = HTERROR;
        return scope;
    }
    if (!(scope->style & WS_MINIMIZE)) {
        for (HWND child : HandlesOf(scope->children)) {
            if (Window* found = SearchAt(Find(child), screen, hit))
                return found;
        }
    }
    HWND handle = scope->handle;
    auto code = static_cast<int>(Send(scope, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)));
    if (code == HTTRANSPARENT || Find(handle) == nullptr)
        return nullptr;
    *hit = code;
    return scope;
}

}  // namespace

Window* WindowAtPoint(POINT screen, int* hit) {
    *hit = HTNOWHERE;
    for (HWND top : HandlesOf(TopLevels())) {
        Window* window = Find(top);
        if (window == nullptr || (window->style & WS_MINIMIZE))
            continue;  // a minimised window is not on this screen at all
        if (Window* found = SearchAt(window, screen, hit))
            return found;
    }
    return nullptr;
}

Window* MainWindow() {
    Window* main = nullptr;
    for (Window* top : TopLevels()) {
        if (top->life == Life::Alive && (main == nullptr || top->serial < main->serial))
            main = top;
    }
    return main;
}

}  // namespace win32::user
