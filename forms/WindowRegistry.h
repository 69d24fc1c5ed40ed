// Bookkeeping behind the window procedure: which control owns which window, which control is
// being created right now (its first messages arrive before CreateWindowExA returns), and which
// control holds the mouse capture (a windowless one captures through its parent's window).
#pragma once

#include "win32/api.h"

namespace forms {
class TControl;
class TWinControl;
}  // namespace forms

namespace forms::detail {

void AttachWindow(HWND window, TWinControl* control);
void DetachWindow(HWND window);
TWinControl* ControlOfWindow(HWND window);

void SetCreatingControl(TWinControl* control);
TWinControl* CreatingControl();

void SetCaptureControl(TControl* control);
// The capturing control while the platform's capture is still one of its windows.
TControl* CaptureControl();
// A control going away must not stay the capture or the control under the mouse.
void ForgetControl(const TControl* control);

}  // namespace forms::detail
