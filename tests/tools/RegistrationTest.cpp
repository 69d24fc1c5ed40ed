// The embedded resources as the program finds them after RegisterAll(): every manifest entry
// under its type and name, with the file's bytes (bitmaps without their file header).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "AssetFiles.h"
#include "assets/Assets.h"
#include "tools/Manifest.h"
#include "tools/RegistrationSource.h"
#include "win32/api.h"
#include "win32/platform/Resources.h"

namespace nuvik::testing {
namespace {

LPCSTR TypeOf(tools::ResourceType type) {
    switch (type) {
        case tools::ResourceType::Bitmap:
            return RT_BITMAP;
        case tools::ResourceType::GroupCursor:
            return RT_GROUP_CURSOR;
        case tools::ResourceType::GroupIcon:
            return RT_GROUP_ICON;
        case tools::ResourceType::RcData:
            return RT_RCDATA;
    }
    return RT_RCDATA;
}

std::vector<tools::ManifestEntry> CheckedInManifest() {
    std::vector<tools::ManifestEntry> entries;
    std::string error;
    EXPECT_TRUE(tools::ReadManifest("assets/resources.txt", &entries, &error)) << error;
    return entries;
}

TEST(EmbeddedResources, HoldEveryManifestEntryWithItsFilesBytes) {
    assets::RegisterAll();
    std::vector<tools::ManifestEntry> entries = CheckedInManifest();
    ASSERT_FALSE(entries.empty());
    for (const tools::ManifestEntry& entry : entries) {
        SCOPED_TRACE(entry.name);
        tools::Bytes file;
        std::string error;
        ASSERT_TRUE(tools::ReadWholeFile(entry.file, &file, &error)) << error;
        std::size_t skip = entry.type == tools::ResourceType::Bitmap ? 14 : 0;
        std::size_t size = 0;
        const void* data = win32::resources::Find(TypeOf(entry.type), entry.name.c_str(), &size);
        ASSERT_NE(data, nullptr);
        ASSERT_EQ(size, file.size() - skip);
        EXPECT_EQ(std::memcmp(data, file.data() + skip, size), 0);
    }
}

TEST(EmbeddedResources, BitmapsArePackedDibsThatCanBeReadInPlace) {
    assets::RegisterAll();
    for (const char* name : {"W95_HTB", "W95_HRL", "W95_VTB", "W95_VRL", "BACKGROUND"}) {
        SCOPED_TRACE(name);
        std::size_t size = 0;
        const void* data = win32::resources::Find(RT_BITMAP, name, &size);
        ASSERT_NE(data, nullptr);
        ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data) % alignof(BITMAPINFOHEADER), 0u);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(data);
        EXPECT_EQ(header->biSize, 40u);
        EXPECT_EQ(header->biPlanes, 1);
    }
    std::size_t size = 0;
    const auto* background = static_cast<const BITMAPINFOHEADER*>(
        win32::resources::Find(RT_BITMAP, "BACKGROUND", &size));
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->biWidth, 640);
    EXPECT_EQ(background->biHeight, 480);
    EXPECT_EQ(background->biBitCount, 8);
}

TEST(EmbeddedResources, AreFoundUnderTheirTypeOnly) {
    assets::RegisterAll();
    EXPECT_EQ(win32::resources::Find(RT_GROUP_CURSOR, "W95_HTB", nullptr), nullptr);
    EXPECT_EQ(win32::resources::Find(RT_BITMAP, "KW_HANDCUR", nullptr), nullptr);
    EXPECT_NE(win32::resources::Find(RT_GROUP_ICON, "MAINICON", nullptr), nullptr);
}

TEST(RegistrationSource, RefusesFilesThatDoNotHoldWhatTheirTypeSays) {
    ScratchFolder scratch;
    std::string error;
    auto write = [&](const char* name, const tools::Bytes& bytes) {
        EXPECT_TRUE(tools::WriteWholeFile(scratch.Path() / name, bytes, &error)) << error;
        return scratch.Path() / name;
    };
    tools::Bytes bitmap = ReadAsset("W95_HRL.bmp");
    tools::Bytes cursor = ReadAsset("KW_HANDCUR.cur");
    tools::Bytes icon = ReadAsset("MAINICON.ico");
    tools::Bytes truncated(bitmap.begin(), bitmap.end() - 1);
    struct Case {
        tools::ResourceType type;
        std::filesystem::path file;
        const char* reason;
    };
    const Case cases[] = {
        {tools::ResourceType::RcData, write("empty.txt", {}), "is empty"},
        {tools::ResourceType::Bitmap, write("cursor.bmp", cursor), "is not a whole .bmp file"},
        {tools::ResourceType::Bitmap, write("cut.bmp", truncated), "is not a whole .bmp file"},
        {tools::ResourceType::GroupCursor, write("icon.cur", icon), "is not a cursor (.cur) file"},
        {tools::ResourceType::GroupIcon, write("cursor.ico", cursor), "is not an icon (.ico) file"},
        {tools::ResourceType::GroupIcon, scratch.Path() / "absent.ico", "cannot read"},
    };
    for (const Case& c : cases) {
        std::string source = "untouched";
        error.clear();
        EXPECT_FALSE(
            tools::MakeRegistrationSource({{c.type, "NAME", c.file, 1}}, "m.txt", &source, &error))
            << c.file;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(source, "untouched");
    }
}

}  // namespace
}  // namespace nuvik::testing
