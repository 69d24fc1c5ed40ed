#include "tools/Manifest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvik::testing {
namespace {

using tools::ManifestEntry;
using tools::ResourceType;

TEST(Manifest, ReadsEntriesSkippingCommentsAndBlankLinesWithFilesBesideIt) {
    const char* text =
        "# resources\n"
        "\n"
        "BITMAP  W95_HTB  W95_HTB.bmp   # the thumb\n"
        "\tGROUP_CURSOR\tKW_HANDCUR\tcursors/hand.cur\n"
        "   \n"
        "GROUP_ICON MAINICON MAINICON.ico\n"
        "RCDATA TMAINWIN ../app/Form_main.txt";
    std::vector<ManifestEntry> entries;
    std::string error;
    ASSERT_TRUE(tools::ParseManifest(text, "m.txt", "base", &entries, &error)) << error;
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].type, ResourceType::Bitmap);
    EXPECT_EQ(entries[0].name, "W95_HTB");
    EXPECT_EQ(entries[0].file, std::filesystem::path("base/W95_HTB.bmp"));
    EXPECT_EQ(entries[0].line, 3);
    EXPECT_EQ(entries[1].type, ResourceType::GroupCursor);
    EXPECT_EQ(entries[1].file, std::filesystem::path("base/cursors/hand.cur"));
    EXPECT_EQ(entries[1].line, 4);
    EXPECT_EQ(entries[2].type, ResourceType::GroupIcon);
    EXPECT_EQ(entries[3].type, ResourceType::RcData);
    EXPECT_EQ(entries[3].file, std::filesystem::path("base/../app/Form_main.txt"));
}

TEST(Manifest, RefusesMalformedLinesNamingTheLine) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"BITMAP ONLYNAME\n", "m.txt:1: expected TYPE NAME FILE, found 2 fields"},
        {"\nBITMAP A a.bmp extra\n", "m.txt:2: expected TYPE NAME FILE, found 4 fields"},
        {"ICON MAINICON a.ico\n",
         "m.txt:1: unknown type ICON (BITMAP, GROUP_CURSOR, GROUP_ICON or RCDATA)"},
        {"bitmap A a.bmp\n",
         "m.txt:1: unknown type bitmap (BITMAP, GROUP_CURSOR, GROUP_ICON or RCDATA)"},
        {"BITMAP bad-name a.bmp\n",
         "m.txt:1: the name bad-name may hold only letters, digits and '_'"},
        {"BITMAP \"Q\" a.bmp\n", "m.txt:1: the name \"Q\" may hold only letters, digits and '_'"},
        {"BITMAP Thumb a.bmp\n# x\nBITMAP THUMB b.bmp\n",
         "m.txt:3: BITMAP THUMB is already listed on line 1"},
    };
    for (const Case& c : cases) {
        std::vector<ManifestEntry> entries{{ResourceType::RcData, "KEEP", "keep", 9}};
        std::string error;
        EXPECT_FALSE(tools::ParseManifest(c.text, "m.txt", ".", &entries, &error)) << c.text;
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(entries.size(), 1u) << "entries untouched on failure";
    }
}

TEST(Manifest, AllowsOneNameForDifferentTypes) {
    std::vector<ManifestEntry> entries;
    std::string error;
    EXPECT_TRUE(
        tools::ParseManifest("BITMAP SAME a.bmp\nRCDATA SAME b.txt\n", "m", ".", &entries, &error))
        << error;
    EXPECT_EQ(entries.size(), 2u);
}

TEST(Manifest, CheckedInListsTheProgramsResources) {
    std::vector<ManifestEntry> entries;
    std::string error;
    ASSERT_TRUE(tools::ReadManifest("assets/resources.txt", &entries, &error)) << error;
    struct Wanted {
        ResourceType type;
        const char* name;
    };
    const Wanted wanted[] = {
        {ResourceType::Bitmap, "W95_HTB"},         {ResourceType::Bitmap, "W95_HRL"},
        {ResourceType::Bitmap, "W95_VTB"},         {ResourceType::Bitmap, "W95_VRL"},
        {ResourceType::GroupCursor, "KW_HANDCUR"}, {ResourceType::GroupCursor, "KW_DRAGCUR"},
        {ResourceType::GroupIcon, "MAINICON"},     {ResourceType::Bitmap, "BACKGROUND"},
    };
    for (const Wanted& w : wanted) {
        bool found = false;
        for (const ManifestEntry& entry : entries)
            found = found || (entry.type == w.type && entry.name == w.name);
        EXPECT_TRUE(found) << tools::TypeKeyword(w.type) << " " << w.name;
    }
    for (const ManifestEntry& entry : entries)
        EXPECT_TRUE(std::filesystem::exists(entry.file)) << entry.file;
}

TEST(Manifest, ReportsAMissingFile) {
    std::vector<ManifestEntry> entries;
    std::string error;
    EXPECT_FALSE(tools::ReadManifest("assets/no-such-manifest.txt", &entries, &error));
    EXPECT_NE(error.find("cannot read assets/no-such-manifest.txt"), std::string::npos) << error;
}

}  // namespace
}  // namespace nuvik::testing
