// The checked-in assets are exactly what the generators make today, so nobody edits a binary
// by hand and a change to a generator is never forgotten in assets/.
#include <gtest/gtest.h>

#include <string>

#include "AssetFiles.h"
#include "support/Dependencies.h"
#include "tools/GeneratedAssets.h"

namespace nuvik::testing {
namespace {

class RegeneratedAsset : public ::testing::TestWithParam<std::string> {};

TEST_P(RegeneratedAsset, EqualsTheCheckedInFileByteForByte) {
    const std::string& fileName = GetParam();
    for (const tools::AssetGenerator& generator : tools::AssetGenerators()) {
        if (generator.fileName != fileName || !generator.needsLabelFont)
            continue;
        std::string error;
        if (tools::FindLabelFont(&error).empty())
            NUVIK_DEPENDENCY_MISSING(error);
    }
    ScratchFolder scratch;
    std::string error;
    ASSERT_TRUE(tools::WriteGeneratedAssets(scratch.Path(), {fileName}, &error)) << error;
    tools::Bytes regenerated;
    ASSERT_TRUE(tools::ReadWholeFile(scratch.Path() / fileName, &regenerated, &error)) << error;
    tools::Bytes checkedIn = ReadAsset(fileName);
    ASSERT_EQ(regenerated.size(), checkedIn.size()) << fileName;
    std::size_t firstDifference = 0;
    while (firstDifference < regenerated.size() &&
           regenerated[firstDifference] == checkedIn[firstDifference])
        ++firstDifference;
    EXPECT_EQ(firstDifference, regenerated.size())
        << fileName << " differs from byte " << firstDifference
        << "; rebuild the target regenerate_assets and look at the result";
}

INSTANTIATE_TEST_SUITE_P(EveryGeneratedFile, RegeneratedAsset,
                         ::testing::Values("W95_HTB.bmp", "W95_HRL.bmp", "W95_VTB.bmp",
                                           "W95_VRL.bmp", "KW_HANDCUR.cur", "KW_DRAGCUR.cur",
                                           "MAINICON.ico", "BACKGROUND.bmp"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             for (char& c : name) {
                                 if (c == '.')
                                     c = '_';
                             }
                             return name;
                         });

TEST(GeneratedAssets, ListExactlyTheFilesTheManifestNeeds) {
    std::vector<std::string> names;
    for (const tools::AssetGenerator& generator : tools::AssetGenerators())
        names.push_back(generator.fileName);
    EXPECT_EQ(names, (std::vector<std::string>{"W95_HTB.bmp", "W95_HRL.bmp", "W95_VTB.bmp",
                                               "W95_VRL.bmp", "KW_HANDCUR.cur", "KW_DRAGCUR.cur",
                                               "MAINICON.ico", "BACKGROUND.bmp"}));
}

TEST(GeneratedAssets, RefuseAnUnknownFileWithoutWritingAnything) {
    ScratchFolder scratch;
    std::string error;
    EXPECT_FALSE(tools::WriteGeneratedAssets(scratch.Path(), {"W95_HTB.bmp", "NOPE.bmp"}, &error));
    EXPECT_EQ(error, "no generator makes NOPE.bmp");
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Path()));
}

TEST(GeneratedAssets, ReportAFolderThatCannotBeWritten) {
    ScratchFolder scratch;
    std::string error;
    EXPECT_FALSE(tools::WriteGeneratedAssets(scratch.Path() / "missing" / "deeper", {"W95_HRL.bmp"},
                                             &error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}

}  // namespace
}  // namespace nuvik::testing
