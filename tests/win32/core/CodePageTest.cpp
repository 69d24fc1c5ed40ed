// CP949 (the ANSI code page) and UTF-8 through the diagnostics record and the code-page API.
#include <gtest/gtest.h>

#include <string>

#include "win32/kernel.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"

namespace {

namespace diagnostics = win32::diagnostics;

struct KoreanText {
    const char* cp949;
    const char* utf8;
};

const KoreanText kKoreanTexts[] = {
    {"\xBF\xC0\xB7\xF9", "오류"},
    {"\xB4\xD9\xC0\xCC\xB7\xBA\xC6\xAE\x20\x58\x20\x38\x2E\x30\x20\xC0\xCC\xBB\xF3\xBF\xA1\xBC"
     "\xAD\xB8\xB8\x20\xBD\xC7\xC7\xE0\xB5\xCB\xB4\xCF\xB4\xD9\x2E",
     "다이렉트 X 8.0 이상에서만 실행됩니다."},
    {"\xC7\xC1\xB7\xB9\xC0\xD3", "프레임"},
    {"Nuvik \xBD\xC7\xC7\xE0\xB1\xE2", "Nuvik 실행기"},
    {"\xB1\xBC\xB8\xB2", "굴림"},
    // An extended syllable whose second byte is an ASCII letter.
    {"\x8C"
     "c\xB9\xE6\xB0\xA2\xC7\xCF",
     "똠방각하"},
    {"\xC7\xD1\xB1\xDB Hangul \xF9\xD3\xED\xAE", "한글 Hangul 漢字"},
    {"\xA2\xE6 \xA4\xA1", "€ ㄱ"},
    {"", ""},
};

TEST(Cp949, KoreanTextsSurviveTheRoundTripThroughUtf8) {
    for (const KoreanText& t : kKoreanTexts) {
        EXPECT_EQ(diagnostics::Cp949ToUtf8(t.cp949), t.utf8);
        EXPECT_EQ(diagnostics::Utf8ToCp949(t.utf8), t.cp949) << t.utf8;
    }
}

TEST(Cp949, BrokenBytesBecomeReplacementCharactersWithoutSwallowingTheNextOne) {
    struct Case {
        std::string cp949;
        std::string utf8;
    } cases[] = {
        {"A\xB0", "A\xEF\xBF\xBD"},                    // a lead byte at the very end
        {"\xB0 B", "\xEF\xBF\xBD B"},                  // a lead byte before a space
        {"\xB0\xA1\xFF", "\xEA\xB0\x80\xEF\xBF\xBD"},  // 가, then a byte that starts nothing
    };
    for (const Case& c : cases)
        EXPECT_EQ(diagnostics::Cp949ToUtf8(c.cp949), c.utf8);
}

TEST(Cp949, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(diagnostics::Utf8ToCp949("a😀b"), "a?b");
    EXPECT_EQ(diagnostics::Utf8ToCp949("ก"), "?");
    EXPECT_EQ(diagnostics::Utf8ToCp949("\xC3"), "?");  // a truncated UTF-8 sequence
}

TEST(Cp949, DecodeGivesCodePointsForTextDrawing) {
    EXPECT_EQ(diagnostics::DecodeCp949("\xB0\xA1"
                                       "A\x8C"
                                       "c",
                                       5),
              U"가A똠");
    EXPECT_EQ(diagnostics::DecodeCp949("\xB0\xA1", 1), U"\uFFFD");  // the length cuts the pair
    EXPECT_EQ(diagnostics::DecodeCp949(nullptr, 3), U"");
    EXPECT_EQ(diagnostics::DecodeCp949("abc", 0), U"");
}

TEST(Diagnostics, MessageBoxesAndTraceLinesAreKeptInUtf8WithTheirTime) {
    diagnostics::Clear();
    win32::clock::UseVirtualClock(1234);
    diagnostics::RecordMessageBox("\xBF\xC0\xB7\xF9", kKoreanTexts[1].cp949);
    OutputDebugStringA("Couldn't LoadLibrary DDraw\r\n");
    OutputDebugStringA("\xC7\xC1\xB7\xB9\xC0\xD3");
    OutputDebugStringA(nullptr);
    win32::clock::UseRealClock();

    ASSERT_EQ(diagnostics::MessageBoxes().size(), 1u);
    EXPECT_EQ(diagnostics::MessageBoxes()[0].caption, "오류");
    EXPECT_EQ(diagnostics::MessageBoxes()[0].text, "다이렉트 X 8.0 이상에서만 실행됩니다.");
    EXPECT_EQ(diagnostics::MessageBoxes()[0].atMs, 1234u);
    ASSERT_EQ(diagnostics::TraceLines().size(), 2u);
    EXPECT_EQ(diagnostics::TraceLines()[0], "Couldn't LoadLibrary DDraw\r\n");
    EXPECT_EQ(diagnostics::TraceLines()[1], "프레임");

    diagnostics::Clear();
    EXPECT_TRUE(diagnostics::MessageBoxes().empty());
    EXPECT_TRUE(diagnostics::TraceLines().empty());
}

std::u16string ToWide(UINT codePage, const std::string& text, DWORD flags = 0) {
    int needed = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(needed), u'\0');
    int written = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()),
                                      wide.data(), needed);
    EXPECT_EQ(written, needed);
    return wide;
}

