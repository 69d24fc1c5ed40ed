#include "gdi/FontLibrary.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "gdi/faces/FaceFinder.h"
#include "win32/platform/Diagnostics.h"

namespace win32::gdi {

namespace {

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
        faces::Stop();
}

bool FontLibrary::Start() {
    if (started_)
        return !startFailed_;
    started_ = true;
    if (!faces::Start() || FT_Init_FreeType(&library_) != 0) {
        startFailed_ = true;
        std::fprintf(stderr,
                     "GDI: the font system (%s, FreeType) could not start: text is not drawn\n",
                     faces::Name());
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

    faces::FaceChoice choice;
    std::string why;
    if (!faces::Find({family, bold, lf.lfItalic != 0, IsHangulCharset(lf)}, &choice, &why)) {
        ReportMissing(family, why);
        return nullptr;
    }
    if (wantsDefault && Lowercase(choice.familyName).find("unifont") == std::string::npos) {
        ReportMissing(
            family, std::string(faces::Name()) + " offered \"" + choice.familyName + "\" instead");
        return nullptr;
    }
    RealizedFont::Style style;
    style.pixelSize = PixelSizeFor(lf, choice.primary, library_);
    style.weight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
    style.emboldenGlyphs = bold && !choice.boldFace;
    style.slantGlyphs = lf.lfItalic && !choice.slantedFace;
    style.italic = lf.lfItalic != 0;
    style.underline = lf.lfUnderline != 0;
    style.strikeOut = lf.lfStrikeOut != 0;
    style.charSet = lf.lfCharSet;
    std::unique_ptr<RealizedFont> font =
        RealizedFont::Open(library_, choice.primary, std::move(choice.fallbacks), style);
    if (font == nullptr)
        ReportMissing(family, "FreeType cannot open " + choice.primary.file);
    return font;
}

}  // namespace win32::gdi
