// The slider's four pictures as the control reads them: 4-bit bitmaps whose pixels follow the
// published tables, with magenta in the bottom-left corner as the see-through colour.
#include <gtest/gtest.h>

#include <string>

#include "AssetFiles.h"
#include "tools/DibEncoding.h"

namespace nuvik::testing {
namespace {

char Letter(const tools::Rgb& colour) {
    if (colour == tools::Rgb{255, 255, 255})
        return 'W';
    if (colour == tools::Rgb{192, 192, 192})
        return 'L';
    if (colour == tools::Rgb{128, 128, 128})
        return 'D';
    if (colour == tools::Rgb{0, 0, 0})
        return 'K';
    if (colour == tools::Rgb{255, 0, 255})
        return 'T';
    return '?';
}

std::string Row(const tools::IndexedImage& image, int y) {
    std::string row;
    for (int x = 0; x < image.width; ++x)
        row += Letter(image.ColourAt(x, y));
    return row;
}

TEST(SliderBitmaps, AreFourBitBitmapsOfTheirSizesWithMagentaBottomLeft) {
    struct Case {
        const char* file;
        int width;
        int height;
    };
    for (const Case& c : {Case{"W95_HTB.bmp", 18, 17}, Case{"W95_HRL.bmp", 10, 8},
                          Case{"W95_VTB.bmp", 38, 9}, Case{"W95_VRL.bmp", 8, 10}}) {
        SCOPED_TRACE(c.file);
        tools::Bytes file = ReadAsset(c.file);
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(tools::ReadU16(file, 28), 4) << "bits per pixel";
        EXPECT_EQ(tools::ReadU32(file, 10), 14u + 40u + 16u * 4u) << "16-entry colour table";
        tools::IndexedImage image = DecodeAssetBitmap(c.file);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(Letter(image.ColourAt(0, image.height - 1)), 'T');
        for (int y = 0; y < image.height; ++y)
            EXPECT_EQ(Row(image, y).find('?'), std::string::npos) << "row " << y;
    }
}

TEST(SliderBitmaps, HoldTheTablesPixels) {
    struct Pixel {
        const char* file;
        int x;
        int y;
        char letter;
    };
    const Pixel pixels[] = {
        {"W95_HTB.bmp", 0, 0, 'W'},   {"W95_HTB.bmp", 8, 0, 'K'},  {"W95_HTB.bmp", 7, 5, 'D'},
        {"W95_HTB.bmp", 4, 16, 'K'},  {"W95_HTB.bmp", 3, 16, 'T'}, {"W95_HTB.bmp", 11, 2, 'W'},
        {"W95_HTB.bmp", 11, 3, 'L'},  {"W95_HTB.bmp", 12, 3, 'W'}, {"W95_HTB.bmp", 13, 14, 'W'},
        {"W95_HTB.bmp", 13, 16, 'K'}, {"W95_HRL.bmp", 0, 2, 'D'},  {"W95_HRL.bmp", 9, 2, 'W'},
        {"W95_HRL.bmp", 8, 3, 'L'},   {"W95_HRL.bmp", 1, 3, 'K'},  {"W95_HRL.bmp", 5, 5, 'W'},
        {"W95_HRL.bmp", 5, 6, 'T'},   {"W95_VTB.bmp", 1, 0, 'K'},  {"W95_VTB.bmp", 17, 4, 'K'},
        {"W95_VTB.bmp", 16, 5, 'W'},  {"W95_VTB.bmp", 22, 2, 'W'}, {"W95_VTB.bmp", 22, 7, 'L'},
        {"W95_VTB.bmp", 37, 4, 'T'},  {"W95_VRL.bmp", 3, 0, 'D'},  {"W95_VRL.bmp", 3, 4, 'K'},
        {"W95_VRL.bmp", 3, 8, 'L'},   {"W95_VRL.bmp", 2, 9, 'W'},  {"W95_VRL.bmp", 6, 5, 'T'},
    };
    for (const Pixel& p : pixels) {
        tools::IndexedImage image = DecodeAssetBitmap(p.file);
        EXPECT_EQ(Letter(image.ColourAt(p.x, p.y)), p.letter)
            << p.file << " at " << p.x << ", " << p.y;
    }
}

TEST(SliderBitmaps, PressedHorizontalThumbAlternatesRowsTwoAndThreeDownToRowTwelve) {
    tools::IndexedImage image = DecodeAssetBitmap("W95_HTB.bmp");
    ASSERT_EQ(image.height, 17);
    for (int y = 2; y <= 12; ++y) {
        std::string pressed = Row(image, y).substr(9);
        EXPECT_EQ(pressed, y % 2 == 0 ? "WLWLWLWDK" : "WLLWLWLDK") << "row " << y;
        EXPECT_EQ(Row(image, y).substr(0, 9), "WLLLLLLDK") << "row " << y;
    }
}

TEST(SliderBitmaps, HaveTheTablesTipsAndEndCaps) {
    tools::IndexedImage thumb = DecodeAssetBitmap("W95_HTB.bmp");
    EXPECT_EQ(Row(thumb, 13), "TWLLLLDKTTWLWLWDKT");
    EXPECT_EQ(Row(thumb, 16), "TTTTKTTTTTTTTKTTTT");
    tools::IndexedImage ruler = DecodeAssetBitmap("W95_HRL.bmp");
    EXPECT_EQ(Row(ruler, 3), "DKKKKKKKLW");
    EXPECT_EQ(Row(ruler, 4), "DLLLLLLLLW");
    tools::IndexedImage vertical = DecodeAssetBitmap("W95_VTB.bmp");
    EXPECT_EQ(Row(vertical, 5), std::string("TWLLLLLLLLLLLLLLWTT") + "TWLLWLWLWLWLWLWLWTT");
    EXPECT_EQ(Row(vertical, 7), std::string("TWLLLLLLLLLLLLWTTTT") + "TWLLLLLLLLLLLLWTTTT");
    tools::IndexedImage verticalRuler = DecodeAssetBitmap("W95_VRL.bmp");
    for (int y = 1; y <= 7; ++y)
        EXPECT_EQ(Row(verticalRuler, y), "TTDKLWTT") << "row " << y;
    EXPECT_EQ(Row(verticalRuler, 9), "TTWWWWTT");
}

}  // namespace
}  // namespace nuvik::testing
