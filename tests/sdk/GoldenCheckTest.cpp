#include "sdk/golden/GoldenCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "win32/platform/Png.h"

namespace {

namespace fs = std::filesystem;
using win32::png::RgbImage;

RgbImage Picture(bool oneRedPixel) {
    RgbImage image;
    image.width = 4;
    image.height = 3;
    image.rgb.assign(4 * 3 * 3, 200);
    if (oneRedPixel) {
        image.rgb[(1 * 4 + 2) * 3] = 255;
        image.rgb[(1 * 4 + 2) * 3 + 1] = 0;
    }
    return image;
}

TEST(GoldenCheckTest, EachOutcomeLeavesTheFilesAProgramAuthorLooksAt) {
    struct Case {
        const char* what;
        bool goldenExists;
        bool actualDiffers;
        bool update;
        bool passes;
        bool mismatchPicturesWritten;
        const char* messagePart;
    };
    const Case cases[] = {
        {"match", true, false, false, true, false, "matches"},
        {"one pixel off", true, true, false, false, true, "1 pixels differ"},
        {"missing golden", false, false, false, false, false, "was missing"},
        {"re-baseline", true, true, true, true, false, "rewrote"},
    };
    const fs::path dir = fs::temp_directory_path() / "nuvik-golden-check-test";
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string actual = (dir / "screen.png").string();
        const std::string golden = (dir / "golden.png").string();
        std::string error;
        ASSERT_TRUE(win32::png::Write(Picture(c.actualDiffers), actual, &error)) << error;
        if (c.goldenExists) {
            ASSERT_TRUE(win32::png::Write(Picture(false), golden, &error)) << error;
        }

        nuvik::golden::CheckResult result = nuvik::golden::CheckGolden(actual, golden, c.update);

        EXPECT_EQ(result.passed, c.passes) << c.what << ": " << result.message;
        EXPECT_NE(result.message.find(c.messagePart), std::string::npos)
            << c.what << ": " << result.message;
        EXPECT_EQ(fs::exists(dir / "golden-ACTUAL.png"), c.mismatchPicturesWritten) << c.what;
        EXPECT_EQ(fs::exists(dir / "golden-DIFF.png"), c.mismatchPicturesWritten) << c.what;
        // Whatever happened, the golden is there afterwards, and after a re-baseline or a
        // missing golden it is this run's picture.
        RgbImage kept;
        ASSERT_TRUE(win32::png::Read(golden, &kept, &error)) << c.what << ": " << error;
        if (c.update || !c.goldenExists) {
            EXPECT_EQ(kept.rgb, Picture(c.actualDiffers).rgb) << c.what;
        }
        if (c.mismatchPicturesWritten) {
            RgbImage diff;
            ASSERT_TRUE(win32::png::Read((dir / "golden-DIFF.png").string(), &diff, &error));
            EXPECT_EQ(diff.rgb[(1 * 4 + 2) * 3], 255) << "the differing pixel is red";
            EXPECT_EQ(diff.rgb[0], 200 / 3) << "the others are the golden, dimmed";
        }
    }
    fs::remove_all(dir);
}

}  // namespace
