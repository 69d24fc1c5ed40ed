#include "gdi/TextLayout.h"

#include <algorithm>

namespace win32::gdi {

namespace {

struct Marked {
    std::u32string text;
    std::size_t underlineAt = std::u32string::npos;
};

// '&x' underlines x, '&&' is one '&', a lone '&' at the end vanishes.
Marked StripPrefixes(const std::u32string& text, bool prefixes, bool show) {
    Marked out;
    if (!prefixes) {
        out.text = text;
        return out;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'&') {
            out.text.push_back(text[i]);
            continue;
        }
        if (i + 1 >= text.size())
            break;
        ++i;
        if (text[i] != U'&' && show && out.underlineAt == std::u32string::npos)
            out.underlineAt = out.text.size();
        out.text.push_back(text[i]);
    }
    return out;
}

int TabWidth(RealizedFont& font) {
    return std::max(1, 8 * font.AverageWidth());
}

int Advance(RealizedFont& font, char32_t c, int x, bool expandTabs) {
    if (c == U'\t' && expandTabs) {
        int tab = TabWidth(font);
        return (x / tab + 1) * tab - x;
    }
    return font.GlyphFor(c).advance;
}

bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t';
}

void Emit(RealizedFont& font, const Marked& source, std::size_t from, std::size_t to,
          bool expandTabs, std::vector<LaidLine>* lines) {
    LaidLine line;
    line.text = source.text.substr(from, to - from);
    if (source.underlineAt != std::u32string::npos && source.underlineAt >= from &&
        source.underlineAt < to)
        line.underlineAt = source.underlineAt - from;
    // Spaces at the end of a wrapped line take no room.
    std::u32string measured = line.text;
    while (!measured.empty() && IsSpace(measured.back()))
        measured.pop_back();
    line.width = LineWidth(font, measured, expandTabs);
    lines->push_back(std::move(line));
}

void Wrap(RealizedFont& font, const Marked& para, const LayoutRequest& request,
          std::vector<LaidLine>* lines) {
    const std::u32string& t = para.text;
    std::size_t pos = 0;
    if (t.empty()) {
        Emit(font, para, 0, 0, request.expandTabs, lines);
        return;
    }
    while (pos < t.size()) {
        std::size_t i = pos;
        std::size_t lastBreak = std::u32string::npos;  // just after a run of spaces
        int x = 0;
        while (i < t.size()) {
            int w = Advance(font, t[i], x, request.expandTabs);
            if (IsSpace(t[i])) {
                // A space never pushes a line over: the break falls on it.
                x += w;
                ++i;
                lastBreak = i;
                continue;
            }
            if (x + w > request.width && i > pos)
                break;
            x += w;
            ++i;
        }
        if (i >= t.size()) {
            Emit(font, para, pos, t.size(), request.expandTabs, lines);
            return;
        }
        // Break after the last space, or inside a word that is wider than the line.
        std::size_t end = (lastBreak != std::u32string::npos && lastBreak > pos) ? lastBreak : i;
        Emit(font, para, pos, end, request.expandTabs, lines);
        pos = end;
        while (pos < t.size() && t[pos] == U' ')
            ++pos;
    }
}

// The lines as they come, before any is shortened.
std::vector<LaidLine> LayOutLines(RealizedFont& font, const std::u32string& text,
                                  const LayoutRequest& request) {
    Marked all = StripPrefixes(text, request.prefixes, request.showPrefix);
    std::vector<LaidLine> lines;
    if (request.singleLine) {
        Marked flat;
        for (std::size_t i = 0; i < all.text.size(); ++i) {
            if (all.text[i] == U'\r' || all.text[i] == U'\n')
                continue;
            if (i == all.underlineAt)
                flat.underlineAt = flat.text.size();
            flat.text.push_back(all.text[i]);
        }
        Emit(font, flat, 0, flat.text.size(), request.expandTabs, &lines);
        return lines;
    }
    // Paragraphs end at CR LF, LF or CR; a break at the very end opens no new line.
    std::size_t start = 0;
    std::size_t i = 0;
    auto paragraph = [&](std::size_t from, std::size_t to) {
        Marked para;
        para.text = all.text.substr(from, to - from);
        if (all.underlineAt != std::u32string::npos && all.underlineAt >= from &&
            all.underlineAt < to)
            para.underlineAt = all.underlineAt - from;
        if (request.wordBreak)
            Wrap(font, para, request, &lines);
        else
            Emit(font, para, 0, para.text.size(), request.expandTabs, &lines);
    };
    while (i < all.text.size()) {
        char32_t c = all.text[i];
        if (c != U'\r' && c != U'\n') {
            ++i;
            continue;
        }
        paragraph(start, i);
        i += (c == U'\r' && i + 1 < all.text.size() && all.text[i + 1] == U'\n') ? 2 : 1;
        start = i;
    }
    if (start < all.text.size())
        paragraph(start, all.text.size());
    return lines;
}

// Cuts a line that is too wide back to the longest start that fits with "..." after it;
// "..." alone when none does.
void EndWithEllipsis(RealizedFont& font, int width, bool expandTabs, LaidLine* line) {
    if (line->width <= width)
        return;
    const std::u32string ellipsis = U"...";
    std::size_t kept = line->text.size();
    std::u32string cut;
    do {
        --kept;
        cut = line->text.substr(0, kept) + ellipsis;
    } while (kept > 0 && LineWidth(font, cut, expandTabs) > width);
    line->text = cut;
    line->width = LineWidth(font, cut, expandTabs);
    if (line->underlineAt != std::u32string::npos && line->underlineAt >= kept)
        line->underlineAt = std::u32string::npos;
}

}  // namespace

int LineWidth(RealizedFont& font, const std::u32string& text, bool expandTabs) {
    int x = 0;
    for (char32_t c : text)
        x += Advance(font, c, x, expandTabs);
    return x;
}

std::vector<LaidLine> LayOutText(RealizedFont& font, const std::u32string& text,
                                 const LayoutRequest& request) {
    std::vector<LaidLine> lines = LayOutLines(font, text, request);
    if (request.endEllipsis) {
        for (LaidLine& line : lines)
            EndWithEllipsis(font, request.width, request.expandTabs, &line);
    }
    return lines;
}

}  // namespace win32::gdi
