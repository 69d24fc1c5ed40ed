#include "sdk/golden/GoldenCheck.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "win32/platform/Png.h"

namespace {

namespace fs = std::filesystem;
using nuvik::golden::Area;
using win32::png::RgbImage;

constexpr std::uint8_t kGrey = 200;

// The runner's 640 x 480 picture, grey, with one pixel red at (x, y) when x >= 0.
RgbImage Picture(int x = -1, int y = -1) {
    RgbImage image;
    image.width = 640;
    image.height = 480;
    image.rgb.assign(640 * 480 * 3, kGrey);
    if (x >= 0) {
        std::size_t at = (static_cast<std::size_t>(y) * 640 + static_cast<std::size_t>(x)) * 3;
        image.rgb[at] = 255;
        image.rgb[at + 1] = 0;
        image.rgb[at + 2] = 0;
    }
    return image;
}

std::uint8_t Red(const RgbImage& image, int x, int y) {
    return image.rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                      static_cast<std::size_t>(x)) *
                     3];
}

TEST(GoldenCheckTest, EachOutcomeLeavesTheFilesAProgramAuthorLooksAt) {
    struct Case {
        const char* what;
        bool goldenExists;
        int redX, redY;  // the run's one red pixel in the 640 x 480 picture, -1 for none
        Area area;
        bool update;
        bool passes;
        bool mismatchPicturesWritten;
        bool goldenIsThisRun;
        const char* messagePart;
    };
    const Case cases[] = {
        {"match", true, -1, -1, Area::kConsole, false, true, false, false, "matches"},
        {"outside the console screen", true, 10, 10, Area::kConsole, false, true, false, false,
         "matches"},
        {"one pixel off, console coordinates", true, 410, 155, Area::kConsole, false, false, true,
         false,
         "1 pixel differs, within (250, 60) to (250, 60); the first at (250, 60) is "
         "#C8C8C8 in the golden, #FF0000 in this run"},
        {"one pixel off, picture coordinates", true, 10, 10, Area::kScreen, false, false, true,
         false, "within (10, 10) to (10, 10)"},
        {"missing golden", false, -1, -1, Area::kConsole, false, false, false, true,
         "written from this run (the 320 x 240 console screen): look at it, commit it"},
        {"re-baseline of a differing golden", true, 410, 155, Area::kConsole, true, false, false,
         true, "rewrote"},
        {"re-baseline of a matching golden", true, -1, -1, Area::kConsole, true, true, false, false,
         "matches"},
    };
    const fs::path dir = fs::temp_directory_path() / "nuvik-golden-check-test";
    for (const Case& c : cases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string screenshot = (dir / "screen.png").string();
        const std::string golden = (dir / "golden.png").string();
        std::string error;
        ASSERT_TRUE(win32::png::Write(Picture(c.redX, c.redY), screenshot, &error)) << error;
        // The golden is what the same check made of the plain picture.
        if (c.goldenExists) {
            ASSERT_TRUE(win32::png::Write(Picture(), screenshot + ".plain.png", &error));
            nuvik::golden::CheckGolden(screenshot + ".plain.png", golden, {c.area, false});
        }
        const auto before = c.goldenExists ? fs::last_write_time(golden) : fs::file_time_type{};

        nuvik::golden::CheckResult result =
            nuvik::golden::CheckGolden(screenshot, golden, {c.area, c.update});

        EXPECT_EQ(result.passed, c.passes) << c.what << ": " << result.message;
        EXPECT_NE(result.message.find(c.messagePart), std::string::npos)
            << c.what << ": " << result.message;
        EXPECT_EQ(fs::exists(dir / "golden-ACTUAL.png"), c.mismatchPicturesWritten) << c.what;
        EXPECT_EQ(fs::exists(dir / "golden-DIFF.png"), c.mismatchPicturesWritten) << c.what;
        RgbImage kept;
        ASSERT_TRUE(win32::png::Read(golden, &kept, &error)) << c.what << ": " << error;
        EXPECT_EQ(kept.width, c.area == Area::kConsole ? 320 : 640) << c.what;
        if (c.goldenIsThisRun) {
            EXPECT_EQ(Red(kept, c.redX < 0 ? 0 : c.redX - 160, c.redY < 0 ? 0 : c.redY - 95),
                      c.redX < 0 ? kGrey : 255)
                << c.what;
        } else if (c.goldenExists) {
            EXPECT_EQ(fs::last_write_time(golden), before) << c.what << ": golden left alone";
        }
    }
    fs::remove_all(dir);
}

TEST(GoldenCheckTest, TheDiffPictureShowsASinglePixelEnlargedAndFramedOnTheDimmedGolden) {
    const fs::path dir = fs::temp_directory_path() / "nuvik-golden-diff-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string screenshot = (dir / "screen.png").string();
    const std::string golden = (dir / "golden.png").string();
    std::string error;
    ASSERT_TRUE(win32::png::Write(Picture(), screenshot, &error));
    nuvik::golden::CheckGolden(screenshot, golden, {});
    ASSERT_TRUE(win32::png::Write(Picture(410, 155), screenshot, &error));  // (250, 60)

    EXPECT_FALSE(nuvik::golden::CheckGolden(screenshot, golden, {}).passed);

    RgbImage diff;
    ASSERT_TRUE(win32::png::Read((dir / "golden-DIFF.png").string(), &diff, &error)) << error;
    ASSERT_EQ(diff.width, 1280);
    ASSERT_EQ(diff.height, 960);
    for (int y = 240; y < 244; ++y) {
        for (int x = 1000; x < 1004; ++x)
            EXPECT_EQ(Red(diff, x, y), 255) << x << ", " << y;
    }
    auto pixel = [&](int x, int y) {
        std::size_t at = (static_cast<std::size_t>(y) * 1280 + static_cast<std::size_t>(x)) * 3;
        return std::array<int, 3>{diff.rgb[at], diff.rgb[at + 1], diff.rgb[at + 2]};
    };
    EXPECT_EQ(pixel(996, 240), (std::array<int, 3>{255, 255, 0})) << "the yellow frame";
    EXPECT_EQ(pixel(0, 0), (std::array<int, 3>{kGrey / 3, kGrey / 3, kGrey / 3})) << "dimmed";
    fs::remove_all(dir);
}

}  // namespace
