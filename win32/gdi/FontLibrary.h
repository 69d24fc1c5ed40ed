// Logical fonts to faces on disk: fontconfig picks the face (and the faces that fill in
// characters it lacks), FreeType opens it. Realized fonts are cached by what tells them apart.
// A font that cannot be found is reported once on standard error, naming the Debian package
// to install, and then draws nothing.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "gdi/RealizedFont.h"

namespace win32::gdi {

class FontLibrary {
  public:
    static FontLibrary& Instance();
    ~FontLibrary();

    // Null when no face can be found for it (after the error message).
    RealizedFont* Realize(const LOGFONTA& logFont);

    // The family every device context starts with.
    static constexpr const char* kDefaultFamily = "Unifont";
    static constexpr const char* kDefaultPackage = "fonts-unifont";

  private:
    FontLibrary() = default;
    bool Start();
    std::unique_ptr<RealizedFont> Resolve(const LOGFONTA& logFont);
    void ReportMissing(const std::string& family, const std::string& detail);

    bool started_ = false;
    bool startFailed_ = false;
    FT_Library library_ = nullptr;
    std::map<std::string, std::unique_ptr<RealizedFont>> cache_;
    std::map<std::string, bool> reported_;
};

}  // namespace win32::gdi
