// Every binary asset the generators make, by file name, and writing them into a folder.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/Bytes.h"
#include "tools/FontText.h"

namespace nuvik::tools {

struct AssetGenerator {
    std::string fileName;
    bool needsLabelFont;  // only the console picture has text
    std::function<Bytes(const FontText* labels)> make;
};

const std::vector<AssetGenerator>& AssetGenerators();

// Writes the files named in `only` (every file when empty) into `directory`. False with
// `error` set for an unknown name, a missing font or a file that cannot be written.
bool WriteGeneratedAssets(const std::filesystem::path& directory,
                          const std::vector<std::string>& only, std::string* error);

}  // namespace nuvik::tools
