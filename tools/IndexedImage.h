// A picture of palette indices, the form every generated asset takes before it is encoded.
#pragma once

#include <compare>
#include <cstdint>
#include <vector>

namespace nuvik::tools {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    auto operator<=>(const Rgb&) const = default;
};

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;  // row after row, top row first

    IndexedImage() = default;
    IndexedImage(int imageWidth, int imageHeight, std::vector<Rgb> colours);
    std::uint8_t At(int x, int y) const;
    void Set(int x, int y, std::uint8_t index);
    Rgb ColourAt(int x, int y) const { return palette.at(At(x, y)); }
};

// The sixteen colours of the standard 4-bit display palette, in their usual order, so that
// the 4-bit pictures use the same indices as any 16-colour tool would.
std::vector<Rgb> StandardPalette16();

namespace palette16 {
inline constexpr std::uint8_t kBlack = 0;
inline constexpr std::uint8_t kMaroon = 1;
inline constexpr std::uint8_t kGreen = 2;
inline constexpr std::uint8_t kOlive = 3;
inline constexpr std::uint8_t kNavy = 4;
inline constexpr std::uint8_t kPurple = 5;
inline constexpr std::uint8_t kTeal = 6;
inline constexpr std::uint8_t kSilver = 7;
inline constexpr std::uint8_t kGrey = 8;
inline constexpr std::uint8_t kRed = 9;
inline constexpr std::uint8_t kLime = 10;
inline constexpr std::uint8_t kYellow = 11;
inline constexpr std::uint8_t kBlue = 12;
inline constexpr std::uint8_t kMagenta = 13;
inline constexpr std::uint8_t kAqua = 14;
inline constexpr std::uint8_t kWhite = 15;
}  // namespace palette16

}  // namespace nuvik::tools
