// The window system as a whole, for tests and hosts. Not part of the Win32 API.
#pragma once

#include "win32/types.h"

namespace win32::windowsystem {

// Tests: every window, class, queued and posted message, timer, the quit request, focus,
// activation, capture, key table, pointer position and current cursor are forgotten, without
// a message to anybody, so that each test starts from an empty window system.
void Reset();

// The application's main window: the first top-level window created that still exists.
HWND MainWindow();

// Whether a MessageBoxA is up (its modal loop is running).
bool MessageBoxOpen();

}  // namespace win32::windowsystem
