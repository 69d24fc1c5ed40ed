#include "tools/Quantiser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace nuvik::testing {
namespace {

using tools::Rgb;

// A 2-D spread of many colours: red across, green down, some blue.
std::vector<Rgb> Spread(int width, int height) {
    std::vector<Rgb> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back({static_cast<std::uint8_t>(x * 255 / (width - 1)),
                              static_cast<std::uint8_t>(y * 255 / (height - 1)),
                              static_cast<std::uint8_t>((x + y) % 64)});
    }
    return pixels;
}

TEST(Quantiser, KeepsEveryColourWhenThereAreFewEnough) {
    std::vector<Rgb> pixels = {{10, 20, 30}, {255, 255, 255}, {10, 20, 30}, {1, 2, 3}};
    tools::IndexedImage image = tools::QuantiseTo256(2, 2, pixels, {{0, 0, 0}});
    ASSERT_EQ(image.palette.size(), 256u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(image.ColourAt(i % 2, i / 2), pixels[static_cast<std::size_t>(i)]);
}

TEST(Quantiser, ReducesManyColoursCloselyAndKeepsExactColoursExact) {
    const int width = 200;
    const int height = 150;
    std::vector<Rgb> pixels = Spread(width, height);
    pixels[0] = {0, 0, 0};
    pixels[12345] = {255, 0, 255};  // one pixel only: median cut alone would lose it
    tools::IndexedImage image =
        tools::QuantiseTo256(width, height, pixels, {{0, 0, 0}, {255, 0, 255}});
    ASSERT_EQ(image.palette.size(), 256u);
    EXPECT_EQ(image.ColourAt(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(image.ColourAt(12345 % width, 12345 / width), (Rgb{255, 0, 255}));
    long totalError = 0;
    int worst = 0;
    for (int i = 0; i < width * height; ++i) {
        Rgb got = image.palette[image.pixels[static_cast<std::size_t>(i)]];
        const Rgb& want = pixels[static_cast<std::size_t>(i)];
        int error = std::abs(got.r - want.r) + std::abs(got.g - want.g) + std::abs(got.b - want.b);
        totalError += error;
        worst = std::max(worst, error);
    }
    EXPECT_LT(totalError / (width * height), 16) << "mean error per pixel";
    EXPECT_LT(worst, 64);
}

TEST(Quantiser, GivesTheSameResultEveryTime) {
    std::vector<Rgb> pixels = Spread(120, 90);
    tools::IndexedImage first = tools::QuantiseTo256(120, 90, pixels, {{0, 0, 0}});
    tools::IndexedImage second = tools::QuantiseTo256(120, 90, pixels, {{0, 0, 0}});
    EXPECT_EQ(first.palette, second.palette);
    EXPECT_EQ(first.pixels, second.pixels);
}

TEST(Quantiser, RefusesPixelsThatDoNotMatchTheSize) {
    EXPECT_THROW(tools::QuantiseTo256(3, 3, std::vector<Rgb>(8), {}), std::invalid_argument);
}

}  // namespace
}  // namespace nuvik::testing
