#include "frame/MessageBox.h"

#include <gtest/gtest.h>

#include <string>

#include "win32/platform/Diagnostics.h"

namespace {

namespace diagnostics = win32::diagnostics;

class ShowMessageBoxTest : public ::testing::Test {
  protected:
    void SetUp() override { diagnostics::Clear(); }

    static const diagnostics::MessageBoxRecord& OnlyBox() {
        EXPECT_EQ(diagnostics::MessageBoxes().size(), 1u);
        return diagnostics::MessageBoxes().back();
    }
};

TEST_F(ShowMessageBoxTest, FormatsTheTextAndShowsItUnderTheCaption) {
    // CP949 bytes, as the system's own texts are stored.
    ShowMessageBox("\xBF\xC0\xB7\xF9", "\xBE\xCB \xBC\xF6 \xBE\xF8\xB4\xC2 : %x", 0x1234u);
    EXPECT_EQ(OnlyBox().caption, "오류");
    EXPECT_EQ(OnlyBox().text, "알 수 없는 : 1234");
}

TEST_F(ShowMessageBoxTest, TextWithoutArgumentsIsShownAsItStands) {
    ShowMessageBox("_DDRAW()::Create()", "SetDisplayMode() error");
    EXPECT_EQ(OnlyBox().caption, "_DDRAW()::Create()");
    EXPECT_EQ(OnlyBox().text, "SetDisplayMode() error");
}

TEST_F(ShowMessageBoxTest, ALongTextIsCutAt255Bytes) {
    std::string longText(300, 'x');
    longText[254] = 'E';  // the last byte that fits
    ShowMessageBox("long", "%s", longText.c_str());
    EXPECT_EQ(OnlyBox().text, longText.substr(0, 255));
}

TEST_F(ShowMessageBoxTest, ACutNeverKeepsHalfADoubleByteCharacter) {
    std::string syllables;
    for (int i = 0; i < 150; ++i)
        syllables += "\xB0\xA1";  // 가
    std::string utf8Syllables;
    for (int i = 0; i < 150; ++i)
        utf8Syllables += "가";

    struct Case {
        std::string prefix;
        std::string expected;
    } cases[] = {
        // 1 + 127 * 2 = 255 bytes: the cut falls between two characters.
        {"a", "a" + utf8Syllables.substr(0, 127 * 3)},
        // 2 + 126 * 2 = 254 bytes, and the 255th would be the first half of the next one.
        {"ab", "ab" + utf8Syllables.substr(0, 126 * 3)},
    };
    for (const Case& c : cases) {
        diagnostics::Clear();
        ShowMessageBox("cut", "%s%s", c.prefix.c_str(), syllables.c_str());
        EXPECT_EQ(OnlyBox().text, c.expected) << c.prefix;
    }
}

}  // namespace
