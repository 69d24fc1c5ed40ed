#include "gdi/StockObjects.h"

#include <array>
#include <cstring>
#include <memory>

#include "gdi/Bitmap.h"
#include "gdi/GdiObjects.h"

namespace win32::gdi {

namespace {

constexpr int kSystemColorCount = 29;

// The classic grey scheme of 16-bit desktops of the time.
constexpr std::array<COLORREF, kSystemColorCount> kSystemColors = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(192, 192, 192),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(192, 192, 192),  // 25: unused, as on the desktops of the time
    RGB(0, 0, 255),      // COLOR_HOTLIGHT
    RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
};

template <typename Handle>
Handle MakeStock(std::unique_ptr<GdiObject> object) {
    object->stock = true;
    return static_cast<Handle>(ObjectTable::Instance().Add(std::move(object)));
}

LOGFONTA DefaultLogFont() {
    LOGFONTA lf{};
    lf.lfHeight = -16;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(lf.lfFaceName, "Unifont");
    return lf;
}

}  // namespace

HGDIOBJ StockObject(int index) {
    static std::array<HGDIOBJ, 18> objects = [] {
        std::array<HGDIOBJ, 18> made{};
        made[WHITE_BRUSH] = MakeStock<HGDIOBJ>(std::make_unique<Brush>(false, RGB(255, 255, 255)));
        made[LTGRAY_BRUSH] = MakeStock<HGDIOBJ>(std::make_unique<Brush>(false, RGB(192, 192, 192)));
        made[GRAY_BRUSH] = MakeStock<HGDIOBJ>(std::make_unique<Brush>(false, RGB(128, 128, 128)));
        made[DKGRAY_BRUSH] = MakeStock<HGDIOBJ>(std::make_unique<Brush>(false, RGB(64, 64, 64)));
        made[BLACK_BRUSH] = MakeStock<HGDIOBJ>(std::make_unique<Brush>(false, RGB(0, 0, 0)));
        made[NULL_BRUSH] = MakeStock<HGDIOBJ>(std::make_unique<Brush>(true, RGB(0, 0, 0)));
        made[WHITE_PEN] =
            MakeStock<HGDIOBJ>(std::make_unique<Pen>(PS_SOLID, 1, RGB(255, 255, 255)));
        made[BLACK_PEN] = MakeStock<HGDIOBJ>(std::make_unique<Pen>(PS_SOLID, 1, RGB(0, 0, 0)));
        made[NULL_PEN] = MakeStock<HGDIOBJ>(std::make_unique<Pen>(PS_NULL, 1, RGB(0, 0, 0)));
        // Every stock font is the default font: a 16-pixel face covering Latin and Hangul.
        HGDIOBJ font = MakeStock<HGDIOBJ>(std::make_unique<Font>(DefaultLogFont()));
        for (int i : {OEM_FIXED_FONT, ANSI_FIXED_FONT, ANSI_VAR_FONT, SYSTEM_FONT,
                      DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT}) {
            made[static_cast<std::size_t>(i)] = font;
        }
        return made;
    }();
    if (index < 0 || index >= static_cast<int>(objects.size()))
        return nullptr;
    return objects[static_cast<std::size_t>(index)];
}

HBITMAP DefaultBitmap() {
    static HBITMAP bitmap = [] {
        Surface layout;  // 32-bit
        Bitmap* created = nullptr;
        HBITMAP handle = NewBitmap(1, 1, layout, nullptr, 0, false, &created);
        if (created != nullptr)
            created->stock = true;
        return handle;
    }();
    return bitmap;
}

bool SystemColor(int index, COLORREF* color) {
    if (index < 0 || index >= kSystemColorCount)
        return false;
    *color = kSystemColors[static_cast<std::size_t>(index)];
    return true;
}

}  // namespace win32::gdi

DWORD GetSysColor(int nIndex) {
    COLORREF color = 0;
    win32::gdi::SystemColor(nIndex, &color);
    return color;
}

HBRUSH GetSysColorBrush(int nIndex) {
    using namespace win32::gdi;
    static std::array<HBRUSH, kSystemColorCount> brushes{};
    COLORREF color;
    if (!SystemColor(nIndex, &color))
        return nullptr;
    HBRUSH& brush = brushes[static_cast<std::size_t>(nIndex)];
    if (brush == nullptr)
        brush = MakeStock<HBRUSH>(std::make_unique<Brush>(false, color));
    return brush;
}

HGDIOBJ GetStockObject(int i) {
    return win32::gdi::StockObject(i);
}
