// Objects every program may use without creating them: the stock brushes, pens and fonts, the
// 1 x 1 bitmap of a fresh memory device context, and one brush per system colour. None of
// them is ever destroyed.
#pragma once

#include "win32/gdi.h"

namespace win32::gdi {

// Null for an index that has no stock object.
HGDIOBJ StockObject(int index);
HBITMAP DefaultBitmap();
// The classic colour scheme; false for an unknown index.
bool SystemColor(int index, COLORREF* color);

}  // namespace win32::gdi
