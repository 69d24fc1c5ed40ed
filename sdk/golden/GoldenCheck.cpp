#include "sdk/golden/GoldenCheck.h"

#include <cstddef>
#include <filesystem>
#include <system_error>

#include "sdk/golden/PictureDifference.h"
#include "win32/platform/Png.h"

namespace nuvik::golden {

namespace {

using win32::png::RgbImage;

// The console's screen in the runner's 640 x 480 picture.
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;
constexpr int kConsoleLeft = 160;
constexpr int kConsoleTop = 95;
constexpr int kConsoleWidth = 320;
constexpr int kConsoleHeight = 240;

std::string Beside(const std::string& goldenPath, const char* suffix) {
    std::filesystem::path path(goldenPath);
    return (path.parent_path() / (path.stem().string() + suffix)).string();
}

CheckResult Fail(std::string message) {
    return {false, std::move(message)};
}

std::string Size(int width, int height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

std::string Point(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::string AreaName(Area area) {
    return area == Area::kConsole ? "the 320 x 240 console screen" : "the 640 x 480 picture";
}

RgbImage Crop(const RgbImage& picture, int left, int top, int width, int height) {
    RgbImage part;
    part.width = width;
    part.height = height;
    part.rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = top; y < top + height; ++y) {
        auto row =
            picture.rgb.begin() +
            static_cast<std::ptrdiff_t>(
                (static_cast<std::size_t>(y) * picture.width + static_cast<std::size_t>(left)) * 3);
        part.rgb.insert(part.rgb.end(), row, row + static_cast<std::ptrdiff_t>(width) * 3);
    }
    return part;
}

void RemoveMismatchPictures(const std::string& goldenPath) {
    std::error_code ignored;
    std::filesystem::remove(Beside(goldenPath, "-ACTUAL.png"), ignored);
    std::filesystem::remove(Beside(goldenPath, "-DIFF.png"), ignored);
}

bool WriteGolden(const RgbImage& actual, const std::string& goldenPath, std::string* error) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(goldenPath).parent_path(), ignored);
    if (!win32::png::Write(actual, goldenPath, error))
        return false;
    RemoveMismatchPictures(goldenPath);
    return true;
}

std::string Where(const Difference& d, const RgbImage& golden, const RgbImage& actual) {
    return std::to_string(d.count) + (d.count == 1 ? " pixel differs" : " pixels differ") +
           ", within " + Point(d.left, d.top) + " to " + Point(d.right, d.bottom) +
           "; the first at " + Point(d.firstX, d.firstY) + " is " +
           ColourAt(golden, d.firstX, d.firstY) + " in the golden, " +
           ColourAt(actual, d.firstX, d.firstY) + " in this run";
}

}  // namespace

CheckResult CheckGolden(const std::string& screenshotPath, const std::string& goldenPath,
                        const CheckOptions& options) {
    std::string error;
    RgbImage actual;
    if (!win32::png::Read(screenshotPath, &actual, &error))
        return Fail("cannot read the screenshot " + screenshotPath + ": " + error);
    if (options.area == Area::kConsole) {
        if (actual.width != kPictureWidth || actual.height != kPictureHeight) {
            return Fail("the screenshot " + screenshotPath + " is " +
                        Size(actual.width, actual.height) + ", not the runner's " +
                        Size(kPictureWidth, kPictureHeight) +
                        " picture the console screen is taken from");
        }
        actual = Crop(actual, kConsoleLeft, kConsoleTop, kConsoleWidth, kConsoleHeight);
    }
    const std::string area = AreaName(options.area);
    const std::string lookAtIt = ": look at it, commit it and run the test again";

    if (!std::filesystem::exists(goldenPath)) {
        if (!WriteGolden(actual, goldenPath, &error))
            return Fail("cannot write the golden " + goldenPath + ": " + error);
        return Fail("golden " + goldenPath + " written from this run (" + area + ")" + lookAtIt);
    }
    RgbImage golden;
    if (!win32::png::Read(goldenPath, &golden, &error))
        return Fail("cannot read the golden " + goldenPath + ": " + error);

    const std::string actualCopy = Beside(goldenPath, "-ACTUAL.png");
    const std::string diffPath = Beside(goldenPath, "-DIFF.png");
    if (golden.width != actual.width || golden.height != actual.height) {
        const std::string sizes = "the golden " + goldenPath + " is " +
                                  Size(golden.width, golden.height) + ", not the size of " + area +
                                  " (was it made for another AREA?)";
        if (options.update) {
            if (!WriteGolden(actual, goldenPath, &error))
                return Fail("cannot write the golden " + goldenPath + ": " + error);
            return Fail("rewrote " + goldenPath + " from this run (" + sizes + ")" + lookAtIt);
        }
        if (!win32::png::Write(actual, actualCopy, &error))
            return Fail(sizes + "; cannot write " + actualCopy + ": " + error);
        return Fail(sizes + "; wrote " + actualCopy);
    }

    const Difference difference = Compare(golden, actual);
    if (difference.count == 0) {
        RemoveMismatchPictures(goldenPath);
        return {true, "matches " + goldenPath};
    }
    const std::string where = Where(difference, golden, actual);
    if (options.update) {
        if (!WriteGolden(actual, goldenPath, &error))
            return Fail("cannot write the golden " + goldenPath + ": " + error);
        return Fail("rewrote " + goldenPath + " from this run (" + where + ")" + lookAtIt);
    }
    if (!win32::png::Write(actual, actualCopy, &error) ||
        !win32::png::Write(DiffPicture(golden, actual, difference), diffPath, &error))
        return Fail(where + "; cannot write the pictures of the mismatch: " + error);
    return Fail(goldenPath + " does not match " + area + ": " + where + ".\nWrote " + actualCopy +
                " (this run) and " + diffPath + " (" + std::to_string(DiffScale(golden.width)) +
                " times enlarged, the differing pixels red in a yellow frame). If the change "
                "is meant, NUVIK_UPDATE_GOLDENS=1 rewrites the golden.");
}

}  // namespace nuvik::golden
