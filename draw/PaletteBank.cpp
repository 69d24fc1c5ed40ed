#include "draw/PaletteBank.h"

#include <algorithm>
#include <cstring>

_PALETTEBANK PaletteBank;
DWORD DisplayRedMask;

void ClearPaletteBank() {
    std::memset(&PaletteBank, 0, sizeof PaletteBank);
}

int NewPalette(int count, const WORD* colours) {
    int slot = 0;
    while (slot < kPaletteSlots && PaletteBank.slots[slot] != nullptr)
        ++slot;
    if (slot == kPaletteSlots)
        return 0;
    WORD* row = PaletteBank.entries[slot];
    std::memcpy(row, colours, sizeof PaletteBank.entries[slot]);
    // A longer count would run past the row.
    int rebuilt = std::min(count, kPaletteColours);
    for (int j = 0; j < rebuilt; ++j) {
        WORD level = static_cast<WORD>(j % 32);
        WORD grey = static_cast<WORD>((row[j] & 0x8000) | level << 10 | level << 5 | level);
        row[j] = ConvertColor(grey);
    }
    PaletteBank.slots[slot] = row;
    return slot;
}

WORD ConvertColor(WORD colour) {
    switch (DisplayRedMask) {
        case 0x7C00:
            return colour;
        case 0xF800:
            return static_cast<WORD>((colour & 0x7FE0) << 1 | 0x0020 | (colour & 0x001F));
        default:
            return 0;
    }
}

WORD LookUpColor(BYTE index) {
    return PaletteBank.entries[PaletteBank.current][index];
}

COLORREF ToTextColor(WORD colour) {
    BYTE red = static_cast<BYTE>(colour & 0x1F);
    BYTE green = static_cast<BYTE>(colour >> 5 & 0x1F);
    BYTE blue = static_cast<BYTE>(colour >> 10 & 0x1F);
    return RGB(red, green, blue);
}
