// Where the font library gets its faces: the machine's font configuration (fontconfig) on a
// desktop, or font files in one folder where there is no font configuration (the web page's
// file system). Exactly one of the two is linked; FontLibrary turns what it finds into a
// realized font.
#pragma once

#include <string>
#include <vector>

#include "gdi/RealizedFont.h"

namespace win32::gdi::faces {

struct FaceRequest {
    std::string family;  // UTF-8
    bool bold = false;
    bool italic = false;
    bool hangul = false;  // the Hangeul character set: the face must cover Hangul
};

struct FaceChoice {
    FaceSource primary;
    std::vector<FaceSource> fallbacks;  // faces for what the primary lacks, best first
    std::string familyName;             // the primary's own family name
    bool boldFace = false;              // the face itself is bold (no emboldening needed)
    bool slantedFace = false;           // the face itself is italic or oblique
};

// Starts the finder; false when it cannot start (text is not drawn then).
bool Start();
void Stop();

// The faces for a request. False, with `why` in words, when there is none.
bool Find(const FaceRequest& request, FaceChoice* choice, std::string* why);

// What a user reads when the finder cannot start.
const char* Name();

}  // namespace win32::gdi::faces
