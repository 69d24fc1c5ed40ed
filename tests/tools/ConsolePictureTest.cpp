// The background picture's regions that the program depends on: the black screen opening
// around the emulated screen, the Power plate under the close button, black under the console
// where the control panel lies.
#include <gtest/gtest.h>

#include <utility>

#include "AssetFiles.h"

namespace nuvik::testing {
namespace {

const tools::Rgb kBlack{0, 0, 0};

class ConsolePicture : public ::testing::Test {
  protected:
    void SetUp() override {
        picture_ = DecodeAssetBitmap("BACKGROUND.bmp");
        ASSERT_EQ(picture_.width, 640);
        ASSERT_EQ(picture_.height, 480);
    }
    int LumaAt(int x, int y) const { return Luma(picture_.ColourAt(x, y)); }

    tools::IndexedImage picture_;
};

TEST_F(ConsolePicture, IsEightBitsPerPixelWithAFullColourTable) {
    tools::Bytes file = ReadAsset("BACKGROUND.bmp");
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(tools::ReadU16(file, 28), 8);
    EXPECT_EQ(tools::ReadU32(file, 30), 0u) << "uncompressed";
    EXPECT_EQ(tools::ReadU32(file, 10), 14u + 40u + 256u * 4u);
    EXPECT_EQ(file.size(), 14u + 40u + 256u * 4u + 640u * 480u);
    EXPECT_EQ(picture_.palette.size(), 256u);
}

TEST_F(ConsolePicture, ScreenOpeningIsBlackEverywhereAndFramed) {
    for (int y = 94; y <= 335; ++y) {
        for (int x = 158; x <= 481; ++x) {
            ASSERT_EQ(picture_.ColourAt(x, y), kBlack) << "at " << x << ", " << y;
        }
    }
    // Just outside, the frame is not black, so the opening's edges are where they are said to be.
    for (auto [x, y] :
         {std::pair{157, 200}, std::pair{482, 200}, std::pair{300, 93}, std::pair{300, 336}})
        EXPECT_NE(picture_.ColourAt(x, y), kBlack) << "at " << x << ", " << y;
}

TEST_F(ConsolePicture, PowerPlateFillsExactlyTheCloseButtonsRectangle) {
    const int left = 428;
    const int top = 16;
    const int right = 480;
    const int bottom = 36;
    // Its dark rim runs along the rectangle (corners are rounded) with light body outside.
    for (int x = left + 3; x <= right - 3; ++x) {
        EXPECT_LT(LumaAt(x, top), 120) << "top rim at " << x;
        EXPECT_LT(LumaAt(x, bottom), 120) << "bottom rim at " << x;
        EXPECT_GT(LumaAt(x, top - 1), 170) << "above at " << x;
        EXPECT_GT(LumaAt(x, bottom + 1), 170) << "below at " << x;
    }
    for (int y = top + 3; y <= bottom - 3; ++y) {
        EXPECT_LT(LumaAt(left, y), 120) << "left rim at " << y;
        EXPECT_LT(LumaAt(right, y), 120) << "right rim at " << y;
        EXPECT_GT(LumaAt(left - 1, y), 170) << "left of it at " << y;
        EXPECT_GT(LumaAt(right + 1, y), 170) << "right of it at " << y;
    }
    // Inside: a light face with dark lettering.
    int dark = 0;
    int light = 0;
    for (int y = top + 2; y <= bottom - 2; ++y) {
        for (int x = left + 2; x <= right - 2; ++x) {
            dark += LumaAt(x, y) < 90 ? 1 : 0;
            light += LumaAt(x, y) > 170 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 40) << "the word Power";
    EXPECT_GT(light, 400);
}

TEST_F(ConsolePicture, CartridgeSlotPlateIsDarkerThanTheBodyAroundIt) {
    long plate = 0;
    long body = 0;
    int samples = 0;
    for (int x = 204; x <= 415; x += 3) {
        plate += LumaAt(x, 33);
        body += LumaAt(x, 40);
        ++samples;
    }
    EXPECT_LT(plate / samples + 60, body / samples);
    EXPECT_GT(LumaAt(198, 20), 200) << "body left of the plate";
    EXPECT_GT(LumaAt(421, 20), 200) << "body right of the plate";
    EXPECT_LT(LumaAt(205, 20), 170) << "plate inside its left edge";
}

TEST_F(ConsolePicture, BodyIsWhiteAroundTheControlsAndGroundIsBlack) {
    for (auto [x, y] : {std::pair{20, 60}, std::pair{620, 60}, std::pair{110, 230},
                        std::pair{520, 230}, std::pair{320, 370}, std::pair{40, 380}})
        EXPECT_GT(LumaAt(x, y), 200) << "body at " << x << ", " << y;
    for (auto [x, y] : {std::pair{0, 0}, std::pair{639, 0}, std::pair{0, 405}, std::pair{639, 405}})
        EXPECT_EQ(picture_.ColourAt(x, y), kBlack) << "rounded corner at " << x << ", " << y;
}

TEST_F(ConsolePicture, IsBlackFromRow414Down) {
    for (int y = 414; y < 480; ++y) {
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(picture_.ColourAt(x, y), kBlack) << "at " << x << ", " << y;
    }
    int bodyPixels = 0;
    for (int x = 0; x < 640; ++x)
        bodyPixels += LumaAt(x, 400) > 120 ? 1 : 0;
    EXPECT_GT(bodyPixels, 400) << "the console reaches down to about row 410";
}

}  // namespace
}  // namespace nuvik::testing
