// Conversions between the Korean code page (949) and UTF-16. The program's texts are CP949
// bytes; the Wine runs use the Korean locale, where the ANSI code page is 949 too.
#include <cstring>
#include <string>

#include "Conformance.h"

namespace conformance {
namespace {

struct Conversion {
    const char* name;
    const char* bytes;  // CP949 (the file is compiled with the CP949 execution charset)
    std::u16string wide;
};

class CodePageTest : public Win32Test, public ::testing::WithParamInterface<Conversion> {};

TEST_P(CodePageTest, BytesBecomeTheirCharactersAndBack) {
    const Conversion& text = GetParam();
    int length = static_cast<int>(std::strlen(text.bytes));
    WCHAR wide[64] = {};
    int count = MultiByteToWideChar(949, 0, text.bytes, length, wide, 64);
    ASSERT_EQ(count, static_cast<int>(text.wide.size()));
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(static_cast<char16_t>(wide[i]), text.wide[static_cast<std::size_t>(i)]) << i;
    char bytes[64] = {};
    int back = WideCharToMultiByte(949, 0, wide, count, bytes, 64, nullptr, nullptr);
    EXPECT_EQ(back, length);
    EXPECT_EQ(std::string(bytes, static_cast<std::size_t>(back)), std::string(text.bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CodePageTest,
    ::testing::Values(Conversion{"Ascii", "36 Frame / Sec", u"36 Frame / Sec"},
                      Conversion{"Frame", "프레임", u"\uD504\uB808\uC784"},
                      Conversion{"Error", "SetDisplayMode() 에러",
                                 u"SetDisplayMode() \uC5D0\uB7EC"},
                      Conversion{"Confirm", "확인", u"\uD655\uC778"},
                      Conversion{"Runner", "Nuvik 실행기", u"Nuvik \uC2E4\uD589\uAE30"}),
    [](const ::testing::TestParamInfo<Conversion>& row) { return std::string(row.param.name); });

TEST_F(Win32Test, MultiByteToWideCharWithMinusOneCountsTheTerminator) {
    EXPECT_EQ(MultiByteToWideChar(949, 0, "확인", -1, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(949, 0, "ab", -1, nullptr, 0), 3);
}

TEST_F(Win32Test, MultiByteToWideCharIntoATooSmallBufferFails) {
    WCHAR wide[1] = {};
    EXPECT_EQ(MultiByteToWideChar(949, 0, "abc", 3, wide, 1), 0);
}

TEST_F(Win32Test, WideCharToMultiByteMeasuresWithoutABuffer) {
    const WCHAR text[] = {0xD655, 0xC778, 0};
    EXPECT_EQ(WideCharToMultiByte(949, 0, text, -1, nullptr, 0, nullptr, nullptr), 5);
}

TEST_F(Win32Test, ACharacterTheCodePageLacksBecomesTheDefaultCharacter) {
    const WCHAR text[] = {'a', 0x0E01, 'b'};  // a Thai letter between two Latin ones
    char bytes[8] = {};
    BOOL usedDefault = FALSE;
    int count = WideCharToMultiByte(949, 0, text, 3, bytes, sizeof bytes, nullptr, &usedDefault);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(std::string(bytes, 3), "a?b");
    EXPECT_TRUE(usedDefault);
}

TEST_F(Win32Test, TheAnsiCodePageIsKorean) {
    const char* bytes = "확인";
    WCHAR viaAnsi[8] = {};
    WCHAR via949[8] = {};
    int ansi = MultiByteToWideChar(CP_ACP, 0, bytes, -1, viaAnsi, 8);
    int korean = MultiByteToWideChar(949, 0, bytes, -1, via949, 8);
    ASSERT_EQ(ansi, korean);
    EXPECT_EQ(std::memcmp(viaAnsi, via949, sizeof viaAnsi), 0);
}

TEST_F(Win32Test, MulDivRoundsHalfAwayFromZero) {
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(7, 3, 3), 7);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

}  // namespace
}  // namespace conformance
