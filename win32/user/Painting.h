// Update regions, WM_PAINT production and the device contexts of windows. Windows paint
// straight into the one framebuffer; each device context is clipped to what of its window
// shows on the screen.
#pragma once

#include "core/RectSet.h"
#include "user/MessageQueue.h"
#include "user/WindowTree.h"

#include <utility>
#include <vector>

namespace win32::user {

// Adds `area` (client coordinates) to the update region of a drawable window.
void InvalidateClient(Window* window, const RectSet& area, bool erase);
// The whole client area, and with `children` that of every descendant.
void InvalidateWhole(Window* window, bool erase, bool children);
// Removes `area` (client coordinates; null: everything) from the update region.
void ValidateClient(Window* window, const RECT* area);
// A window (and its descendants) stopped being drawable: nothing of it is pending any more.
void DropUpdates(Window* window);
// What every window shows on the screen, taken before a change of geometry, visibility or
// stacking; afterwards each window repaints what it newly shows (except `exclude` and its
// descendants, which the caller repaints whole).
class VisibleSnapshot {
  public:
    VisibleSnapshot();
    void InvalidateGained(const Window* exclude) const;

  private:
    std::vector<std::pair<HWND, RectSet>> shown_;
};
// Window geometry, visibility or z-order changed, or the screen format: every device context
// handed out is clipped and placed anew.
void RetargetDCs();
// A destroyed window's device contexts stop drawing (they stay valid handles until released).
void OrphanDCs(Window* window);
bool TakePaintMessage(const MessageFilter& filter, MSG* msg);
// After DispatchMessageA delivered WM_PAINT: a window procedure that did not paint leaves
// nothing pending, so that WM_PAINT does not come back for ever.
void FinishPaintDispatch(Window* window);
// A device context on the framebuffer for `hwnd` (null: the whole screen), clipped to the
// window's visible region and, for `paint`, to `paintArea` (screen coordinates).
HDC OpenDC(HWND hwnd, bool paint, const RectSet& paintArea);
bool CloseDC(HDC dc);
HWND WindowOfDC(HDC dc);
void SetInternalPaint(Window* window, bool on);
// Sends WM_ERASEBKGND now if the window's update region asks for it.
void EraseNow(Window* window);
void ResetPainting();

}  // namespace win32::user
