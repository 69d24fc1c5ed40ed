#include "user/Focus.h"

#include <vector>

#include "user/WindowOps.h"
#include "win32/constants.h"
#include "win32/user.h"

namespace win32::user {

namespace {

struct FocusState {
    Window* focus = nullptr;
    Window* active = nullptr;
    Window* capture = nullptr;
};

FocusState& State() {
    static FocusState state;
    return state;
}

HWND HandleOf(const Window* window) {
    return window != nullptr ? window->handle : nullptr;
}

// WM_KILLFOCUS to the old window and WM_SETFOCUS to the new one; GetFocus already answers the
// new window while the old one hears about it.
void ChangeFocus(Window* window) {
    FocusState& state = State();
    Window* old = state.focus;
    if (old == window)
        return;
    state.focus = window;
    if (IsLive(old))
        Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(HandleOf(window)), 0);
    if (state.focus != window || !IsLive(window))
        return;
    Send(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(IsLive(old) ? old->handle : nullptr), 0);
}

void TellTopLevels(bool active) {
    std::vector<HWND> tops;
    for (Window* top : TopLevels())
        tops.push_back(top->handle);
    for (HWND top : tops)
        Send(Find(top), WM_ACTIVATEAPP, active ? TRUE : FALSE, 0);
}

bool FrontOfItsBand(const Window* window) {
    for (const Window* top : TopLevels()) {
        if (top == window)
            return true;
        if ((top->exStyle & WS_EX_TOPMOST) == (window->exStyle & WS_EX_TOPMOST) && IsDrawable(top))
            return false;
    }
    return false;
}

bool CanBeActive(const Window* window) {
    return IsDrawable(window) && !(window->style & WS_DISABLED);
}

}  // namespace

Window* FocusWindow() {
    return State().focus;
}

Window* ActiveWindow() {
    return State().active;
}

Window* CaptureWindow() {
    return State().capture;
}

bool SetFocusTo(Window* window, HWND* previous) {
    FocusState& state = State();
    *previous = HandleOf(state.focus);
    if (window == nullptr) {
        ChangeFocus(nullptr);
        return true;
    }
    if (window == state.focus)
        return true;
    for (Window* w = window; w != nullptr; w = w->parent) {
        if (w->style & (WS_MINIMIZE | WS_DISABLED))
            return false;
    }
    Window* top = Root(window);
    if (top != state.active) {
        Activate(top, false);
        if (!IsLive(window) || state.active != top)
            return false;
        *previous = HandleOf(state.focus);
        if (state.focus == window)
            return true;
    }
    ChangeFocus(window);
    return true;
}

void Activate(Window* window, bool byClick) {
    FocusState& state = State();
    if (window == state.active)
        return;
    Window* old = state.active;
    state.active = window;
    if (IsLive(old)) {
        Send(old, WM_NCACTIVATE, FALSE, 0);
        Send(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (old->style & WS_MINIMIZE) ? 1 : 0),
             reinterpret_cast<LPARAM>(HandleOf(window)));
    }
    if (state.active != window)
        return;  // somebody activated another window meanwhile
    if (window == nullptr) {
        if (old != nullptr)
            TellTopLevels(false);
        ChangeFocus(nullptr);
        return;
    }
    if (!FrontOfItsBand(window))
        PlaceWindow(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!IsLive(window) || state.active != window)
        return;
    if (old == nullptr)
        TellTopLevels(true);
    Send(window, WM_NCACTIVATE, TRUE, 0);
    Send(window, WM_ACTIVATE,
         MAKEWPARAM(byClick ? WA_CLICKACTIVE : WA_ACTIVE, (window->style & WS_MINIMIZE) ? 1 : 0),
         reinterpret_cast<LPARAM>(IsLive(old) ? old->handle : nullptr));
    if (!IsLive(window) || state.active != window)
        return;
    // A window procedure that does not give the focus away itself (DefWindowProcA does, to
    // the window) still leaves the focus inside the newly active window, unless minimised.
    if (window->style & WS_MINIMIZE)
        ChangeFocus(nullptr);
    else if (state.focus == nullptr || Root(state.focus) != window)
        ChangeFocus(window);
}

void ActivateAnother(Window* leaving) {
    Window* next = nullptr;
    if (leaving->owner != nullptr && leaving->owner != leaving && CanBeActive(leaving->owner))
        next = leaving->owner;
    for (Window* top : TopLevels()) {
        if (next != nullptr)
            break;
        if (top != leaving && CanBeActive(top))
            next = top;
    }
    Activate(next, false);
}

HWND SetCaptureTo(Window* window) {
    FocusState& state = State();
    Window* old = state.capture;
    state.capture = window;
    if (IsLive(old) && old != window)
        Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(HandleOf(window)));
    return IsLive(old) ? old->handle : nullptr;
}

void ReleaseCaptureOf(Window* window) {
    FocusState& state = State();
    Window* old = state.capture;
    if (old == nullptr || (window != nullptr && old != window))
        return;
    state.capture = nullptr;
    if (IsLive(old))
        Send(old, WM_CAPTURECHANGED, 0, 0);
}

void ForgetWindow(Window* window) {
    FocusState& state = State();
    if (state.focus == window)
        state.focus = nullptr;
    if (state.active == window)
        state.active = nullptr;
    if (state.capture == window)
        state.capture = nullptr;
}

void ResetFocus() {
    State() = FocusState{};
}

}  // namespace win32::user

namespace user = win32::user;

HWND SetFocus(HWND hWnd) {
    user::ApiScope scope;
    user::Window* window = nullptr;
    if (hWnd != nullptr) {
        window = user::Find(hWnd);
        if (window == nullptr)
            return nullptr;
    }
    HWND previous = nullptr;
    return user::SetFocusTo(window, &previous) ? previous : nullptr;
}

HWND GetFocus() {
    user::Window* focus = user::FocusWindow();
    return user::IsLive(focus) ? focus->handle : nullptr;
}

HWND GetActiveWindow() {
    user::Window* active = user::ActiveWindow();
    return user::IsLive(active) ? active->handle : nullptr;
}

HWND SetActiveWindow(HWND hWnd) {
    user::ApiScope scope;
    user::Window* window = nullptr;
    if (hWnd != nullptr) {
        window = user::Find(hWnd);
        if (window == nullptr)
            return nullptr;
        window = user::Root(window);
    }
    HWND previous = GetActiveWindow();
    user::Activate(window, false);
    return previous;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

BOOL SetForegroundWindow(HWND hWnd) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return FALSE;
    user::Activate(user::Root(window), false);
    return TRUE;
}

HWND SetCapture(HWND hWnd) {
    user::ApiScope scope;
    user::Window* window = user::Find(hWnd);
    if (window == nullptr)
        return nullptr;
    return user::SetCaptureTo(window);
}

BOOL ReleaseCapture() {
    user::ApiScope scope;
    user::ReleaseCaptureOf(nullptr);
    return TRUE;
}

HWND GetCapture() {
    user::Window* capture = user::CaptureWindow();
    return user::IsLive(capture) ? capture->handle : nullptr;
}
