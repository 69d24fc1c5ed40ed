// Palettes of 16-bit colours and their conversion into the display's 16-bit layout.
// Palette colours are made in the 5-5-5 layout (red in bits 10-14, green 5-9, blue 0-4) and
// converted into the layout that the display device detected: 5-5-5 or 5-6-5.
#pragma once

#include "win32/api.h"

constexpr int kPaletteSlots = 128;
constexpr int kPaletteColours = 256;

struct _PALETTEBANK {
    int current;                 // the palette every look-up reads
    WORD* slots[kPaletteSlots];  // row i of entries once palette i exists
    WORD entries[kPaletteSlots][kPaletteColours];
};

extern _PALETTEBANK PaletteBank;

// Red mask of the display's 16-bit layout: 0x7C00 (5-5-5), 0xF800 (5-6-5), or 0 while no layout
// has been detected. Written by the display device when it is created.
extern DWORD DisplayRedMask;

// Empties the bank: current palette 0, every slot free, every colour 0.
void ClearPaletteBank();

// Makes a palette in the first free slot from 256 colours and returns its index; the first
// `count` entries become the grey ramp 0..31 (repeated), keeping only bit 15 of the given
// colour, and are converted for the display; later entries are copied as given, unconverted.
// A count above 256 rebuilds all 256 entries. A full bank returns 0 and changes nothing.
int NewPalette(int count, const WORD* colours);

// A 5-5-5 colour in the display's layout. For 5-6-5 the lowest green bit is always set and
// bit 15 is dropped (0x0000 becomes 0x0020); with no layout detected every colour is 0.
WORD ConvertColor(WORD colour);

// The colour of index `index` in the current palette.
WORD LookUpColor(BYTE index);

// The GDI colour text of a palette colour is drawn in: bits 0-4 go to the red byte, 5-9 to
// green and 10-14 to blue, each left at 0..31 rather than scaled to 0..255, whatever the
// display's layout. Text therefore comes out dark, as programs for the SDK expect.
COLORREF ToTextColor(WORD colour);
