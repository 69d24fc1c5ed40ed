// DrawTextA: formatted text in a rectangle.
#include <algorithm>

#include "gdi/DeviceContext.h"
#include "gdi/Raster.h"
#include "gdi/TextLayout.h"
#include "gdi/TextRenderer.h"

using win32::gdi::DeviceContext;
using win32::gdi::FindDC;
using win32::gdi::LaidLine;
using win32::gdi::RealizedFont;

int DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    DeviceContext* dc = FindDC(hdc);
    if (dc == nullptr || lprc == nullptr || (lpchText == nullptr && cchText != 0))
        return 0;
    RealizedFont* font = win32::gdi::SelectedFont(*dc);
    if (font == nullptr)
        return 0;
    std::u32string text = win32::gdi::DecodeText(lpchText, cchText);

    win32::gdi::LayoutRequest request;
    request.width = static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{lprc->right} - lprc->left, 0, 0x7FFFFFFF));
    request.singleLine = (format & DT_SINGLELINE) != 0;
    request.wordBreak = (format & DT_WORDBREAK) != 0;
    request.prefixes = (format & DT_NOPREFIX) == 0;
    request.showPrefix = (format & DT_HIDEPREFIX) == 0;
    request.expandTabs = (format & DT_EXPANDTABS) != 0;
    request.endEllipsis = (format & DT_END_ELLIPSIS) != 0;
    std::vector<LaidLine> lines;
    if (!text.empty() || request.singleLine)
        lines = win32::gdi::LayOutText(*font, text, request);

    int lineHeight = font->Height();
    int textHeight = lineHeight * static_cast<int>(lines.size());
    int widest = 0;
    for (const LaidLine& line : lines)
        widest = std::max(widest, line.width);

    if (format & DT_CALCRECT) {
        lprc->right = lprc->left + widest;
        lprc->bottom = lprc->top + textHeight;
        return textHeight;
    }

    std::int64_t top = lprc->top;
    if (request.singleLine) {
        if (format & DT_VCENTER)
            top = lprc->top + (std::int64_t{lprc->bottom} - lprc->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            top = std::int64_t{lprc->bottom} - lineHeight;
    }
    POINT o = dc->Offset();
    win32::RectSet clip = dc->Clip();
    if (!(format & DT_NOCLIP)) {
        win32::gdi::Box box = win32::gdi::DeviceBox(*dc, *lprc);
        const RECT everything{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};
        clip.Intersect(win32::gdi::ClipBox(box, everything));
    }
    std::int64_t y = top;
    for (const LaidLine& line : lines) {
        std::int64_t x = lprc->left;
        if (format & DT_CENTER)
            x = lprc->left + (std::int64_t{lprc->right} - lprc->left - line.width) / 2;
        else if (format & DT_RIGHT)
            x = std::int64_t{lprc->right} - line.width;
        win32::gdi::TextPlacement at{x + o.x, y + o.y};
        if (request.expandTabs && line.text.find(U'\t') != std::u32string::npos) {
            // Segment by segment, each starting at its tab stop.
            std::size_t from = 0;
            while (from <= line.text.size()) {
                std::size_t tab = line.text.find(U'\t', from);
                std::size_t to = tab == std::u32string::npos ? line.text.size() : tab;
                std::u32string segment = line.text.substr(from, to - from);
                std::u32string before = line.text.substr(0, from);
                win32::gdi::TextPlacement segmentAt{
                    at.x + win32::gdi::LineWidth(*font, before, true), at.top};
                std::size_t underline = (line.underlineAt >= from && line.underlineAt < to)
                                            ? line.underlineAt - from
                                            : std::u32string::npos;
                win32::gdi::DrawTextRun(*dc, *font, segment, segmentAt, clip, underline);
                if (tab == std::u32string::npos)
                    break;
                from = tab + 1;
            }
        } else {
            win32::gdi::DrawTextRun(*dc, *font, line.text, at, clip, line.underlineAt);
        }
        y += lineHeight;
    }
    if (request.singleLine && (format & (DT_VCENTER | DT_BOTTOM)))
        return static_cast<int>(top - lprc->top + lineHeight);
    return textHeight;
}
