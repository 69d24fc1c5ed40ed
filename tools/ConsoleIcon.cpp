#include "tools/ConsoleIcon.h"

#include <string_view>
#include <vector>

#include "tools/PixelArt.h"

namespace nuvik::tools {

namespace {

const std::vector<PixelArtLetter> kLegend = {
    {'.', 0, true},
    {'K', palette16::kBlack, false},
    {'W', palette16::kWhite, false},
    {'L', palette16::kSilver, false},
    {'D', palette16::kGrey, false},
    {'R', palette16::kRed, false},
    {'M', palette16::kMaroon, false},
};

// The console from the front: cartridge slot and Power switch on top, the dark screen surround
// with its black screen, direction pad and START at the left, A and B and SELECT at the right,
// speaker holes in the lower corners.
const std::vector<std::string_view> kConsole = {
    "................................",  // 0
    "................................",  // 1
    "................................",  // 2
    "................................",  // 3
    "................................",  // 4
    "................................",  // 5
    "...DDDDDDDDDDDDDDDDDDDDDDDDDD...",  // 6
    "..DWWWWWWWWDDDDDDDDDDWDLLLWWWD..",  // 7
    ".DWWWWWWWWWWWWWWWWWWWWLLLLWWWLD.",  // 8
    ".DWWWWWWWDDDDDDDDDDDDDDWWWWWWLD.",  // 9
    ".DWWWWWWDDKKKKKKKKKKKKDDWWWRMLD.",  // 10
    ".DWWWWWWDDKKKKKKKKKKKKDDWWWMMLD.",  // 11
    ".DWWKWWWDRKKKKKKKKKKKKDDWRMWWLD.",  // 12
    ".DWKKKWWDDKKKKKKKKKKKKDDWMMWWLD.",  // 13
    ".DKKDKKWDDKKKKKKKKKKKKDDWWWWWLD.",  // 14
    ".DWKKKWWDDKKKKKKKKKKKKDDWWWWWLD.",  // 15
    ".DWWKWWWDDKKKKKKKKKKKKDDWWWWWLD.",  // 16
    ".DWWWWWWDDKKKKKKKKKKKKDDWWDDDLD.",  // 17
    ".DWWWWWWDDKKKKKKKKKKKKDDWWWWWLD.",  // 18
    ".DWDDDWWDDKKKKKKKKKKKKDDWWWWWLD.",  // 19
    ".DWWWWWWDDDDDDDDDDDDDDDDWWWWWLD.",  // 20
    ".DWWWWWWWDDDDDDDDDDDDDDWWWWWWLD.",  // 21
    ".DWDWDWWWWWWWWWWWWWWWWWWWWDWDLD.",  // 22
    ".DWWDWDWWWWWWLLLLLLWWWWWWDWDWLD.",  // 23
    "..DWWWWWWWWWWWWWWWWWWWWWWWWWWD..",  // 24
    "..DDLLLLLLLLLLLLLLLLLLLLLLLLDD..",  // 25
    "....DDDDDDDDDDDDDDDDDDDDDDDD....",  // 26
    "................................",  // 27
    "................................",  // 28
    "................................",  // 29
    "................................",  // 30
    "................................",  // 31
};

}  // namespace

MaskedImage MakeConsoleIcon() {
    return PaintPixelArt(kConsole, kLegend, StandardPalette16());
}

Bytes EncodeConsoleIcon(const MaskedImage& icon) {
    return EncodeIconFile(icon, 4);
}

}  // namespace nuvik::tools
