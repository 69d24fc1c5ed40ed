#include "support/Golden.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace nuvik::testing {

namespace {

std::string GoldenPath(const std::string& name) {
    return "tests/golden/" + name;
}

std::string ActualPath(const std::string& path) {
    std::string stem = path.substr(0, path.size() - 4);  // without ".png"
    return stem + "-ACTUAL.png";
}

// NUVIK_UPDATE_GOLDENS=1: a golden this run differs from is rewritten from it (./test never
// sets it).
bool UpdatingGoldens() {
    const char* update = std::getenv("NUVIK_UPDATE_GOLDENS");
    return update != nullptr && std::strcmp(update, "1") == 0;
}

// How `image` differs from the golden at `path`; empty when it is the same.
std::string Difference(const win32::png::RgbImage& image, const std::string& path) {
    if (!std::filesystem::exists(path))
        return "golden " + path + " is missing";
    win32::png::RgbImage golden;
    std::string error;
    if (!win32::png::Read(path, &golden, &error))
        return error;
    if (golden.width != image.width || golden.height != image.height) {
        return path + " is " + std::to_string(golden.width) + "x" + std::to_string(golden.height) +
               ", image is " + std::to_string(image.width) + "x" + std::to_string(image.height);
    }
    int differing = 0;
    int firstX = -1;
    int firstY = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
            if (image.rgb[at] != golden.rgb[at] || image.rgb[at + 1] != golden.rgb[at + 1] ||
                image.rgb[at + 2] != golden.rgb[at + 2]) {
                if (differing++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
        }
    }
    if (differing == 0)
        return "";
    return std::to_string(differing) + " pixels differ from " + path + ", the first at (" +
           std::to_string(firstX) + ", " + std::to_string(firstY) + ")";
}

}  // namespace

::testing::AssertionResult MatchesGolden(const win32::png::RgbImage& image,
                                         const std::string& name) {
    const std::string path = GoldenPath(name);
    const std::string difference = Difference(image, path);
    if (difference.empty()) {
        std::filesystem::remove(ActualPath(path));
        return ::testing::AssertionSuccess();
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::string error;
    // Either way the check fails: a picture nobody has looked at never passes a run.
    if (UpdatingGoldens()) {
        if (!win32::png::Write(image, path, &error))
            return ::testing::AssertionFailure() << difference << "; " << error;
        std::filesystem::remove(ActualPath(path));
        return ::testing::AssertionFailure() << difference << "; NUVIK_UPDATE_GOLDENS=1 rewrote "
                                             << path << " from this run: look at it and commit it";
    }
    if (!win32::png::Write(image, ActualPath(path), &error))
        return ::testing::AssertionFailure() << difference << "; " << error;
    return ::testing::AssertionFailure()
           << difference << "; wrote this run's picture as " << ActualPath(path)
           << ". If it is right, rename it to " << path
           << " (or rerun with NUVIK_UPDATE_GOLDENS=1) and commit it";
}

::testing::AssertionResult MatchesGolden(const win32::PixelBuffer& buffer,
                                         const std::string& name) {
    return MatchesGolden(win32::png::ToRgb(buffer), name);
}

win32::png::RgbImage Crop(const win32::png::RgbImage& image, int left, int top, int right,
                          int bottom) {
    win32::png::RgbImage cropped;
    cropped.width = right - left;
    cropped.height = bottom - top;
    cropped.rgb.reserve(static_cast<std::size_t>(cropped.width) * cropped.height * 3);
    for (int y = top; y < bottom; ++y) {
        auto begin = image.rgb.begin() + (static_cast<std::ptrdiff_t>(y) * image.width + left) * 3;
        cropped.rgb.insert(cropped.rgb.end(), begin, begin + cropped.width * 3);
    }
    return cropped;
}

}  // namespace nuvik::testing
