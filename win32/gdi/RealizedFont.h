// A logical font made concrete: FreeType faces at one pixel size (the matched face first, then
// faces that cover what it lacks), the text metrics, and a cache of monochrome glyphs kept as
// horizontal runs, so that drawing a cached glyph is a handful of row fills.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "win32/constants.h"
#include "win32/types.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace win32::gdi {

struct GlyphRun {
    std::int16_t y;   // row relative to the baseline (negative: above it)
    std::int16_t x0;  // columns [x0, x1) relative to the pen position
    std::int16_t x1;
};

struct Glyph {
    int advance = 0;
    std::vector<GlyphRun> runs;
    // The box around every run, relative to the pen position and the baseline: a glyph that
    // lies wholly inside one clip rectangle is drawn without clipping each run.
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
};

// Where a face lives on disk, and (for faces beyond the first) which characters it covers.
struct FaceSource {
    std::string file;
    int index = 0;
    std::vector<std::pair<char32_t, char32_t>> coverage;  // sorted ranges; empty: unknown
    bool Covers(char32_t c) const;
};

class RealizedFont {
  public:
    struct Style {
        int pixelSize = 16;  // the em in pixels
        int weight = FW_NORMAL;
        bool emboldenGlyphs = false;  // the face is lighter than asked for
        bool slantGlyphs = false;     // the face is upright but italic was asked for
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        BYTE charSet = DEFAULT_CHARSET;
    };

    // Null when the face cannot be opened.
    static std::unique_ptr<RealizedFont> Open(FT_Library library, const FaceSource& primary,
                                              std::vector<FaceSource> fallbacks,
                                              const Style& style);
    ~RealizedFont();
    RealizedFont(const RealizedFont&) = delete;
    RealizedFont& operator=(const RealizedFont&) = delete;

    const Glyph& GlyphFor(char32_t c);
    int Measure(const char32_t* text, std::size_t length);

    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    int Height() const { return ascent_ + descent_; }
    int AverageWidth() const { return averageWidth_; }
    const Style& GetStyle() const { return style_; }
    void FillMetrics(TEXTMETRICA* metrics) const;

  private:
    RealizedFont(FT_Library library, std::vector<FaceSource> fallbacks, const Style& style);
    FT_Face FaceAt(std::size_t slot);  // 0: the primary face; opened on first use
    Glyph Render(char32_t c);

    FT_Library library_;
    std::vector<FaceSource> sources_;
    std::vector<FT_Face> faces_;
    std::vector<bool> faceTried_;
    Style style_;
    int ascent_ = 0;
    int descent_ = 0;
    int averageWidth_ = 0;
    int maxWidth_ = 0;
    bool fixedPitch_ = false;
    std::array<const Glyph*, 128> ascii_{};
    std::unordered_map<char32_t, Glyph> glyphs_;
};

}  // namespace win32::gdi
