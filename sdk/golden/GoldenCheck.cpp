#include "sdk/golden/GoldenCheck.h"

#include <cstddef>
#include <filesystem>
#include <system_error>

#include "win32/platform/Png.h"

namespace nuvik::golden {

namespace {

using win32::png::RgbImage;

std::string Beside(const std::string& goldenPath, const char* suffix) {
    std::filesystem::path path(goldenPath);
    return (path.parent_path() / (path.stem().string() + suffix)).string();
}

CheckResult Fail(std::string message) {
    return {false, std::move(message)};
}

// The golden at a third of its brightness, with every differing pixel pure red.
RgbImage DiffPicture(const RgbImage& golden, const RgbImage& actual) {
    RgbImage diff = golden;
    for (std::size_t at = 0; at + 2 < diff.rgb.size(); at += 3) {
        bool differs = golden.rgb[at] != actual.rgb[at] ||
                       golden.rgb[at + 1] != actual.rgb[at + 1] ||
                       golden.rgb[at + 2] != actual.rgb[at + 2];
        for (std::size_t channel = 0; channel < 3; ++channel) {
            auto dimmed = static_cast<std::uint8_t>(golden.rgb[at + channel] / 3);
            diff.rgb[at + channel] = differs ? (channel == 0 ? 255 : 0) : dimmed;
        }
    }
    return diff;
}

}  // namespace

CheckResult CheckGolden(const std::string& actualPath, const std::string& goldenPath, bool update) {
    std::string error;
    RgbImage actual;
    if (!win32::png::Read(actualPath, &actual, &error))
        return Fail("cannot read the screenshot " + actualPath + ": " + error);

    const std::string actualCopy = Beside(goldenPath, "-ACTUAL.png");
    const std::string diffPath = Beside(goldenPath, "-DIFF.png");
    if (update || !std::filesystem::exists(goldenPath)) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(goldenPath).parent_path(),
                                            ignored);
        if (!win32::png::Write(actual, goldenPath, &error))
            return Fail("cannot write the golden " + goldenPath + ": " + error);
        std::filesystem::remove(actualCopy, ignored);
        std::filesystem::remove(diffPath, ignored);
        if (update)
            return {true, "rewrote the golden " + goldenPath + " from this run"};
        return Fail("the golden " + goldenPath +
                    " was missing and has been written from this run; look at it and rerun");
    }

    RgbImage golden;
    if (!win32::png::Read(goldenPath, &golden, &error))
        return Fail("cannot read the golden " + goldenPath + ": " + error);
    if (golden.width != actual.width || golden.height != actual.height) {
        win32::png::Write(actual, actualCopy, &error);
        return Fail(goldenPath + " is " + std::to_string(golden.width) + "x" +
                    std::to_string(golden.height) + ", the screen " + std::to_string(actual.width) +
                    "x" + std::to_string(actual.height) + "; wrote " + actualCopy);
    }

    long differing = 0;
    long firstAt = -1;
    for (std::size_t at = 0; at + 2 < actual.rgb.size(); at += 3) {
        if (actual.rgb[at] != golden.rgb[at] || actual.rgb[at + 1] != golden.rgb[at + 1] ||
            actual.rgb[at + 2] != golden.rgb[at + 2]) {
            if (differing++ == 0)
                firstAt = static_cast<long>(at / 3);
        }
    }
    std::error_code ignored;
    if (differing == 0) {
        std::filesystem::remove(actualCopy, ignored);
        std::filesystem::remove(diffPath, ignored);
        return {true, "matches " + goldenPath};
    }
    if (!win32::png::Write(actual, actualCopy, &error) ||
        !win32::png::Write(DiffPicture(golden, actual), diffPath, &error))
        return Fail("cannot write the pictures of a mismatch: " + error);
    return Fail(std::to_string(differing) + " pixels differ from " + goldenPath +
                ", the first at (" + std::to_string(firstAt % actual.width) + ", " +
                std::to_string(firstAt / actual.width) + "); wrote " + actualCopy + " and " +
                diffPath);
}

}  // namespace nuvik::golden
