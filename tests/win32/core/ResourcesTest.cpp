#include "win32/platform/Resources.h"

#include <gtest/gtest.h>

#include "win32/constants.h"
#include "win32/kernel.h"

namespace {

const char kForm[] = "object MainWin: TMainWin";
const unsigned char kBitmap[] = {40, 0, 0, 0, 1, 2, 3};
const unsigned char kReplacement[] = {9, 9};

TEST(Resources, FoundByTypeAndNameWhateverTheCaseOfTheName) {
    win32::resources::Register(RT_RCDATA, "TMainWin", kForm, sizeof kForm);
    struct Case {
        const char* name;
        LPCSTR type;
        bool found;
    } cases[] = {
        {"TMainWin", RT_RCDATA, true},   {"TMAINWIN", RT_RCDATA, true},
        {"tmainwin", RT_RCDATA, true},   {"TMainWin", RT_BITMAP, false},
        {"TMainWin2", RT_RCDATA, false}, {"TMainWi", RT_RCDATA, false},
    };
    for (const Case& c : cases) {
        HRSRC found = FindResourceA(nullptr, c.name, c.type);
        EXPECT_EQ(found != nullptr, c.found) << c.name;
        if (found == nullptr)
            continue;
        EXPECT_EQ(LockResource(LoadResource(nullptr, found)), static_cast<const void*>(kForm));
        EXPECT_EQ(SizeofResource(nullptr, found), sizeof kForm);
    }
}

TEST(Resources, IntegerNamesAndTypesMatchTheirNumberInAnyForm) {
    win32::resources::Register(RT_BITMAP, MAKEINTRESOURCE(101), kBitmap, sizeof kBitmap);
    win32::resources::Register("PNG", MAKEINTRESOURCE(7), kForm, 3);

    HRSRC byNumber = FindResourceA(nullptr, MAKEINTRESOURCE(101), RT_BITMAP);
    ASSERT_NE(byNumber, nullptr);
    EXPECT_EQ(byNumber, FindResourceA(nullptr, "#101", RT_BITMAP));
    EXPECT_EQ(byNumber, FindResourceA(nullptr, "#101", "#2"));
    EXPECT_EQ(FindResourceA(nullptr, "101", RT_BITMAP), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(102), RT_BITMAP), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, byNumber), sizeof kBitmap);

    HRSRC customType = FindResourceA(nullptr, MAKEINTRESOURCE(7), "png");
    ASSERT_NE(customType, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, customType), 3u);

    std::size_t size = 0;
    EXPECT_EQ(win32::resources::Find(RT_BITMAP, "#101", &size), kBitmap);
    EXPECT_EQ(size, sizeof kBitmap);
    EXPECT_EQ(win32::resources::Find(RT_BITMAP, "#99999", &size), nullptr);
    EXPECT_EQ(size, 0u);
}

TEST(Resources, RegisteringAgainReplacesTheBytesBehindTheSameHandle) {
    win32::resources::Register(RT_RCDATA, "REPLACED", kForm, sizeof kForm);
    HRSRC before = FindResourceA(nullptr, "REPLACED", RT_RCDATA);
    win32::resources::Register(RT_RCDATA, "replaced", kReplacement, sizeof kReplacement);
    HRSRC after = FindResourceA(nullptr, "REPLACED", RT_RCDATA);
    EXPECT_EQ(before, after);
    EXPECT_EQ(LockResource(LoadResource(nullptr, after)), kReplacement);
    EXPECT_EQ(SizeofResource(nullptr, after), sizeof kReplacement);
}

TEST(Resources, UnknownHandlesAndOtherModulesFindNothing) {
    win32::resources::Register(RT_RCDATA, "OWNED", kForm, sizeof kForm);
    int notAModule = 0;
    auto otherModule = reinterpret_cast<HMODULE>(&notAModule);
    EXPECT_EQ(FindResourceA(otherModule, "OWNED", RT_RCDATA), nullptr);
    auto bogus = reinterpret_cast<HRSRC>(&notAModule);
    EXPECT_EQ(LoadResource(nullptr, bogus), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, bogus), 0u);
    EXPECT_EQ(FindResourceA(nullptr, nullptr, RT_RCDATA), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#", RT_RCDATA), nullptr);
}

}  // namespace
