#include "gdi/TextRenderer.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "gdi/FontLibrary.h"
#include "gdi/GdiObjects.h"
#include "gdi/Raster.h"
#include "win32/platform/Diagnostics.h"

namespace win32::gdi {

namespace {

RECT FillClipped(const Surface& target, const RectSet& clip, const Box& box, DWORD value) {
    RECT touched{0, 0, 0, 0};
    if (box.IsEmpty())
        return touched;
    for (const RECT& c : clip) {
        RECT piece = ClipBox(box, c);
        if (IsEmptyRect(piece))
            continue;
        for (int y = piece.top; y < piece.bottom; ++y)
            FillSpan(target, y, piece.left, piece.right, value);
        touched = BoundingUnion(touched, piece);
    }
    return touched;
}

bool WhollyInside(const Glyph& glyph, std::int64_t pen, std::int64_t baseline,
                  const RectSet& reach) {
    for (const RECT& r : reach) {
        if (pen + glyph.left >= r.left && pen + glyph.right <= r.right &&
            baseline + glyph.top >= r.top && baseline + glyph.bottom <= r.bottom)
            return true;
    }
    return false;
}

// Glyph runs as row fills. Runs are short (a few pixels), so the common layouts write their
// pixels in place rather than through a general span fill.
template <typename Pixel>
void DrawGlyphs(const Surface& target, RealizedFont& font, const std::u32string& text,
                std::int64_t pen, std::int64_t baseline, const RectSet& reach, DWORD ink) {
    for (char32_t c : text) {
        const Glyph& glyph = font.GlyphFor(c);
        if constexpr (!std::is_void_v<Pixel>) {
            if (!glyph.runs.empty() && WhollyInside(glyph, pen, baseline, reach)) {
                auto value = static_cast<Pixel>(ink);
                for (const GlyphRun& run : glyph.runs) {
                    std::uint8_t* row = target.Row(static_cast<int>(baseline + run.y));
                    for (std::int64_t x = pen + run.x0; x < pen + run.x1; ++x)
                        std::memcpy(row + x * static_cast<std::int64_t>(sizeof(Pixel)), &value,
                                    sizeof(Pixel));
                }
                pen += glyph.advance;
                continue;
            }
        }
        for (const GlyphRun& run : glyph.runs) {
            std::int64_t y = baseline + run.y;
            std::int64_t x0 = pen + run.x0;
            std::int64_t x1 = pen + run.x1;
            for (const RECT& r : reach) {
                if (y < r.top || y >= r.bottom)
                    continue;
                auto left = static_cast<int>(std::max<std::int64_t>(x0, r.left));
                auto right = static_cast<int>(std::min<std::int64_t>(x1, r.right));
                if (left >= right)
                    continue;
                if constexpr (std::is_void_v<Pixel>) {
                    FillSpan(target, static_cast<int>(y), left, right, ink);
                } else {
                    std::uint8_t* row = target.Row(static_cast<int>(y));
                    auto value = static_cast<Pixel>(ink);
                    for (int x = left; x < right; ++x)
                        std::memcpy(row + static_cast<std::ptrdiff_t>(x) * sizeof(Pixel), &value,
                                    sizeof(Pixel));
                }
            }
        }
        pen += glyph.advance;
    }
}

}  // namespace

RealizedFont* SelectedFont(DeviceContext& dc) {
    Font* font = ObjectTable::Instance().FindAs<Font>(dc.state.font);
    if (font == nullptr)
        return nullptr;
    if (!font->resolved) {
        font->realized = FontLibrary::Instance().Realize(font->logFont);
        font->resolved = true;
    }
    return font->realized;
}

std::u32string DecodeText(const char* text, int length) {
    if (text == nullptr)
        return {};
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    return diagnostics::DecodeCp949(text, length);
}

void DrawTextRun(DeviceContext& dc, RealizedFont& font, const std::u32string& text,
                 const TextPlacement& at, const RectSet& clip, std::size_t underlineAt) {
    const Surface& target = dc.Target();
    if (clip.IsEmpty() || target.IsEmpty())
        return;
    PixelCodec codec(target);
    DWORD ink = codec.Pack(dc.state.textColor);
    std::int64_t baseline = at.top + font.Ascent();
    std::int64_t width = font.Measure(text.data(), text.size());
    RECT touched{0, 0, 0, 0};
    if (dc.state.bkMode == OPAQUE) {
        Box background{at.x, at.top, at.x + width, at.top + font.Height()};
        touched = FillClipped(target, clip, background, codec.Pack(dc.state.bkColor));
    }

    // Glyphs stay within a generous box around the cells (overhangs, tall fallback glyphs);
    // only the clip rectangles within it are tested per glyph run, and the box bounds what
    // is reported as drawn.
    std::int64_t margin = 2 * std::int64_t{font.GetStyle().pixelSize};
    Box runBox{at.x - margin, at.top - margin, at.x + width + margin,
               at.top + font.Height() + margin};
    RectSet reach = clip;
    reach.Intersect(ClipBox(runBox, clip.Bounds()));
    switch (target.bitsPerPixel) {
        case 16:
            DrawGlyphs<std::uint16_t>(target, font, text, at.x, baseline, reach, ink);
            break;
        case 32:
            DrawGlyphs<std::uint32_t>(target, font, text, at.x, baseline, reach, ink);
            break;
        default:
            DrawGlyphs<void>(target, font, text, at.x, baseline, reach, ink);
            break;
    }
    for (const RECT& r : reach)
        touched = BoundingUnion(touched, r);

    // Lines under or through the text sit a little below the baseline and at a third of the
    // ascent, a pixel thick per 16 pixels of em.
    int thickness = std::max(1, font.GetStyle().pixelSize / 16);
    std::int64_t underlineY = baseline + std::max(1, std::min(font.Descent() - thickness, 2));
    const RealizedFont::Style& style = font.GetStyle();
    if (style.underline)
        touched = BoundingUnion(
            touched, FillClipped(target, reach,
                                 Box{at.x, underlineY, at.x + width, underlineY + thickness}, ink));
    if (style.strikeOut) {
        std::int64_t y = baseline - font.Ascent() / 3;
        touched = BoundingUnion(
            touched, FillClipped(target, reach, Box{at.x, y, at.x + width, y + thickness}, ink));
    }
    if (underlineAt < text.size() && !style.underline) {
        std::int64_t x = at.x + font.Measure(text.data(), underlineAt);
        std::int64_t w = font.GlyphFor(text[underlineAt]).advance;
        touched = BoundingUnion(
            touched, FillClipped(target, reach, Box{x, underlineY, x + w, underlineY + 1}, ink));
    }
    dc.NoteDrawn(touched);
}

}  // namespace win32::gdi
