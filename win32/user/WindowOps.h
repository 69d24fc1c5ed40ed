// Showing, placing and destroying windows, shared by the Win32 entry points, the default
// window procedure, the input requests and the message box.
#pragma once

#include "user/WindowTree.h"

namespace win32::user {

bool ShowWindowOn(Window* window, int command);
bool PlaceWindow(Window* window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
void DestroyWindowTree(Window* window);
bool EnableWindowOn(Window* window, bool enable);
// The window that mouse input at `screen` goes to without capture, and the hit-test code it
// answered (HTERROR for a disabled top-level window); null over no window. Windows that
// answer WM_NCHITTEST with HTTRANSPARENT and disabled child windows let the window
// behind them have the point.
Window* WindowAtPoint(POINT screen, int* hit);
// The application's main window: the first top-level window created that still exists.
Window* MainWindow();

}  // namespace win32::user
