// The colour and text helpers of <nuvik/sdk.h>: conveniences over NewPalette and the platform's
// code pages, which change nothing the system itself does.
#define NUVIK_SDK_QUALIFIED_NAMES_ONLY
#include <nuvik/sdk.h>

#include <algorithm>
#include <climits>

#include "draw/PaletteBank.h"
#include "win32/api.h"

namespace {

constexpr DWORD kRedMask555 = 0x7C00;
// Unmappable characters become the default character rather than a look-alike, so that a
// text converts the same on every platform.
constexpr DWORD kNoBestFitChars = 0x00000400;  // WC_NO_BEST_FIT_CHARS
constexpr UINT kKoreanCodePage = 949;

// A 0 to 255 channel on a scale of 0 to `top`, rounded to the nearest step.
int Scaled(int channel, int top) {
    return (std::clamp(channel, 0, 255) * top + 127) / 255;
}

}  // namespace

namespace nuvik {

std::uint16_t DisplayColour(int red, int green, int blue) {
    if (::DisplayRedMask == kRedMask555)
        return static_cast<std::uint16_t>((Scaled(red, 31) << 10) | (Scaled(green, 31) << 5) |
                                          Scaled(blue, 31));
    return static_cast<std::uint16_t>((Scaled(red, 31) << 11) | (Scaled(green, 63) << 5) |
                                      Scaled(blue, 31));
}

int NewRgbPalette(int count, const RgbColour* colours) {
    WORD entries[256] = {};
    count = colours == nullptr ? 0 : std::clamp(count, 0, 256);
    for (int i = 0; i < count; ++i)
        entries[i] = DisplayColour(colours[i].red, colours[i].green, colours[i].blue);
    // A count of 0 rebuilds no entry as grey and converts none: each stays as given.
    return ::NewPalette(0, entries);
}

std::string ToCp949(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX / 2))
        return {};
    const int length = static_cast<int>(utf8.size());
    // UTF-16 never takes more units than UTF-8 takes bytes, CP949 never more than 2 a unit.
    std::u16string wide(utf8.size(), u'\0');
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length,
                                          reinterpret_cast<LPWSTR>(wide.data()), length);
    std::string bytes(static_cast<std::size_t>(units) * 2, '\0');
    const int written = WideCharToMultiByte(
        kKoreanCodePage, kNoBestFitChars, reinterpret_cast<LPCWSTR>(wide.data()), units,
        bytes.data(), static_cast<int>(bytes.size()), "?", nullptr);
    bytes.resize(static_cast<std::size_t>(std::max(written, 0)));
    return bytes;
}

}  // namespace nuvik
