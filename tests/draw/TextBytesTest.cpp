#include "draw/TextBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct UnescapeCase {
    const char* text;
    std::string drawn;
};

TEST(TextBytes, OnlyADoubledPercentSignIsTurnedIntoOne) {
    const UnescapeCase cases[] = {
        {"35 Frame / Sec", "35 Frame / Sec"},
        {"100%% done", "100% done"},
        {"%d Frame / Sec", "%d Frame / Sec"},
        {"%s%n%p", "%s%n%p"},
        {"%%%", "%%"},
        {"%%%%", "%%"},
        {"%", "%"},
        {"", ""},
    };
    for (const UnescapeCase& c : cases) {
        char out[256];
        std::size_t length = draw::UnescapeDoubledPercent(c.text, out, sizeof out);
        EXPECT_EQ(std::string(out), c.drawn) << c.text;
        EXPECT_EQ(length, c.drawn.size()) << c.text;
    }
}

TEST(TextBytes, ANullTextIsEmpty) {
    char out[8] = "junk";
    EXPECT_EQ(draw::UnescapeDoubledPercent(nullptr, out, sizeof out), 0u);
    EXPECT_STREQ(out, "");
}

TEST(TextBytes, ALongTextIsCutToTheBuffer) {
    std::string text(300, 'a');
    char out[256];
    EXPECT_EQ(draw::UnescapeDoubledPercent(text.c_str(), out, sizeof out), 255u);
    EXPECT_EQ(std::string(out), std::string(255, 'a'));
}

TEST(TextBytes, ACutNeverSplitsADoubleByteCharacter) {
    // "가" is B0 A1 in CP949; placed so that the cut falls between its two bytes.
    std::string text = std::string(4, 'a') + "\xB0\xA1" + "b";
    char out[6];
    EXPECT_EQ(draw::UnescapeDoubledPercent(text.c_str(), out, sizeof out), 4u);
    EXPECT_STREQ(out, "aaaa");

    char wide[7];
    EXPECT_EQ(draw::UnescapeDoubledPercent(text.c_str(), wide, sizeof wide), 6u);
    EXPECT_EQ(std::string(wide), std::string(4, 'a') + "\xB0\xA1");
}

TEST(TextBytes, WholeCharacterLengthDropsOnlyALoneTrailingLeadByte) {
    struct Case {
        std::string text;
        std::size_t length;
    };
    const Case cases[] = {
        {"abc", 3},
        {"\xB0\xA1", 2},
        {"\xB0", 0},
        {"a\xB0\xA1\xB0", 3},
        // The second byte of a pair may itself look like a lead byte.
        {"\xB0\xB0", 2},
        {"\xB0\xB0\xB0", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(draw::WholeCharacterLength(c.text.data(), c.text.size()), c.length);
}

}  // namespace
