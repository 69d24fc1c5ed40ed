#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "gdi/faces/FaceFinder.h"

// Where there is no font configuration (a web page), the faces are the font files in one
// folder, put there by whoever starts the runner.
#ifndef NUVIK_FONT_DIR
#define NUVIK_FONT_DIR "/fonts"
#endif

namespace win32::gdi::faces {

namespace {

struct KnownFace {
    FaceSource source;
    std::string family;
    bool bold = false;
    bool slanted = false;
    bool hasHangul = false;
};

std::vector<KnownFace>& Known() {
    static std::vector<KnownFace> faces;
    return faces;
}

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void Add(FT_Library library, const std::string& file) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), 0, &face) != 0)
        return;
    KnownFace known;
    known.source.file = file;
    known.family = face->family_name != nullptr ? face->family_name : "";
    known.bold = (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    known.slanted = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
    // The first and last syllables of the Hangul block.
    known.hasHangul = FT_Get_Char_Index(face, 0xAC00) != 0 && FT_Get_Char_Index(face, 0xD7A3) != 0;
    FT_Done_Face(face);
    Known().push_back(std::move(known));
}

}  // namespace

bool Start() {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(NUVIK_FONT_DIR, error)) {
        std::string extension = Lowercase(entry.path().extension().string());
        if (extension == ".otf" || extension == ".ttf")
            files.push_back(entry.path().string());
    }
    // Directory order is the file system's: the file names decide which face comes first.
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        Add(library, file);
    FT_Done_FreeType(library);
    return true;
}

void Stop() {
    Known().clear();
}

const char* Name() {
    return "the fonts in " NUVIK_FONT_DIR;
}

bool Find(const FaceRequest& request, FaceChoice* choice, std::string* why) {
    const std::vector<KnownFace>& known = Known();
    if (known.empty()) {
        *why = "there are no font files in " NUVIK_FONT_DIR;
        return false;
    }
    // The face named, else one with Hangul when the Hangeul character set asks for it, else
    // the first.
    auto chosen = std::find_if(known.begin(), known.end(), [&](const KnownFace& face) {
        return Lowercase(face.family) == Lowercase(request.family);
    });
    if (chosen == known.end() && request.hangul) {
        chosen = std::find_if(known.begin(), known.end(),
                              [](const KnownFace& face) { return face.hasHangul; });
    }
    if (chosen == known.end())
        chosen = known.begin();
    choice->primary = chosen->source;
    choice->familyName = chosen->family;
    choice->boldFace = chosen->bold;
    choice->slantedFace = chosen->slanted;
    for (auto face = known.begin(); face != known.end(); ++face) {
        if (face != chosen)
            choice->fallbacks.push_back(face->source);
    }
    return true;
}

}  // namespace win32::gdi::faces
