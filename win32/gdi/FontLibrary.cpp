#include "gdi/FontLibrary.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "win32/platform/Diagnostics.h"

namespace win32::gdi {

namespace {

// The character GDI's Hangeul character set stands for, and what a face must cover for it.
constexpr char32_t kHangulFirst = 0xAC00;
constexpr char32_t kHangulLast = 0xD7A3;
constexpr int kMaxPixelSize = 512;
constexpr int kDefaultPixelSize = 16;

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string FamilyOf(const LOGFONTA& lf) {
    std::size_t length = strnlen(lf.lfFaceName, LF_FACESIZE);
    if (length == 0)
        return FontLibrary::kDefaultFamily;
    // Face names come from the system's CP949 strings ("굴림").
    return diagnostics::Cp949ToUtf8(std::string(lf.lfFaceName, length));
}

bool IsHangulCharset(const LOGFONTA& lf) {
    return lf.lfCharSet == HANGEUL_CHARSET;
}

std::vector<std::pair<char32_t, char32_t>> CoverageOf(FcCharSet* charset) {
    std::vector<std::pair<char32_t, char32_t>> ranges;
    if (charset == nullptr)
        return ranges;
    FcChar32 map[FC_CHARSET_MAP_SIZE];
    FcChar32 next;
    for (FcChar32 base = FcCharSetFirstPage(charset, map, &next); base != FC_CHARSET_DONE;
         base = FcCharSetNextPage(charset, map, &next)) {
        for (int word = 0; word < FC_CHARSET_MAP_SIZE; ++word) {
            for (int bit = 0; bit < 32; ++bit) {
                if (!((map[word] >> bit) & 1))
                    continue;
                char32_t c = base + static_cast<char32_t>(word * 32 + bit);
                if (!ranges.empty() && ranges.back().second + 1 == c)
                    ranges.back().second = c;
                else
                    ranges.emplace_back(c, c);
            }
        }
    }
    return ranges;
}

bool SourceOf(FcPattern* pattern, FaceSource* source) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || file == nullptr)
        return false;
    int index = 0;
    FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
    source->file = reinterpret_cast<const char*>(file);
    source->index = index;
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(pattern, FC_CHARSET, 0, &charset) == FcResultMatch)
        source->coverage = CoverageOf(charset);
    return true;
}

bool CoversHangul(FcPattern* pattern) {
    FcCharSet* charset = nullptr;
    return FcPatternGetCharSet(pattern, FC_CHARSET, 0, &charset) == FcResultMatch &&
           FcCharSetHasChar(charset, kHangulFirst) && FcCharSetHasChar(charset, kHangulLast);
}

std::string FamilyName(FcPattern* pattern) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch || family == nullptr)
        return {};
    return reinterpret_cast<const char*>(family);
}

// The em in pixels: a negative height is the character height, a positive one the cell height
// (ascent + descent), which needs the face's proportions.
int PixelSizeFor(const LOGFONTA& lf, const FaceSource& source, FT_Library library) {
    if (lf.lfHeight < 0)
        return std::min(-static_cast<std::int64_t>(lf.lfHeight), std::int64_t{kMaxPixelSize});
    if (lf.lfHeight == 0)
        return kDefaultPixelSize;
    int cell = std::min<int>(lf.lfHeight, kMaxPixelSize);
    FT_Face face = nullptr;
    if (FT_New_Face(library, source.file.c_str(), source.index, &face) != 0)
        return cell;
    int em = cell;
    long span = static_cast<long>(face->ascender) - face->descender;
    if (span > 0 && face->units_per_EM > 0)
        em = static_cast<int>((static_cast<long>(cell) * face->units_per_EM + span / 2) / span);
    FT_Done_Face(face);
    return std::max(em, 1);
}

}  // namespace

FontLibrary& FontLibrary::Instance() {
    static FontLibrary library;
    return library;
}

FontLibrary::~FontLibrary() {
    cache_.clear();
    if (library_ != nullptr)
        FT_Done_FreeType(library_);
    if (started_ && !startFailed_)
        FcFini();
}

