// Damaged form resources: every truncation and thousands of random mutations of a good one
// are read without a crash (the sanitizer build checks the memory), and whatever is refused
// is refused with EReadError and leaves the form empty.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "ReaderTestClasses.h"
#include "forms/Exception.h"
#include "forms/FormReader.h"

namespace formstest {
namespace {

using namespace forms;

std::string GoodText() {
    std::vector<BYTE> dib = MakeDib(2, 2, 4, {0x000000, 0xFFFFFF, 0xFF00FF}, {0, 1, 2, 1});
    std::string hex;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (BYTE b : dib) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return "object ReaderForm: TReaderForm\n"
           "  Left = 504\n"
           "  Top = 327\n"
           "  BorderStyle = bsNone\n"
           "  BorderIcons = [biSystemMenu]\n"
           "  Caption = 'Nuvik '#49892#54665#44592\n"
           "  Color = clMenu\n"
           "  Font.Height = -11\n"
           "  OnShow = FormShow\n"
           "  object Image1: TImage\n"
           "    Width = 2\n"
           "    Picture.Data = {" +
           hex +
           "}\n"
           "    OnClick = ImageClick\n"
           "  end\n"
           "  object Panel1: TPanel\n"
           "    BevelOuter = bvNone\n"
           "    Font.Name = #44404#47548\n"
           "    object Label1: TLabel\n"
           "      Caption = 'a''b'#54532\n"
           "    end\n"
           "    object Probe1: TProbe\n"
           "      Number = 12\n"
           "      Flags = [pfOne, pfTwo]\n"
           "      Mode = pmSecond\n"
           "      UserImages = {05}\n"
           "      OnKeyDown = ProbeKeyDown\n"
           "    end\n"
           "  end\n"
           "end\n";
}

class FormReaderFuzzTest : public FormsTest {
  protected:
    void SetUp() override {
        FormsTest::SetUp();
        RegisterComponentClass(TProbe::ClassInfo());
    }

    // True when read, false when refused with EReadError; anything else fails the test.
    bool Read(const std::string& text) {
        TReaderForm form(nullptr);
        try {
            ReadComponentText(form, text, "FUZZ");
            return true;
        } catch (const EReadError& error) {
            EXPECT_GT(error.Line(), 0);
            EXPECT_EQ(form.ComponentCount(), 0) << text;
            EXPECT_EQ(form.Image1, nullptr);
            return false;
        }
    }
};

TEST_F(FormReaderFuzzTest, TheGoodTextReads) {
    EXPECT_TRUE(Read(GoodText()));
}

TEST_F(FormReaderFuzzTest, EveryTruncationIsRefused) {
    const std::string text = GoodText();
    // Only the final line break may go.
    std::size_t complete = text.size() - 1;
    for (std::size_t length = 0; length < complete; ++length) {
        SCOPED_TRACE(length);
        EXPECT_FALSE(Read(text.substr(0, length)));
    }
    EXPECT_TRUE(Read(text.substr(0, complete)));
}

// A small deterministic generator, so that a failure can be replayed.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    std::size_t Below(std::size_t n) { return n == 0 ? 0 : Next() % n; }

  private:
    std::uint32_t state_;
};

TEST_F(FormReaderFuzzTest, RandomMutationsNeverCrashAndAreRefusedCleanly) {
    const std::string good = GoodText();
    const std::vector<std::string> tokens = {"object ",
                                             "end",
                                             "=",
                                             "'",
                                             "''",
                                             "#",
                                             "#99999",
                                             "{",
                                             "}",
                                             "[",
                                             "]",
                                             ",",
                                             ":",
                                             ".",
                                             "\n",
                                             "\r\n",
                                             " ",
                                             "-",
                                             "2147483648",
                                             "-2147483649",
                                             "{resource:",
                                             "TImage",
                                             "TPanel",
                                             "Font.",
                                             "Picture.Data = {",
                                             "object X: TLabel\n",
                                             "\0",
                                             "\xFF",
                                             "True",
                                             "pfThree"};
    Random random(20240611);
    int refused = 0;
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = good;
        int edits = 1 + static_cast<int>(random.Below(4));
        for (int e = 0; e < edits; ++e) {
            std::size_t at = random.Below(text.size() + 1);
            switch (random.Below(4)) {
                case 0:  // overwrite a byte with anything
                    if (at < text.size())
                        text[at] = static_cast<char>(random.Below(256));
                    break;
                case 1:  // cut a stretch
                    text.erase(at, random.Below(24));
                    break;
                case 2:  // repeat a stretch
                    text.insert(at, text.substr(random.Below(text.size()), random.Below(40)));
                    break;
                default: {  // drop in a token
                    const std::string& token = tokens[random.Below(tokens.size())];
                    text.insert(at, token.empty() ? std::string(1, '\0') : token);
                    break;
                }
            }
        }
        SCOPED_TRACE(round);
        if (Read(text))
            ++accepted;
        else
            ++refused;
    }
    // Most mutations break the text; some (inside a string, say) leave it readable.
    EXPECT_GT(refused, 2000);
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace formstest
