// The small drawing objects behind HBRUSH, HPEN and HFONT.
#pragma once

#include "gdi/ObjectTable.h"
#include "win32/gdi.h"

namespace win32::gdi {

class RealizedFont;

class Brush : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Brush;
    Brush(bool isNull, COLORREF colorValue)
        : GdiObject(kKind), hollow(isNull), color(colorValue & 0x00FFFFFF) {}

    bool hollow;
    COLORREF color;
};

class Pen : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Pen;
    Pen(int styleValue, int widthValue, COLORREF colorValue)
        : GdiObject(kKind), style(styleValue), width(widthValue), color(colorValue & 0x00FFFFFF) {}

    bool IsNull() const { return style == PS_NULL; }

    int style;
    int width;
    COLORREF color;
};

class Font : public GdiObject {
  public:
    static constexpr ObjectKind kKind = ObjectKind::Font;
    explicit Font(const LOGFONTA& logFontValue) : GdiObject(kKind), logFont(logFontValue) {}

    LOGFONTA logFont;
    // Resolved on first use and owned by the font library's cache.
    RealizedFont* realized = nullptr;
    bool resolved = false;
};

}  // namespace win32::gdi
