// Input from a host or a test, turned by the window system into window messages exactly as
// the real system would: mouse messages to the capture window or the window under the
// pointer, keys to the focus window, WM_SETCURSOR on every move. Coordinates are screen
// pixels of the 640 x 480 virtual screen.
#pragma once

#include "win32/types.h"

namespace win32::input {

enum class MouseButton { Left, Right, Middle };

void KeyDown(int virtualKey);
void KeyUp(int virtualKey);
void MouseMove(int x, int y);
void MouseButtonDown(MouseButton button, int x, int y);
void MouseButtonUp(MouseButton button, int x, int y);

// The window manager's requests to the application's top-level (main) window.
void RequestClose();     // WM_CLOSE to the top-level window
void RequestMinimize();  // as the task bar's minimise: the top-level window becomes iconic
void RequestRestore();

// Whether any top-level window of the application is minimised (the host shows nothing then).
bool AnyTopLevelIconic();

// Tests: called after every GetAsyncKeyState query with the key asked about, so that a test
// can change the key table between two queries, as a quick finger would. Null removes it.
void SetAsyncKeyQueryObserver(void (*observer)(int virtualKey));

// Tests: forget the key table, pointer position, capture, focus and queued input.
void Reset();

}  // namespace win32::input
