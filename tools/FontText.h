// Label text for the console artwork, rendered with FreeType from a font that fontconfig finds.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tools/Canvas.h"

namespace nuvik::tools {

inline constexpr const char* kLabelFontFamily = "DejaVu Sans";
inline constexpr const char* kLabelFontStyle = "Bold";
inline constexpr const char* kLabelFontPackage = "fonts-dejavu-core";

// The file of the label font, or empty with `error` saying which Debian package provides it.
// fontconfig's nearest substitute is refused: another font would change the artwork.
std::string FindLabelFont(std::string* error);

// Rendered text cropped to its ink: coverage from 0 to 255, row after row.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};

class FontText {
  public:
    // Throws std::runtime_error when FreeType cannot open the file.
    explicit FontText(const std::string& fontFile);
    ~FontText();
    FontText(const FontText&) = delete;
    FontText& operator=(const FontText&) = delete;

    // ASCII text at `pixelSize`, with `tracking` extra pixels after each letter.
    TextMask Render(std::string_view text, int pixelSize, int tracking = 0) const;

  private:
    struct Library;
    std::unique_ptr<Library> library_;
};

void DrawText(Canvas& canvas, const TextMask& text, int left, int top, Colour colour,
              float opacity = 1);
// Centred on (centreX, centreY), rounded to whole pixels.
void DrawTextCentred(Canvas& canvas, const TextMask& text, float centreX, float centreY,
                     Colour colour, float opacity = 1);

}  // namespace nuvik::tools
