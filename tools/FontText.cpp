#include "tools/FontText.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <strings.h>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace nuvik::tools {

std::string FindLabelFont(std::string* error) {
    std::string wanted = std::string(kLabelFontFamily) + ":style=" + kLabelFontStyle;
    std::string missing = "the font " + std::string(kLabelFontFamily) + " " + kLabelFontStyle +
                          " was not found; install the Debian package " + kLabelFontPackage +
                          " (apt-get install " + kLabelFontPackage + ")";
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        *error = "fontconfig could not load its configuration; " + missing;
        return {};
    }
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(wanted.c_str()));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::string file;
    if (match != nullptr) {
        FcChar8* family = nullptr;
        FcChar8* path = nullptr;
        int weight = 0;
        bool sameFamily = FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
                          strcasecmp(reinterpret_cast<const char*>(family), kLabelFontFamily) == 0;
        bool bold = FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch &&
                    weight == FC_WEIGHT_BOLD;
        if (sameFamily && bold && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
            file = reinterpret_cast<const char*>(path);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    if (file.empty())
        *error = missing;
    return file;
}

struct FontText::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Library() {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
};

FontText::FontText(const std::string& fontFile) : library_(std::make_unique<Library>()) {
    if (FT_Init_FreeType(&library_->library) != 0)
        throw std::runtime_error("FreeType could not start");
    if (FT_New_Face(library_->library, fontFile.c_str(), 0, &library_->face) != 0)
        throw std::runtime_error("FreeType could not open the font " + fontFile);
}

FontText::~FontText() = default;

TextMask FontText::Render(std::string_view text, int pixelSize, int tracking) const {
    FT_Face face = library_->face;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0)
        throw std::runtime_error("the font has no size " + std::to_string(pixelSize));
    // Lay the glyphs out on a scratch mask with room around the baseline, then crop to ink.
    int scratchWidth = static_cast<int>(text.size()) * (pixelSize * 2 + tracking) + 2;
    int scratchHeight = pixelSize * 3;
    int baseline = pixelSize * 2;
    std::vector<std::uint8_t> scratch(
        static_cast<std::size_t>(scratchWidth) * static_cast<std::size_t>(scratchHeight), 0);
    int penX = 1;
    for (char letter : text) {
        if (FT_Load_Char(face, static_cast<unsigned char>(letter),
                         FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
            throw std::runtime_error(std::string("the font has no glyph for '") + letter + "'");
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned column = 0; column < bitmap.width; ++column) {
                int x = penX + glyph->bitmap_left + static_cast<int>(column);
                int y = baseline - glyph->bitmap_top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= scratchWidth || y >= scratchHeight)
                    continue;
                std::uint8_t& pixel = scratch[static_cast<std::size_t>(y) * scratchWidth +
                                              static_cast<std::size_t>(x)];
                pixel =
                    std::max(pixel, bitmap.buffer[static_cast<std::ptrdiff_t>(row) * bitmap.pitch +
                                                  static_cast<std::ptrdiff_t>(column)]);
            }
        }
        penX += static_cast<int>((glyph->advance.x + 32) >> 6) + tracking;
    }
    int left = scratchWidth;
    int top = scratchHeight;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < scratchHeight; ++y) {
        for (int x = 0; x < scratchWidth; ++x) {
            if (scratch[static_cast<std::size_t>(y) * scratchWidth + x] != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    TextMask mask;
    if (right < 0)
        return mask;
    mask.width = right - left + 1;
    mask.height = bottom - top + 1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x)
            mask.coverage.push_back(scratch[static_cast<std::size_t>(y) * scratchWidth + x]);
    }
    return mask;
}

void DrawText(Canvas& canvas, const TextMask& text, int left, int top, Colour colour,
              float opacity) {
    for (int y = 0; y < text.height; ++y) {
        for (int x = 0; x < text.width; ++x) {
            float cover = text.coverage[static_cast<std::size_t>(y * text.width + x)] / 255.0f;
            canvas.Blend(left + x, top + y, colour, cover * opacity);
        }
    }
}

void DrawTextCentred(Canvas& canvas, const TextMask& text, float centreX, float centreY,
                     Colour colour, float opacity) {
    int left = static_cast<int>(std::floor(centreX - static_cast<float>(text.width) / 2 + 0.5f));
    int top = static_cast<int>(std::floor(centreY - static_cast<float>(text.height) / 2 + 0.5f));
    DrawText(canvas, text, left, top, colour, opacity);
}

}  // namespace nuvik::tools
