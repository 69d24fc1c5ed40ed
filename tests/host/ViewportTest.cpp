#include "host/sdl/Viewport.h"

#include <gtest/gtest.h>

namespace {

using nuvik::host::FitScreen;
using nuvik::host::PictureRect;
using nuvik::host::ScreenPoint;
using nuvik::host::WindowToScreen;

TEST(SdlViewport, TheScreenTakesTheLargestWholeScaleCentredElseTheLargestAspectFit) {
    struct Case {
        int width;
        int height;
        PictureRect expected;
    } cases[] = {
        {640, 480, {0, 0, 640, 480, true}},
        {1280, 960, {0, 0, 1280, 960, true}},
        {800, 600, {80, 60, 640, 480, true}},
        {1920, 1080, {320, 60, 1280, 960, true}},
        {1280, 1024, {0, 32, 1280, 960, true}},
        {2560, 1440, {320, 0, 1920, 1440, true}},
        {3840, 2160, {640, 120, 2560, 1920, true}},
        {1919, 1439, {319, 239, 1280, 960, true}},
        // Too small for 1x: the aspect is kept, letterboxed or pillarboxed.
        {320, 240, {0, 0, 320, 240, false}},
        {600, 600, {0, 75, 600, 450, false}},
        {1000, 300, {300, 0, 400, 300, false}},
        {639, 480, {0, 0, 639, 479, false}},
        {0, 0, {0, 0, 0, 0, false}},
        {-5, 100, {0, 0, 0, 0, false}},
    };
    for (const Case& c : cases) {
        PictureRect got = FitScreen(c.width, c.height);
        EXPECT_EQ(got, c.expected) << c.width << "x" << c.height << " -> " << got.x << "," << got.y
                                   << " " << got.width << "x" << got.height;
    }
}

TEST(SdlViewport, FitFillsTheOutputWithTheAspectKept) {
    struct Case {
        int width;
        int height;
        PictureRect expected;
    } cases[] = {
        {1920, 1080, {240, 0, 1440, 1080, false}},
        {1280, 1024, {0, 32, 1280, 960, true}},  // the fit is a whole multiple
        {1280, 960, {0, 0, 1280, 960, true}},
        {1000, 1000, {0, 125, 1000, 750, false}},
        {320, 240, {0, 0, 320, 240, false}},
    };
    for (const Case& c : cases) {
        PictureRect got = FitScreen(c.width, c.height, nuvik::host::ScaleMode::Fit);
        EXPECT_EQ(got, c.expected) << c.width << "x" << c.height << " -> " << got.x << "," << got.y
                                   << " " << got.width << "x" << got.height;
    }
}

TEST(SdlViewport, PointerPositionsMapBackToScreenPixels) {
    PictureRect twice = FitScreen(1920, 1080);  // 1280 x 960 at (320, 60)
    PictureRect small = FitScreen(320, 240);    // half size
    struct Case {
        int x;
        int y;
        PictureRect picture;
        int windowWidth;
        int windowHeight;
        int outputWidth;
        int outputHeight;
        ScreenPoint expected;
    } cases[] = {
        {320, 60, twice, 1920, 1080, 1920, 1080, {0, 0}},
        {321, 61, twice, 1920, 1080, 1920, 1080, {0, 0}},
        {322, 62, twice, 1920, 1080, 1920, 1080, {1, 1}},
        {1599, 1019, twice, 1920, 1080, 1920, 1080, {639, 479}},
        {1230, 112, twice, 1920, 1080, 1920, 1080, {455, 26}},
        // The black border clamps to the nearest edge.
        {0, 0, twice, 1920, 1080, 1920, 1080, {0, 0}},
        {1919, 1079, twice, 1920, 1080, 1920, 1080, {639, 479}},
        {100, 500, twice, 1920, 1080, 1920, 1080, {0, 220}},
        // A high-DPI window measures in half the output's pixels.
        {160, 30, twice, 960, 540, 1920, 1080, {0, 0}},
        {161, 31, twice, 960, 540, 1920, 1080, {1, 1}},
        {959, 539, twice, 960, 540, 1920, 1080, {639, 479}},
        // Shrunk below 1x, every window pixel covers two screen pixels.
        {0, 0, small, 320, 240, 320, 240, {1, 1}},
        {319, 239, small, 320, 240, 320, 240, {639, 479}},
        {100, 50, small, 320, 240, 320, 240, {201, 101}},
    };
    for (const Case& c : cases) {
        ScreenPoint got = WindowToScreen(c.x, c.y, c.picture, c.windowWidth, c.windowHeight,
                                         c.outputWidth, c.outputHeight);
        EXPECT_EQ(got, c.expected) << c.x << "," << c.y << " -> " << got.x << "," << got.y;
    }
}

TEST(SdlViewport, EveryWindowPixelOfAScaledScreenPixelMapsBackToIt) {
    for (int scale = 1; scale <= 4; ++scale) {
        int width = 640 * scale + 30;
        int height = 480 * scale + 10;
        PictureRect picture = FitScreen(width, height);
        ASSERT_TRUE(picture.integerScale);
        for (int screenX = 0; screenX < 640; ++screenX) {
            for (int offset = 0; offset < scale; ++offset) {
                int windowX = picture.x + screenX * scale + offset;
                ScreenPoint got =
                    WindowToScreen(windowX, picture.y, picture, width, height, width, height);
                ASSERT_EQ(got.x, screenX) << "scale " << scale << " window x " << windowX;
            }
        }
    }
}

}  // namespace
