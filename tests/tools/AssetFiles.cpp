#include "AssetFiles.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <atomic>

#include "tools/DibDecoding.h"

namespace nuvik::testing {

std::filesystem::path AssetPath(const std::string& fileName) {
    return std::filesystem::path("assets") / fileName;
}

tools::Bytes ReadAsset(const std::string& fileName) {
    tools::Bytes bytes;
    std::string error;
    EXPECT_TRUE(tools::ReadWholeFile(AssetPath(fileName), &bytes, &error)) << error;
    return bytes;
}

tools::IndexedImage DecodeAssetBitmap(const std::string& fileName) {
    tools::IndexedImage image;
    std::string error;
    EXPECT_TRUE(tools::DecodeBmpFile(ReadAsset(fileName), &image, &error))
        << fileName << ": " << error;
    return image;
}

int Luma(const tools::Rgb& colour) {
    return (299 * colour.r + 587 * colour.g + 114 * colour.b) / 1000;
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("nuvik-tools-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace nuvik::testing
