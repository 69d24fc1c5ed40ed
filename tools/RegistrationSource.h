// The C++ source that embeds the manifest's files and registers them in the resource table.
#pragma once

#include <string>
#include <vector>

#include "tools/Manifest.h"

namespace nuvik::tools {

// Defines nuvik::assets::RegisterAll(). A BITMAP file is stored without its 14-byte file
// header, as bitmap resources are packed DIBs. False with `error` for a file that cannot be
// read, is empty, or does not hold what its type says (a .bmp, a cursor or an icon file).
bool MakeRegistrationSource(const std::vector<ManifestEntry>& entries,
                            const std::string& manifestName, std::string* source,
                            std::string* error);

}  // namespace nuvik::tools
