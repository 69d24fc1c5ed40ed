// Reading the checked-in assets and a scratch folder for regenerated ones.
#pragma once

#include <filesystem>
#include <string>

#include "tools/Bytes.h"
#include "tools/IndexedImage.h"

namespace nuvik::testing {

std::filesystem::path AssetPath(const std::string& fileName);
// The file's bytes; the test fails (and the result is empty) when it cannot be read.
tools::Bytes ReadAsset(const std::string& fileName);
// The checked-in .bmp decoded; the test fails when it cannot be.
tools::IndexedImage DecodeAssetBitmap(const std::string& fileName);

int Luma(const tools::Rgb& colour);

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace nuvik::testing
