// The resource manifest, assets/resources.txt: one resource a line as `TYPE NAME FILE`, FILE
// relative to the manifest's folder, `#` starting a comment.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace nuvik::tools {

enum class ResourceType { Bitmap, GroupCursor, GroupIcon, RcData };

struct ManifestEntry {
    ResourceType type;
    std::string name;
    std::filesystem::path file;
    int line;
};

// The manifest's spelling of the type: BITMAP, GROUP_CURSOR, GROUP_ICON, RCDATA.
const char* TypeKeyword(ResourceType type);

// False with `error` as "SOURCE:LINE: reason" for a malformed line, an unknown type, a name
// that is not letters, digits and underscores, or a name given twice for one type (names are
// compared ignoring case, as resource lookups do).
bool ParseManifest(std::string_view text, const std::string& sourceName,
                   const std::filesystem::path& baseDirectory, std::vector<ManifestEntry>* entries,
                   std::string* error);
bool ReadManifest(const std::filesystem::path& path, std::vector<ManifestEntry>* entries,
                  std::string* error);

}  // namespace nuvik::tools
