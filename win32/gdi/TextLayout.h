// DrawTextA's layout: '&' prefixes, line breaks, word wrapping and tab stops, kept apart from
// drawing so that DT_CALCRECT measures exactly what would be drawn.
#pragma once

#include <string>
#include <vector>

#include "gdi/RealizedFont.h"

namespace win32::gdi {

struct LaidLine {
    std::u32string text;
    int width = 0;
    std::size_t underlineAt = std::u32string::npos;  // index into text, or npos
};

struct LayoutRequest {
    int width = 0;  // of the rectangle, for word wrapping
    bool singleLine = false;
    bool wordBreak = false;
    bool prefixes = true;
    bool showPrefix = true;
    bool expandTabs = false;
    bool endEllipsis = false;  // a line wider than `width` ends in "..." after what fits
};

std::vector<LaidLine> LayOutText(RealizedFont& font, const std::u32string& text,
                                 const LayoutRequest& request);

// Width of `text` from a line's start, with tab stops every eight average characters when
// `expandTabs` is set.
int LineWidth(RealizedFont& font, const std::u32string& text, bool expandTabs);

}  // namespace win32::gdi