bool FontLibrary::Start() {
    if (started_)
        return !startFailed_;
    started_ = true;
    if (FcInit() != FcTrue || FT_Init_FreeType(&library_) != 0) {
        startFailed_ = true;
        std::fprintf(stderr,
                     "GDI: the font system (fontconfig, FreeType) could not start: "
                     "text is not drawn\n");
    }
    return !startFailed_;
}

void FontLibrary::ReportMissing(const std::string& family, const std::string& detail) {
    if (reported_[family])
        return;
    reported_[family] = true;
    std::fprintf(stderr,
                 "GDI: no font for \"%s\" (%s). Install the Debian package %s "
                 "(apt-get install %s); until then this text is not drawn.\n",
                 family.c_str(), detail.c_str(), kDefaultPackage, kDefaultPackage);
}

RealizedFont* FontLibrary::Realize(const LOGFONTA& lf) {
    if (!Start())
        return nullptr;
    std::string key = Lowercase(FamilyOf(lf)) + "|" + std::to_string(lf.lfHeight) + "|" +
                      std::to_string(lf.lfWeight >= FW_SEMIBOLD ? 1 : 0) + "|" +
                      std::to_string(lf.lfItalic ? 1 : 0) + std::to_string(lf.lfUnderline ? 1 : 0) +
                      std::to_string(lf.lfStrikeOut ? 1 : 0) + "|" +
                      std::to_string(IsHangulCharset(lf) ? 1 : 0);
    auto found = cache_.find(key);
    if (found == cache_.end())
        found = cache_.emplace(key, Resolve(lf)).first;
    return found->second.get();
}

std::unique_ptr<RealizedFont> FontLibrary::Resolve(const LOGFONTA& lf) {
    std::string family = FamilyOf(lf);
    bool wantsDefault = Lowercase(family) == Lowercase(kDefaultFamily);
    bool bold = lf.lfWeight >= FW_SEMIBOLD;

    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, lf.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (IsHangulCharset(lf))
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ko"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
    FcPattern* chosen = nullptr;
    if (sorted != nullptr && sorted->nfont > 0) {
        chosen = sorted->fonts[0];
        // The Hangeul character set asks for a face that has Hangul, not merely a fallback.
        if (IsHangulCharset(lf)) {
            for (int i = 0; i < sorted->nfont; ++i) {
                if (CoversHangul(sorted->fonts[i])) {
                    chosen = sorted->fonts[i];
                    break;
                }
            }
        }
    }

    std::unique_ptr<RealizedFont> font;
    FaceSource primary;
    if (chosen == nullptr || !SourceOf(chosen, &primary)) {
        ReportMissing(family, "fontconfig knows no fonts at all");
    } else if (wantsDefault && Lowercase(FamilyName(chosen)).find("unifont") == std::string::npos) {
        ReportMissing(family, "fontconfig offered \"" + FamilyName(chosen) + "\" instead");
    } else {
        std::vector<FaceSource> fallbacks;
        for (int i = 0; i < sorted->nfont; ++i) {
            FaceSource source;
            if (sorted->fonts[i] != chosen && SourceOf(sorted->fonts[i], &source))
                fallbacks.push_back(std::move(source));
        }
        int weight = 0;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(chosen, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(chosen, FC_SLANT, 0, &slant);
        RealizedFont::Style style;
        style.pixelSize = PixelSizeFor(lf, primary, library_);
        style.weight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
        style.emboldenGlyphs = bold && weight < FC_WEIGHT_DEMIBOLD;
        style.slantGlyphs = lf.lfItalic && slant == FC_SLANT_ROMAN;
        style.italic = lf.lfItalic != 0;
        style.underline = lf.lfUnderline != 0;
        style.strikeOut = lf.lfStrikeOut != 0;
        style.charSet = lf.lfCharSet;
        font = RealizedFont::Open(library_, primary, std::move(fallbacks), style);
        if (font == nullptr)
            ReportMissing(family, "FreeType cannot open " + primary.file);
    }
    if (sorted != nullptr)
        FcFontSetDestroy(sorted);
    FcPatternDestroy(pattern);
    return font;
}

}  // namespace win32::gdi
