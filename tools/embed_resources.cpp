// Writes the C++ source that embeds the resources a manifest lists:
// embed_resources MANIFEST OUTPUT.cpp
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/Bytes.h"
#include "tools/Manifest.h"
#include "tools/RegistrationSource.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s MANIFEST OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    std::vector<nuvik::tools::ManifestEntry> entries;
    std::string source;
    std::string error;
    try {
        if (!nuvik::tools::ReadManifest(argv[1], &entries, &error) ||
            !nuvik::tools::MakeRegistrationSource(entries, argv[1], &source, &error) ||
            !nuvik::tools::WriteWholeFile(
                argv[2], nuvik::tools::Bytes(source.begin(), source.end()), &error)) {
            std::fprintf(stderr, "embed_resources: %s\n", error.c_str());
            return 1;
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "embed_resources: %s\n", failure.what());
        return 1;
    }
    return 0;
}
