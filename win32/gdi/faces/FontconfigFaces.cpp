#include "gdi/faces/FaceFinder.h"

#include <fontconfig/fontconfig.h>

namespace win32::gdi::faces {

namespace {

// The character GDI's Hangeul character set stands for, and what a face must cover for it.
constexpr char32_t kHangulFirst = 0xAC00;
constexpr char32_t kHangulLast = 0xD7A3;

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

}  // namespace

bool Start() {
    return FcInit() == FcTrue;
}

void Stop() {
    FcFini();
}

const char* Name() {
    return "fontconfig";
}

bool Find(const FaceRequest& request, FaceChoice* choice, std::string* why) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(request.family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, request.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (request.hangul)
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ko"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
    FcPattern* chosen = nullptr;
    if (sorted != nullptr && sorted->nfont > 0) {
        chosen = sorted->fonts[0];
        // The Hangeul character set asks for a face that has Hangul, not merely a fallback.
        if (request.hangul) {
            for (int i = 0; i < sorted->nfont; ++i) {
                if (CoversHangul(sorted->fonts[i])) {
                    chosen = sorted->fonts[i];
                    break;
                }
            }
        }
    }

    bool found = chosen != nullptr && SourceOf(chosen, &choice->primary);
    if (!found) {
        *why = "fontconfig knows no fonts at all";
    } else {
        for (int i = 0; i < sorted->nfont; ++i) {
            FaceSource source;
            if (sorted->fonts[i] != chosen && SourceOf(sorted->fonts[i], &source))
                choice->fallbacks.push_back(std::move(source));
        }
        int weight = 0;
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(chosen, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(chosen, FC_SLANT, 0, &slant);
        choice->familyName = FamilyName(chosen);
        choice->boldFace = weight >= FC_WEIGHT_DEMIBOLD;
        choice->slantedFace = slant != FC_SLANT_ROMAN;
    }
    if (sorted != nullptr)
        FcFontSetDestroy(sorted);
    FcPatternDestroy(pattern);
    return found;
}

}  // namespace win32::gdi::faces
