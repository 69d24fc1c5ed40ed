// The one display device: exclusive full-screen DirectDraw 7 at 640 x 480, the primary
// surface, the four 320 x 240 console screens and the work-surface slots.
#pragma once

#include "draw/Surface.h"
#include "win32/api.h"

struct _DDRAW {
    static constexpr int kScreenCount = 4;
    static constexpr int kSurfaceCount = 128;
    // Where the active screen lands on the display: centred across, 95 rows down.
    static constexpr int kPresentX = 160;
    static constexpr int kPresentY = 95;

    HWND window = nullptr;
    LPDIRECTDRAW7 directDraw = nullptr;
    LPDIRECTDRAWSURFACE7 primary = nullptr;
    _SURFACE display;
    _SURFACE screens[kScreenCount];
    _SURFACE surfaces[kSurfaceCount];
    LONG depth = 0;
    LONG currentScreen = 0;
    bool presentPending = false;

    // Enters the display mode and makes the primary surface and the four screens. A failure is
    // shown in a message box; what was made before it stays until Release.
    bool Create(HWND newWindow, int width, int height, int newDepth);
    // Gives back every surface and interface; harmless when nothing is held.
    void Release();
    // Copies the active screen onto the display on every second call that finds it ready.
    bool Present();
    int GetDepth() const { return depth; }
    // Indices outside 0 to 3 are refused and change nothing.
    void SetCurrentScreen(int index);

    // The screen or work-surface record at `record`, or null when `record` is none of them.
    _SURFACE* FindRecord(const _SURFACE* record);
};

extern _DDRAW DDraw;
