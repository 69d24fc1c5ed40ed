// Palette bitmaps written and read back at every depth and at widths that need row padding.
#include <gtest/gtest.h>

#include "tools/DibDecoding.h"
#include "tools/DibEncoding.h"

namespace nuvik::testing {
namespace {

tools::IndexedImage Pattern(int width, int height, int bitsPerPixel) {
    std::vector<tools::Rgb> palette;
    int colours = 1 << bitsPerPixel;
    for (int i = 0; i < colours; ++i)
        palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                           static_cast<std::uint8_t>(i * 7)});
    tools::IndexedImage image(width, height, palette);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.Set(x, y, static_cast<std::uint8_t>((x * 5 + y * 3 + 1) % colours));
    }
    return image;
}

TEST(DibCoding, RoundTripsEveryDepthAndPaddedWidth) {
    for (int bitsPerPixel : {1, 4, 8}) {
        for (int width = 1; width <= 33; width += 4) {
            for (int height : {1, 3}) {
                SCOPED_TRACE(std::to_string(bitsPerPixel) + " bits, " + std::to_string(width) +
                             " x " + std::to_string(height));
                tools::IndexedImage image = Pattern(width, height, bitsPerPixel);
                tools::Bytes file = tools::EncodeBmpFile(image, bitsPerPixel);
                std::size_t stride =
                    ((static_cast<std::size_t>(width) * bitsPerPixel + 31) / 32) * 4;
                std::size_t table = std::size_t{4} << bitsPerPixel;
                EXPECT_EQ(file.size(), 14 + 40 + table + stride * static_cast<std::size_t>(height));
                EXPECT_EQ(tools::ReadU32(file, 2), file.size());
                tools::IndexedImage decoded;
                std::string error;
                ASSERT_TRUE(tools::DecodeBmpFile(file, &decoded, &error)) << error;
                EXPECT_EQ(decoded.pixels, image.pixels);
                EXPECT_EQ(decoded.palette, image.palette);
            }
        }
    }
}

TEST(DibCoding, StoresTheTopRowLastAndTheLeftPixelInTheHighBits) {
    tools::IndexedImage image(3, 2, std::vector<tools::Rgb>(16));
    image.Set(0, 0, 0x1);
    image.Set(1, 0, 0x2);
    image.Set(2, 0, 0x3);
    image.Set(0, 1, 0xA);
    tools::Bytes bits = tools::EncodeDibRows(image, 4);
    EXPECT_EQ(bits, (tools::Bytes{0xA0, 0x00, 0x00, 0x00, 0x12, 0x30, 0x00, 0x00}));
}

TEST(DibCoding, RefusesAPaletteTooLargeForTheDepth) {
    tools::IndexedImage image(2, 2, std::vector<tools::Rgb>(17));
    EXPECT_THROW(tools::EncodeBmpFile(image, 4), std::invalid_argument);
}

TEST(DibCoding, DecoderRefusesDataThatEndsEarlyOrIsNotABitmap) {
    tools::Bytes file = tools::EncodeBmpFile(Pattern(8, 8, 8), 8);
    tools::IndexedImage decoded;
    std::string error;
    tools::Bytes cut(file.begin(), file.end() - 1);
    EXPECT_FALSE(tools::DecodeBmpFile(cut, &decoded, &error));
    EXPECT_EQ(error, "the bitmap data ends too early");
    tools::Bytes notBitmap = file;
    notBitmap[0] = 'X';
    EXPECT_FALSE(tools::DecodeBmpFile(notBitmap, &decoded, &error));
    EXPECT_FALSE(tools::DecodeBmpFile(tools::Bytes(20, 0), &decoded, &error));
}

}  // namespace
}  // namespace nuvik::testing
