// One off-screen DirectDraw surface in system memory, with the address of its pixel memory
// kept from the lock at creation. Rows lie exactly `width` pixels apart.
#pragma once

#include "frame/Printf.h"
#include "win32/api.h"

struct _SURFACE {
    LPDIRECTDRAWSURFACE7 surface = nullptr;
    WORD* pixels = nullptr;
    LONG width = 0;
    LONG height = 0;

    // Replaces whatever the record held with a new surface of that size.
    bool Create(int newWidth, int newHeight);
    // True when a surface was given back; an empty record stays as it is.
    bool Release();
    bool IsValid() const;
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }

    // Writes `colour` (already in the display's layout) into the rectangle, cut to the surface.
    bool FillRect(int x, int y, int w, int h, WORD colour);
    // Copies this surface, or `sourceRect` of it, onto `destination` at (x, y). The rectangle
    // is clipped in place against the destination's size; bit 0 of a non-zero `mode` mirrors
    // the copy left to right.
    bool Blt(_SURFACE* destination, int x, int y, RECT* sourceRect, bool colourKey, WORD mode);
    // Formats the text (cut at 255 bytes) and draws it through the surface's device context in
    // the current palette's colour `colourIndex`. Returns the GetDC or ReleaseDC result.
    HRESULT Printf(HFONT font, int x, int y, BYTE colourIndex, const char* format, ...)
        NUVIK_PRINTF(6, 7);
};
