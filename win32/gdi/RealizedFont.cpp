#include "gdi/RealizedFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace win32::gdi {

namespace {

int CeilPixels(FT_Pos value) {
    return static_cast<int>((value + 63) >> 6);
}

bool IsControl(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

}  // namespace

bool FaceSource::Covers(char32_t c) const {
    if (coverage.empty())
        return true;
    auto it =
        std::upper_bound(coverage.begin(), coverage.end(), c,
                         [](char32_t value, const auto& range) { return value < range.first; });
    return it != coverage.begin() && c <= std::prev(it)->second;
}

RealizedFont::RealizedFont(FT_Library library, std::vector<FaceSource> sources, const Style& style)
    : library_(library), sources_(std::move(sources)), style_(style) {
    faces_.assign(sources_.size(), nullptr);
    faceTried_.assign(sources_.size(), false);
}

RealizedFont::~RealizedFont() {
    for (FT_Face face : faces_) {
        if (face != nullptr)
            FT_Done_Face(face);
    }
}

std::unique_ptr<RealizedFont> RealizedFont::Open(FT_Library library, const FaceSource& primary,
                                                 std::vector<FaceSource> fallbacks,
                                                 const Style& style) {
    std::vector<FaceSource> sources;
    sources.push_back(primary);
    sources.front().coverage.clear();
    for (FaceSource& f : fallbacks)
        sources.push_back(std::move(f));
    std::unique_ptr<RealizedFont> font(new RealizedFont(library, std::move(sources), style));
    FT_Face face = font->FaceAt(0);
    if (face == nullptr)
        return nullptr;
    font->ascent_ = CeilPixels(face->size->metrics.ascender);
    font->descent_ = CeilPixels(-face->size->metrics.descender);
    if (font->ascent_ + font->descent_ <= 0) {
        font->ascent_ = style.pixelSize;
        font->descent_ = 0;
    }
    font->maxWidth_ = CeilPixels(face->size->metrics.max_advance);
    font->fixedPitch_ = FT_IS_FIXED_WIDTH(face);
    font->averageWidth_ = font->GlyphFor(U'x').advance;
    if (font->averageWidth_ <= 0)
        font->averageWidth_ = std::max(1, style.pixelSize / 2);
    return font;
}

FT_Face RealizedFont::FaceAt(std::size_t slot) {
    if (faceTried_[slot])
        return faces_[slot];
    faceTried_[slot] = true;
    FT_Face face = nullptr;
    const FaceSource& source = sources_[slot];
    if (FT_New_Face(library_, source.file.c_str(), source.index, &face) != 0)
        return nullptr;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(style_.pixelSize)) != 0 &&
        face->num_fixed_sizes > 0) {
        // A bitmap-only face: its nearest strike.
        int best = 0;
        for (int i = 1; i < face->num_fixed_sizes; ++i) {
            if (std::abs(face->available_sizes[i].height - style_.pixelSize) <
                std::abs(face->available_sizes[best].height - style_.pixelSize))
                best = i;
        }
        FT_Select_Size(face, best);
    }
    faces_[slot] = face;
    return face;
}

const Glyph& RealizedFont::GlyphFor(char32_t c) {
    if (c < ascii_.size() && ascii_[c] != nullptr)
        return *ascii_[c];
    auto found = glyphs_.find(c);
    if (found == glyphs_.end())
        found = glyphs_.emplace(c, Render(c)).first;
    // Nodes of an unordered_map never move, so the pointer stays good.
    if (c < ascii_.size())
        ascii_[c] = &found->second;
    return found->second;
}

Glyph RealizedFont::Render(char32_t c) {
    Glyph glyph;
    if (IsControl(c))
        return glyph;
    FT_Face face = nullptr;
    FT_UInt index = 0;
    for (std::size_t slot = 0; slot < sources_.size() && index == 0; ++slot) {
        if (slot > 0 && !sources_[slot].Covers(c))
            continue;
        FT_Face candidate = FaceAt(slot);
        if (candidate == nullptr)
            continue;
        FT_UInt candidateIndex = FT_Get_Char_Index(candidate, c);
        if (candidateIndex != 0) {
            face = candidate;
            index = candidateIndex;
        }
    }
    if (face == nullptr)
        face = FaceAt(0);  // its missing-glyph box
    if (face == nullptr)
        return glyph;
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0)
        return glyph;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (style_.emboldenGlyphs)
            FT_GlyphSlot_Embolden(slot);
        if (style_.slantGlyphs)
            FT_GlyphSlot_Oblique(slot);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const FT_Bitmap& bitmap = slot->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* bits = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        auto y = static_cast<std::int16_t>(static_cast<int>(row) - slot->bitmap_top);
        int runStart = -1;
        for (unsigned col = 0; col <= bitmap.width; ++col) {
            bool set = false;
            if (col < bitmap.width) {
                if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
                    set = (bits[col / 8] >> (7 - col % 8)) & 1;
                else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
                    set = bits[col] >= 128;
            }
            if (set && runStart < 0) {
                runStart = static_cast<int>(col);
            } else if (!set && runStart >= 0) {
                glyph.runs.push_back(
                    GlyphRun{y, static_cast<std::int16_t>(slot->bitmap_left + runStart),
                             static_cast<std::int16_t>(slot->bitmap_left + static_cast<int>(col))});
                runStart = -1;
            }
        }
    }
    if (!glyph.runs.empty()) {
        glyph.left = glyph.top = INT16_MAX;
        glyph.right = glyph.bottom = INT16_MIN;
        for (const GlyphRun& run : glyph.runs) {
            glyph.left = std::min(glyph.left, run.x0);
            glyph.right = std::max(glyph.right, run.x1);
            glyph.top = std::min(glyph.top, run.y);
            glyph.bottom = std::max(glyph.bottom, static_cast<std::int16_t>(run.y + 1));
        }
    }
    return glyph;
}

int RealizedFont::Measure(const char32_t* text, std::size_t length) {
    int width = 0;
    for (std::size_t i = 0; i < length; ++i)
        width += GlyphFor(text[i]).advance;
    return width;
}

void RealizedFont::FillMetrics(TEXTMETRICA* tm) const {
    *tm = TEXTMETRICA{};
    tm->tmHeight = Height();
    tm->tmAscent = ascent_;
    tm->tmDescent = descent_;
    tm->tmInternalLeading = std::max(0, Height() - style_.pixelSize);
    tm->tmExternalLeading = 0;
    tm->tmAveCharWidth = averageWidth_;
    tm->tmMaxCharWidth = std::max(maxWidth_, averageWidth_);
    tm->tmWeight = style_.weight;
    tm->tmOverhang = 0;
    tm->tmDigitizedAspectX = 96;
    tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = '?';
    tm->tmBreakChar = ' ';
    tm->tmItalic = style_.italic ? 1 : 0;
    tm->tmUnderlined = style_.underline ? 1 : 0;
    tm->tmStruckOut = style_.strikeOut ? 1 : 0;
    // TMPF_FIXED_PITCH (set for variable pitch, as GDI has it), TMPF_VECTOR, TMPF_TRUETYPE.
    tm->tmPitchAndFamily = static_cast<BYTE>((fixedPitch_ ? 0 : 0x01) | 0x02 | 0x04);
    tm->tmCharSet = style_.charSet;
}

}  // namespace win32::gdi
