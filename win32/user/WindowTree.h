// The windows of the one GUI thread: classes, the window records, their parent/child and
// z-order links, geometry and visibility. Everything in the window system works on these
// records; the Win32 entry points translate handles to them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/RectSet.h"
#include "win32/types.h"

namespace win32::user {

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int classExtra = 0;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    int liveWindows = 0;
};

enum class Life { Alive, Destroying, Gone };

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> windowClass;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    std::vector<std::uint8_t> extra;
    std::string text;
    Window* parent = nullptr;       // child windows only
    Window* owner = nullptr;        // top-level windows only
    std::vector<Window*> children;  // front to back
    RECT rect{0, 0, 0, 0};          // in the parent's client coordinates (top-level: screen)
    std::uint64_t serial = 0;       // creation order

    RectSet update;  // client coordinates
    bool eraseNeeded = false;
    bool internalPaint = false;
    bool paintQueued = false;  // counted in PendingPaintCount()
    bool paintedInDispatch = false;

    Life life = Life::Alive;

    bool IsChild() const { return parent != nullptr; }
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

// ---- the registry ------------------------------------------------------------------------
Window* Find(HWND handle);  // null for null, stale or destroyed handles
Window* CreateRecord();     // a new live record with a fresh handle, linked nowhere yet
// Unlinks a destroyed record; its memory is kept until no API call is running any more, so
// that callers up the stack may still look at it (and see Life::Gone).
void Retire(Window* window);
const std::vector<Window*>& TopLevels();  // front to back, top-most band first
std::vector<Window*> AllWindows();        // tree order: each window before its children
int PendingPaintCount();
void AdjustPendingPaints(int delta);

std::shared_ptr<WindowClass> FindClass(LPCSTR nameOrAtom);
std::shared_ptr<WindowClass> AddClass(WindowClass cls);
bool RemoveClass(LPCSTR nameOrAtom);

// Every Win32 entry point that may call a window procedure holds one of these, so that no
// window record is freed while a caller further up the stack may still use it.
class ApiScope {
  public:
    ApiScope();
    ~ApiScope();
    ApiScope(const ApiScope&) = delete;
    ApiScope& operator=(const ApiScope&) = delete;
};

// ---- links -----------------------------------------------------------------------------
Window* Root(Window* window);                                     // the top-level ancestor
bool IsDescendant(const Window* window, const Window* ancestor);  // ancestor itself included
void LinkTopLevel(Window* window, HWND insertAfter);
void LinkChild(Window* window, Window* parent, HWND insertAfter);
void Unlink(Window* window);
std::vector<Window*>& SiblingsOf(Window* window);

// ---- geometry (screen coordinates unless named otherwise) ---------------------------------
POINT ClientOrigin(const Window* window);
RECT ScreenRect(const Window* window);
RECT ClientRect(const Window* window);  // (0, 0, width, height)
// Shown: the window and all its ancestors have WS_VISIBLE and none is minimised.
bool IsDrawable(const Window* window);
// What of the window's client area shows on the screen: its rectangle within its ancestors,
// without its visible children, the siblings above it (at every level) and the top-level
// windows above its own.
RectSet VisibleRegion(const Window* window);
// Where the window's device contexts draw: as VisibleRegion, except that a window without
// WS_CLIPCHILDREN keeps its children's area and a child without WS_CLIPSIBLINGS the area of the
// siblings above it (and so draws over them).
RectSet DrawingRegion(const Window* window);

// ---- messages ----------------------------------------------------------------------------
LRESULT Send(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
inline bool IsLive(const Window* window) {
    return window != nullptr && window->life != Life::Gone;
}

// Back to no windows and no classes (tests).
void ResetTree();

}  // namespace win32::user