std::string FromWide(UINT codePage, const std::u16string& wide) {
    int needed = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(needed), '\0');
    int written = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                      text.data(), needed, nullptr, nullptr);
    EXPECT_EQ(written, needed);
    return text;
}

TEST(CodePageApi, AnsiCodePageIsKoreanAndRoundTripsThroughUtf16) {
    for (const KoreanText& t : kKoreanTexts) {
        if (*t.cp949 == '\0')
            continue;
        std::u16string wide = ToWide(CP_ACP, t.cp949);
        EXPECT_EQ(wide, ToWide(CP_UTF8, t.utf8)) << t.utf8;
        EXPECT_EQ(FromWide(CP_ACP, wide), t.cp949) << t.utf8;
        EXPECT_EQ(FromWide(CP_UTF8, wide), t.utf8);
        EXPECT_EQ(FromWide(949, wide), t.cp949);
    }
}

TEST(CodePageApi, MinusOneLengthConvertsTheTerminatingZeroToo) {
    WCHAR wide[8] = {};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xBF\xC0\xB7\xF9", -1, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xBF\xC0\xB7\xF9", -1, wide, 8), 3);
    EXPECT_EQ(std::u16string(wide), u"오류");

    char text[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"굴림", -1, text, 8, nullptr, nullptr), 5);
    EXPECT_STREQ(text, "\xB1\xBC\xB8\xB2");
}

TEST(CodePageApi, TooSmallOrBadArgumentsGiveZeroAndWriteNothing) {
    WCHAR wide[2] = {u'#', u'#'};
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 3, wide, 2), 0);
    EXPECT_EQ(wide[0], u'#');
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 2), 0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, 3, wide, 2), 0);
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, nullptr, 0), 0);

    char text[2] = {'#', '#'};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\uAC00", 1, text, 1, nullptr, nullptr), 0);
    EXPECT_EQ(text[0], '#');
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, text, 2, nullptr, &usedDefault), 0);
}

TEST(CodePageApi, InvalidInputIsReplacedUnlessTheCallerAsksForFailure) {
    const DWORD errInvalidChars = 0x8;  // MB_ERR_INVALID_CHARS
    EXPECT_EQ(ToWide(CP_UTF8,
                     "a\xFF"
                     "b"),
              u"a\uFFFD"
              "b");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, errInvalidChars, "a\xFF", 2, nullptr, 0), 0);
    EXPECT_EQ(ToWide(CP_ACP, "\xB0"), u"\uFFFD");
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, errInvalidChars, "\xB0", 1, nullptr, 0), 0);
    // An emoji is one surrogate pair in UTF-16.
    EXPECT_EQ(ToWide(CP_UTF8, "😀"), u"😀");
    EXPECT_EQ(ToWide(CP_UTF8, "😀").size(), 2u);
}

TEST(CodePageApi, UnmappableCharactersUseTheDefaultCharacterAndSaySo) {
    char text[8] = {};
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a😀", 3, text, 8, nullptr, &usedDefault), 2);
    EXPECT_EQ(std::string(text, 2), "a?");
    EXPECT_TRUE(usedDefault);

    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u0E01\uAC00", 2, text, 8, "*", &usedDefault), 3);
    EXPECT_EQ(std::string(text, 3), "*\xB0\xA1");
    EXPECT_TRUE(usedDefault);

    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"ab", 2, text, 8, nullptr, &usedDefault), 2);
    EXPECT_FALSE(usedDefault);
}

}  // namespace
