// The cursors and the icon as a loader reads them: one directory entry with the hot spot (for
// a cursor) or planes and depth (for an icon), then a DIB of doubled height and its AND mask.
#include <gtest/gtest.h>

#include <string>

#include "AssetFiles.h"
#include "tools/DibDecoding.h"

namespace nuvik::testing {
namespace {

struct IconDirectory {
    int type = 0;
    int count = 0;
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int field1 = 0;  // planes for an icon, hot spot x for a cursor
    int field2 = 0;  // bits per pixel for an icon, hot spot y for a cursor
    std::size_t imageSize = 0;
    std::size_t imageOffset = 0;
};

IconDirectory ReadDirectory(const tools::Bytes& file) {
    IconDirectory d;
    d.type = tools::ReadU16(file, 2);
    d.count = tools::ReadU16(file, 4);
    d.width = file.at(6) == 0 ? 256 : file.at(6);
    d.height = file.at(7) == 0 ? 256 : file.at(7);
    d.colourCount = file.at(8);
    d.field1 = tools::ReadU16(file, 10);
    d.field2 = tools::ReadU16(file, 12);
    d.imageSize = tools::ReadU32(file, 14);
    d.imageOffset = tools::ReadU32(file, 18);
    return d;
}

struct DecodedIcon {
    tools::IndexedImage picture;
    tools::Bytes file;
    std::size_t maskOffset = 0;
    int maskStride = 0;

    // Outside the picture counts as see-through.
    bool SeeThrough(int x, int y) const {
        if (x < 0 || y < 0 || x >= picture.width || y >= picture.height)
            return true;
        std::size_t row = maskOffset + static_cast<std::size_t>(picture.height - 1 - y) *
                                           static_cast<std::size_t>(maskStride);
        return (file.at(row + static_cast<std::size_t>(x / 8)) & (0x80 >> (x % 8))) != 0;
    }
};

DecodedIcon Decode(const std::string& fileName, const IconDirectory& directory) {
    DecodedIcon icon;
    icon.file = ReadAsset(fileName);
    tools::Bytes dib(icon.file.begin() + static_cast<std::ptrdiff_t>(directory.imageOffset),
                     icon.file.end());
    std::string error;
    EXPECT_TRUE(tools::DecodePackedDib(dib, directory.height, &icon.picture, &error)) << error;
    icon.maskStride = ((directory.width + 31) / 32) * 4;
    icon.maskOffset = icon.file.size() - static_cast<std::size_t>(icon.maskStride) *
                                             static_cast<std::size_t>(directory.height);
    return icon;
}

TEST(HandCursors, CarryTheirHotSpotsInTheDirectoryEntry) {
    struct Case {
        const char* file;
        int hotX;
        int hotY;
    };
    for (const Case& c : {Case{"KW_HANDCUR.cur", 6, 16}, Case{"KW_DRAGCUR.cur", 15, 16}}) {
        SCOPED_TRACE(c.file);
        tools::Bytes file = ReadAsset(c.file);
        ASSERT_GE(file.size(), 22u);
        IconDirectory d = ReadDirectory(file);
        EXPECT_EQ(tools::ReadU16(file, 0), 0);
        EXPECT_EQ(d.type, 2) << "cursor";
        EXPECT_EQ(d.count, 1);
        EXPECT_EQ(d.width, 32);
        EXPECT_EQ(d.height, 32);
        EXPECT_EQ(d.field1, c.hotX);
        EXPECT_EQ(d.field2, c.hotY);
        EXPECT_EQ(d.imageOffset, 22u);
        EXPECT_EQ(d.imageOffset + d.imageSize, file.size());
        EXPECT_EQ(tools::ReadU32(file, d.imageOffset + 8), 64u) << "height counts the mask";
    }
}

TEST(HandCursors, AreOutlinedInBlackAndFilledWhiteWithTheHotSpotOnTheHand) {
    struct Case {
        const char* file;
        int hotX;
        int hotY;
    };
    for (const Case& c : {Case{"KW_HANDCUR.cur", 6, 16}, Case{"KW_DRAGCUR.cur", 15, 16}}) {
        SCOPED_TRACE(c.file);
        tools::Bytes file = ReadAsset(c.file);
        DecodedIcon cursor = Decode(c.file, ReadDirectory(file));
        ASSERT_EQ(cursor.picture.width, 32);
        int black = 0;
        int white = 0;
        int seeThrough = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                tools::Rgb colour = cursor.picture.ColourAt(x, y);
                if (cursor.SeeThrough(x, y)) {
                    ++seeThrough;
                    EXPECT_EQ(colour, (tools::Rgb{0, 0, 0})) << "see-through pixels XOR nothing";
                    continue;
                }
                if (colour == tools::Rgb{0, 0, 0})
                    ++black;
                else if (colour == tools::Rgb{255, 255, 255})
                    ++white;
                // A white pixel never touches the see-through area: the outline closes it.
                if (colour == tools::Rgb{255, 255, 255}) {
                    EXPECT_FALSE(cursor.SeeThrough(x - 1, y) || cursor.SeeThrough(x + 1, y) ||
                                 cursor.SeeThrough(x, y - 1) || cursor.SeeThrough(x, y + 1))
                        << "open outline at " << x << ", " << y;
                }
            }
        }
        EXPECT_GT(black, 30);
        EXPECT_GT(white, 60);
        EXPECT_GT(seeThrough, 32 * 32 / 2);
        EXPECT_FALSE(cursor.SeeThrough(c.hotX, c.hotY)) << "hot spot off the hand";
        EXPECT_TRUE(cursor.SeeThrough(0, 0));
    }
}

TEST(ConsoleIcon, IsOneThirtyTwoPixelImageOfSixteenColoursWithAMask) {
    tools::Bytes file = ReadAsset("MAINICON.ico");
    ASSERT_GE(file.size(), 22u);
    IconDirectory d = ReadDirectory(file);
    EXPECT_EQ(d.type, 1) << "icon";
    EXPECT_EQ(d.count, 1);
    EXPECT_EQ(d.width, 32);
    EXPECT_EQ(d.height, 32);
    EXPECT_EQ(d.colourCount, 16);
    EXPECT_EQ(d.field1, 1) << "planes";
    EXPECT_EQ(d.field2, 4) << "bits per pixel";
    EXPECT_EQ(d.imageOffset + d.imageSize, file.size());
    // Info header, 16 colours, 32 rows of 16 bytes, 32 mask rows of 4 bytes.
    EXPECT_EQ(d.imageSize, 40u + 64u + 512u + 128u);

    DecodedIcon icon = Decode("MAINICON.ico", d);
    EXPECT_TRUE(icon.SeeThrough(0, 0));
    EXPECT_TRUE(icon.SeeThrough(31, 31));
    EXPECT_FALSE(icon.SeeThrough(16, 15));
    EXPECT_EQ(icon.picture.ColourAt(16, 15), (tools::Rgb{0, 0, 0})) << "the black screen";
    EXPECT_EQ(icon.picture.ColourAt(3, 16), (tools::Rgb{255, 255, 255})) << "the white body";
}

}  // namespace
}  // namespace nuvik::testing
