// Glyph runs drawn into a device context: text colour, opaque background, underline and
// strike-out, all clipped to a clip list.
#pragma once

#include <cstdint>
#include <string>

#include "gdi/DeviceContext.h"
#include "gdi/RealizedFont.h"

namespace win32::gdi {

// The realized font selected into `dc`; null when it cannot be found (nothing is drawn then).
RealizedFont* SelectedFont(DeviceContext& dc);

// CP949 bytes as code points; a negative length means "up to the terminating zero".
std::u32string DecodeText(const char* text, int length);

struct TextPlacement {
    std::int64_t x = 0;    // pen start, target pixels
    std::int64_t top = 0;  // top of the character cell, target pixels
};

// Draws `text` with the context's colours and background mode; the background box (opaque
// mode) is the run's advance by the font's height. `underlineAt` is an index whose character
// gets an underline of its own (for '&' prefixes), or npos.
void DrawTextRun(DeviceContext& dc, RealizedFont& font, const std::u32string& text,
                 const TextPlacement& at, const RectSet& clip,
                 std::size_t underlineAt = std::u32string::npos);

}  // namespace win32::gdi
