// Fonts and single-line text output.
#include <algorithm>
#include <cstring>
#include <memory>

#include "gdi/DeviceContext.h"
#include "gdi/GdiObjects.h"
#include "gdi/TextRenderer.h"

using win32::gdi::DeviceContext;
using win32::gdi::FindDC;
using win32::gdi::ObjectTable;
using win32::gdi::RealizedFont;

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight,
                  DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet,
                  DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                  LPCSTR pszFaceName) {
    LOGFONTA lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic != 0);
    lf.lfUnderline = static_cast<BYTE>(bUnderline != 0);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut != 0);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName != nullptr)
        std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

HFONT CreateFontIndirectA(const LOGFONTA* lplf) {
    if (lplf == nullptr)
        return nullptr;
    LOGFONTA lf = *lplf;
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(ObjectTable::Instance().Add(std::make_unique<win32::gdi::Font>(lf)));
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || c < 0 || (lpString == nullptr && c > 0))
        return FALSE;
    RealizedFont* font = win32::gdi::SelectedFont(*dc);
    std::u32string text = win32::gdi::DecodeText(lpString, c);
    if (font == nullptr)
        return TRUE;  // the missing font has been reported; nothing to draw with
    UINT align = dc->state.textAlign;
    bool updateCp = (align & TA_UPDATECP) != 0;
    std::int64_t refX = updateCp ? dc->state.position.x : x;
    std::int64_t refY = updateCp ? dc->state.position.y : y;
    int width = font->Measure(text.data(), text.size());

    std::int64_t left = refX;
    if ((align & TA_CENTER) == TA_CENTER)
        left = refX - width / 2;
    else if (align & TA_RIGHT)
        left = refX - width;
    std::int64_t top = refY;
    if ((align & TA_BASELINE) == TA_BASELINE)
        top = refY - font->Ascent();
    else if (align & TA_BOTTOM)
        top = refY - font->Height();

    POINT o = dc->Offset();
    win32::gdi::TextPlacement at{left + o.x, top + o.y};
    win32::gdi::DrawTextRun(*dc, *font, text, at, dc->Clip());

    if (updateCp) {
        if ((align & TA_CENTER) == TA_CENTER) {
            // The current position stays where it was.
        } else if (align & TA_RIGHT) {
            dc->state.position.x = static_cast<LONG>(refX - width);
        } else {
            dc->state.position.x = static_cast<LONG>(refX + width);
        }
    }
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || psizl == nullptr || c < 0 || (lpString == nullptr && c > 0))
        return FALSE;
    RealizedFont* font = win32::gdi::SelectedFont(*dc);
    if (font == nullptr) {
        *psizl = SIZE{0, 0};
        return FALSE;
    }
    std::u32string text = win32::gdi::DecodeText(lpString, c);
    *psizl = SIZE{font->Measure(text.data(), text.size()), font->Height()};
    return TRUE;
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || lptm == nullptr)
        return FALSE;
    RealizedFont* font = win32::gdi::SelectedFont(*dc);
    if (font == nullptr) {
        *lptm = TEXTMETRICA{};
        return FALSE;
    }
    font->FillMetrics(lptm);
    return TRUE;
}
