// The frame driver of the _sys_system unit: a small state machine that the main window's idle
// and message hooks advance by one step on every pass of the message loop, running the
// built-in demo program.
#pragma once

#include "draw/ScreenApi.h"
#include "win32/api.h"

// 1000: set-up due; 1001: running; 9999: stopped; 0 until the main window arms the driver.
extern LONG FrameStep;

extern SurfaceDesc DemoScreen;  // screen 0
extern SurfaceDesc DemoWork;    // the 320 x 240 work surface the squares pile up on
extern WORD DemoPalette[256];   // all zero: the palette made from it is the grey ramp
extern DWORD LastFrameTick;     // read just before the last frame was drawn (or at set-up)
extern WORD ShownFps;           // the rate the demo prints; 0 until the first count completes

void StepFrameDriver();
// Sets the display, palette, screen and work surface up; always reports success (1).
int DemoInit();
// Draws one frame when it is due; 9999 once Escape was pressed, else 0.
int DemoFrame();
