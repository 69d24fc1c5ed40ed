#include "tools/SliderBitmaps.h"

#include <string>
#include <string_view>

#include "tools/DibEncoding.h"
#include "tools/PixelArt.h"

namespace nuvik::tools {

namespace {

// W white, L light grey, D dark grey, K black, T magenta: the see-through colour, which the
// slider takes from each picture's bottom-left pixel.
const std::vector<PixelArtLetter> kLegend = {
    {'W', palette16::kWhite, false},   {'L', palette16::kSilver, false},
    {'D', palette16::kGrey, false},    {'K', palette16::kBlack, false},
    {'T', palette16::kMagenta, false},
};

// The thumbs' two pictures side by side, as their table gives them.
struct PictureRow {
    std::string_view normal;
    std::string_view pressed;
};

std::vector<std::string> SideBySide(const std::vector<PictureRow>& rows) {
    std::vector<std::string> joined;
    for (const PictureRow& row : rows)
        joined.push_back(std::string(row.normal) + std::string(row.pressed));
    return joined;
}

// 18 x 17: normal thumb in columns 0-8, pressed (checkered face) in 9-17.
const std::vector<PictureRow> kHorizontalThumb = {
    {"WWWWWWWWK", "WWWWWWWWK"},  // 0
    {"WLLLLLLDK", "WLLLLLLDK"},  // 1
    {"WLLLLLLDK", "WLWLWLWDK"},  // 2
    {"WLLLLLLDK", "WLLWLWLDK"},  // 3
    {"WLLLLLLDK", "WLWLWLWDK"},  // 4, like 2
    {"WLLLLLLDK", "WLLWLWLDK"},  // 5, like 3
    {"WLLLLLLDK", "WLWLWLWDK"},  // 6
    {"WLLLLLLDK", "WLLWLWLDK"},  // 7
    {"WLLLLLLDK", "WLWLWLWDK"},  // 8
    {"WLLLLLLDK", "WLLWLWLDK"},  // 9
    {"WLLLLLLDK", "WLWLWLWDK"},  // 10
    {"WLLLLLLDK", "WLLWLWLDK"},  // 11
    {"WLLLLLLDK", "WLWLWLWDK"},  // 12, like 2
    {"TWLLLLDKT", "TWLWLWDKT"},  // 13
    {"TTWLLDKTT", "TTWLWDKTT"},  // 14
    {"TTTWDKTTT", "TTTWDKTTT"},  // 15
    {"TTTTKTTTT", "TTTTKTTTT"},  // 16
};

// 10 x 8: a groove four rows high; columns 0 and 9 are the end caps.
const std::vector<std::string_view> kHorizontalRuler = {
    "TTTTTTTTTT",  // 0
    "TTTTTTTTTT",  // 1
    "DDDDDDDDDW",  // 2
    "DKKKKKKKLW",  // 3
    "DLLLLLLLLW",  // 4
    "WWWWWWWWWW",  // 5
    "TTTTTTTTTT",  // 6
    "TTTTTTTTTT",  // 7
};

// 38 x 9: normal thumb in columns 0-18, pressed in 19-37.
const std::vector<PictureRow> kVerticalThumb = {
    {"TKKKKKKKKKKKKKTTTTT", "TKKKKKKKKKKKKKTTTTT"},  // 0
    {"TWDDDDDDDDDDDDKTTTT", "TWDDDDDDDDDDDDKTTTT"},  // 1
    {"TWLLLLLLLLLLLLDKTTT", "TWLWLWLWLWLWLWDKTTT"},  // 2
    {"TWLLLLLLLLLLLLLDKTT", "TWLLWLWLWLWLWLWDKTT"},  // 3
    {"TWLLLLLLLLLLLLLLDKT", "TWLWLWLWLWLWLWLWDKT"},  // 4
    {"TWLLLLLLLLLLLLLLWTT", "TWLLWLWLWLWLWLWLWTT"},  // 5
    {"TWLLLLLLLLLLLLLWTTT", "TWLWLWLWLWLWLWLWTTT"},  // 6
    {"TWLLLLLLLLLLLLWTTTT", "TWLLLLLLLLLLLLWTTTT"},  // 7
    {"TWWWWWWWWWWWWWTTTTT", "TWWWWWWWWWWWWWTTTTT"},  // 8
};

// 8 x 10: a groove four columns wide; rows 0 and 9 are the end caps.
const std::vector<std::string_view> kVerticalRuler = {
    "TTDDDWTT",  // 0
    "TTDKLWTT",  // 1
    "TTDKLWTT",  // 2
    "TTDKLWTT",  // 3
    "TTDKLWTT",  // 4
    "TTDKLWTT",  // 5
    "TTDKLWTT",  // 6
    "TTDKLWTT",  // 7
    "TTDLLWTT",  // 8
    "TTWWWWTT",  // 9
};

SliderBitmap Make(std::string name, const std::vector<std::string_view>& rows) {
    return {std::move(name), PaintPixelArt(rows, kLegend, StandardPalette16()).picture};
}

SliderBitmap Make(std::string name, const std::vector<PictureRow>& rows) {
    std::vector<std::string> joined = SideBySide(rows);
    return Make(std::move(name), std::vector<std::string_view>(joined.begin(), joined.end()));
}

}  // namespace

std::vector<SliderBitmap> MakeSliderBitmaps() {
    std::vector<SliderBitmap> bitmaps;
    bitmaps.push_back(Make("W95_HTB", kHorizontalThumb));
    bitmaps.push_back(Make("W95_HRL", kHorizontalRuler));
    bitmaps.push_back(Make("W95_VTB", kVerticalThumb));
    bitmaps.push_back(Make("W95_VRL", kVerticalRuler));
    return bitmaps;
}

Bytes EncodeSliderBitmap(const SliderBitmap& bitmap) {
    return EncodeBmpFile(bitmap.image, 4);
}

}  // namespace nuvik::tools
