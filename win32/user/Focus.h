// Keyboard focus, the active window and mouse capture.
#pragma once

#include "user/WindowTree.h"

namespace win32::user {

Window* FocusWindow();
Window* ActiveWindow();
Window* CaptureWindow();

// SetFocus: activates the window's top-level window first; fails (returns false) for
// disabled or minimised windows and their descendants.
bool SetFocusTo(Window* window, HWND* previous);
// Makes `window` (a top-level window, or null) the active window.
void Activate(Window* window, bool byClick);
// `leaving` is being hidden, minimised or destroyed while active: its owner, or else the
// front-most shown, enabled top-level window, becomes active.
void ActivateAnother(Window* leaving);
HWND SetCaptureTo(Window* window);
void ReleaseCaptureOf(Window* window);  // null: whoever holds it
// The window is gone: forget it without telling anybody.
void ForgetWindow(Window* window);
void ResetFocus();

}  // namespace win32::user
