// The built-in demo, a program like any other: grey squares pile up at random places on a work
// surface, with a banner and the measured frames per second on top. Escape ends it.
#pragma once

#include <cstdint>

#include <nuvik/sdk_types.h>

extern nuvik::SurfaceDesc DemoScreen;   // screen 0
extern nuvik::SurfaceDesc DemoWork;     // the 320 x 240 work surface the squares pile up on
extern std::uint16_t DemoPalette[256];  // all zero: the palette made from it is the grey ramp
extern std::uint32_t LastFrameTick;     // read just before the last frame was drawn (or at set-up)
extern std::uint16_t ShownFps;  // the rate the demo prints; 0 until the first count completes

// Sets the display, palette, screen and work surface up; always reports success (1).
int DemoInit();
// Draws one frame when it is due; 9999 once Escape was pressed, else 0.
int DemoFrame();
