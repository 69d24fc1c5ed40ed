// Regenerates the checked-in binary assets: generate_assets OUTPUT_DIR [FILE...]
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/GeneratedAssets.h"

int main(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [FILE...]\nfiles:", argv[0]);
        for (const nuvik::tools::AssetGenerator& generator : nuvik::tools::AssetGenerators())
            std::fprintf(stderr, " %s", generator.fileName.c_str());
        std::fprintf(stderr, "\n");
        return argc < 2 ? 2 : 0;
    }
    std::vector<std::string> only(argv + 2, argv + argc);
    std::string error;
    try {
        if (!nuvik::tools::WriteGeneratedAssets(argv[1], only, &error)) {
            std::fprintf(stderr, "generate_assets: %s\n", error.c_str());
            return 1;
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "generate_assets: %s\n", failure.what());
        return 1;
    }
    return 0;
}
