#include "tools/Manifest.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "tools/Bytes.h"

namespace nuvik::tools {

namespace {

struct TypeName {
    ResourceType type;
    const char* keyword;
};

constexpr TypeName kTypes[] = {
    {ResourceType::Bitmap, "BITMAP"},
    {ResourceType::GroupCursor, "GROUP_CURSOR"},
    {ResourceType::GroupIcon, "GROUP_ICON"},
    {ResourceType::RcData, "RCDATA"},
};

bool IsValidName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    });
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

const char* TypeKeyword(ResourceType type) {
    for (const TypeName& entry : kTypes) {
        if (entry.type == type)
            return entry.keyword;
    }
    return "?";
}

bool ParseManifest(std::string_view text, const std::string& sourceName,
                   const std::filesystem::path& baseDirectory, std::vector<ManifestEntry>* entries,
                   std::string* error) {
    std::vector<ManifestEntry> parsed;
    std::istringstream lines{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        auto fail = [&](const std::string& reason) {
            *error = sourceName + ":" + std::to_string(number) + ": " + reason;
            return false;
        };
        line = line.substr(0, line.find('#'));
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        if (words.empty())
            continue;
        if (words.size() != 3)
            return fail("expected TYPE NAME FILE, found " + std::to_string(words.size()) +
                        " fields");
        const TypeName* type = nullptr;
        for (const TypeName& candidate : kTypes) {
            if (words[0] == candidate.keyword)
                type = &candidate;
        }
        if (type == nullptr)
            return fail("unknown type " + words[0] +
                        " (BITMAP, GROUP_CURSOR, GROUP_ICON or RCDATA)");
        if (!IsValidName(words[1]))
            return fail("the name " + words[1] + " may hold only letters, digits and '_'");
        for (const ManifestEntry& earlier : parsed) {
            if (earlier.type == type->type && Upper(earlier.name) == Upper(words[1]))
                return fail(std::string(type->keyword) + " " + words[1] +
                            " is already listed on line " + std::to_string(earlier.line));
        }
        parsed.push_back({type->type, words[1], baseDirectory / words[2], number});
    }
    *entries = std::move(parsed);
    return true;
}

bool ReadManifest(const std::filesystem::path& path, std::vector<ManifestEntry>* entries,
                  std::string* error) {
    Bytes bytes;
    if (!ReadWholeFile(path, &bytes, error))
        return false;
    std::string text(bytes.begin(), bytes.end());
    return ParseManifest(text, path.string(), path.parent_path(), entries, error);
}

}  // namespace nuvik::tools
