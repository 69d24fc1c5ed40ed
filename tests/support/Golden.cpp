#include "support/Golden.h"

#include <cstdio>
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

// NUVIK_UPDATE_GOLDENS=1: this run's pictures become the goldens (./test never sets it).
bool UpdatingGoldens() {
    const char* update = std::getenv("NUVIK_UPDATE_GOLDENS");
    return update != nullptr && std::strcmp(update, "1") == 0;
}

}  // namespace

::testing::AssertionResult MatchesGolden(const win32::png::RgbImage& image,
                                         const std::string& name) {
    std::string path = GoldenPath(name);
    std::string error;
    if (UpdatingGoldens()) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        if (!win32::png::Write(image, path, &error))
            return ::testing::AssertionFailure() << error;
        std::filesystem::remove(ActualPath(path));
        std::fprintf(stderr, "NUVIK_UPDATE_GOLDENS=1: wrote the golden %s from this run\n",
                     path.c_str());
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(path)) {
        // Never written as the golden itself: a picture nobody has looked at would pass the
        // next run.
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        if (!win32::png::Write(image, ActualPath(path), &error))
            return ::testing::AssertionFailure() << error;
        return ::testing::AssertionFailure()
               << "golden " << path << " is missing; wrote this run's picture as "
               << ActualPath(path) << ". Look at it; if it is right, rename it to " << path
               << " (or rerun with NUVIK_UPDATE_GOLDENS=1) and commit it";
    }
    win32::png::RgbImage golden;
    if (!win32::png::Read(path, &golden, &error))
        return ::testing::AssertionFailure() << error;
    if (golden.width != image.width || golden.height != image.height) {
        win32::png::Write(image, ActualPath(path), &error);
        return ::testing::AssertionFailure()
               << path << " is " << golden.width << "x" << golden.height << ", image is "
               << image.width << "x" << image.height << "; wrote " << ActualPath(path);
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
    if (differing == 0) {
        std::filesystem::remove(ActualPath(path));
        return ::testing::AssertionSuccess();
    }
    win32::png::Write(image, ActualPath(path), &error);
    return ::testing::AssertionFailure()
           << differing << " pixels differ from " << path << ", the first at (" << firstX << ", "
           << firstY << "); wrote " << ActualPath(path);
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
