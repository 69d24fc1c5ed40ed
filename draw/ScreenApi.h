// The screen API that programs draw with: descriptors of the four console screens and of
// work surfaces, palette colour indices, and presenting the active screen.
#pragma once

#include "draw/Ddraw.h"
#include "draw/PaletteBank.h"
#include "draw/Surface.h"
#include "win32/api.h"

#include <nuvik/sdk_types.h>

// A program's snapshot of one surface, filled by GetScreen or NewSurface: the SDK's record.
using SurfaceDesc = nuvik::SurfaceDesc;

// Written by the main window, read by the program; no screen-API operation reads them.
extern HWND MainWindowHandle;
extern LONG TargetFps;
// How many times PresentScreen has been called since the process started.
extern DWORD PresentScreenCalls;

int InitScreen(HWND window, int depth);
int GetScreen(SurfaceDesc* desc, int index);
int NewSurface(SurfaceDesc* desc);
void SetScreen(const SurfaceDesc* desc);
bool PresentScreen();
void ExitScreen();
int FillBox(const SurfaceDesc* desc, int x, int y, int w, int h, BYTE colourIndex);
HRESULT PutText(const SurfaceDesc* desc, int x, int y, const char* text, BYTE colourIndex);
void ClearSurface(const SurfaceDesc* desc, BYTE colourIndex);
void CopySurface(const SurfaceDesc* destination, int x, int y, const SurfaceDesc* source,
                 const RECT* sourceRect);

// ExitScreen asks the main window to close through this; the application installs it.
void SetExitScreenCloser(void (*closer)());
