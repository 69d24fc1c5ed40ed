// The form reader: values of every kind reach the published setters in the order the resource
// lists them while the component is being read; fields and handlers are bound; bad resources
// are refused with the resource and line, leaving nothing half-built behind.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "ReaderTestClasses.h"
#include "forms/Application.h"
#include "forms/Exception.h"
#include "forms/Filer.h"
#include "forms/FormReader.h"

namespace formstest {
namespace {

using namespace forms;

class FormReaderTest : public FormsTest {
  protected:
    void SetUp() override {
        FormsTest::SetUp();
        RegisterComponentClass(TProbe::ClassInfo());
        ReaderLog().clear();
        form_ = std::make_unique<TReaderForm>(nullptr);
    }
    void TearDown() override {
        form_.reset();
        FormsTest::TearDown();
    }

    void Read(const std::string& text) { ReadComponentText(*form_, text, "TEST"); }

    std::unique_ptr<TReaderForm> form_;
};

// A 2 x 2 picture, 8 bits per pixel: red, green on the top row; blue, white below.
std::string TinyDibHex() {
    std::vector<BYTE> dib =
        MakeDib(2, 2, 8, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}, {2, 1, 0, 3});
    std::string hex;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < dib.size(); ++i) {
        if (i != 0 && i % 32 == 0)
            hex += "\n      ";
        hex += kDigits[dib[i] >> 4];
        hex += kDigits[dib[i] & 15];
    }
    return hex;
}

TEST_F(FormReaderTest, AppliesPropertiesInOrderWhileReadingThenLoadsRootFirst) {
    Read(
        "object ReaderForm: TReaderForm\n"
        "  object Probe1: TProbe\n"
        "    Text = 'a'\n"
        "    Number = 7\n"
        "    Mode = pmSecond\n"
        "    Number = -3\n"
        "    Flags = [pfOne, pfThree]\n"
        "    UserImages = {05}\n"
        "  end\n"
        "end\n");
    std::vector<std::string> expected = {
        "Probe1.Text=a loading reading",
        "Probe1.Number=7 loading reading",
        "Probe1.Mode=1 loading reading",
        "Probe1.Number=-3 loading reading",
        "Probe1.Flags=5 loading reading",
        "Probe1.UserImages=5 loading reading",
        "ReaderForm.Loaded",
        "Probe1.Loaded",
    };
    EXPECT_EQ(ReaderLog(), expected);
    EXPECT_FALSE(form_->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form_->Probe1->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form_->Probe1->ComponentState().Contains(csReading));
}

TEST_F(FormReaderTest, ReadsEveryKindOfValue) {
    RegisterResource(RT_BITMAP, "READER_PICTURE",
                     MakeDib(3, 5, 8, {0x123456}, std::vector<std::uint32_t>(15, 0)));
    Read(
        "object ReaderForm: TReaderForm\n"
        "  Left = 504\n"
        "  Top = -327\n"
        "  BorderStyle = bsNone\n"
        "  BorderIcons = []\n"
        "  Caption = 'Nuvik '#49892#54665#44592\n"
        "  ClientHeight = 480\n"
        "  ClientWidth = 640\n"
        "  Color = clMenu\n"
        "  Font.Charset = DEFAULT_CHARSET\n"
        "  Font.Height = -11\n"
        "  Font.Name = 'MS Sans Serif'\n"
        "  Font.Style = [fsBold]\n"
        "  FormStyle = fsStayOnTop\n"
        "  KeyPreview = True\n"
        "  OnShow = FormShow\n"
        "  PixelsPerInch = 96\n"
        "  TextHeight = 13\n"
        "  object Image1: TImage\n"
        "    Left = 428\n"
        "    Cursor = crHandPoint\n"
        "    Picture.Data = {" +
        TinyDibHex() +
        "}\n"
        "    OnClick = ImageClick\n"
        "  end\n"
        "  object Panel1: TPanel\n"
        "    BevelOuter = bvNone\n"
        "    Color = 12345\n"
        "    Cursor = 14000\n"
        "    Font.Charset = HANGEUL_CHARSET\n"
        "    Font.Height = -13\n"
        "    Font.Name = #44404#47548\n"
        "    Caption = 'It''s'\n"
        "    TabOrder = 0\n"
        "    object Label1: TLabel\n"
        "      Caption = #54532#47112#51076\n"
        "      AutoSize = False\n"
        "      Visible = False\n"
        "    end\n"
        "  end\n"
        "  object Extra: TImage\n"
        "    Picture.Data = {resource:READER_PICTURE}\n"
        "  end\n"
        "end\n");
    TReaderForm& f = *form_;
    EXPECT_EQ(f.Name(), "ReaderForm");
    EXPECT_EQ(f.Left(), 504);
    EXPECT_EQ(f.Top(), -327);
    EXPECT_EQ(f.BorderStyle(), bsNone);
    EXPECT_TRUE(f.BorderIcons().Empty());
    EXPECT_EQ(f.Caption(), Cp949("Nuvik 실행기"));
    EXPECT_EQ(f.ClientWidth(), 640);
    EXPECT_EQ(f.ClientHeight(), 480);
    EXPECT_EQ(f.Color(), clMenu);
    EXPECT_EQ(f.Font()->Charset(), 1);
    EXPECT_EQ(f.Font()->Height(), -11);
    EXPECT_EQ(f.Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(f.Font()->Style(), TFontStyles{fsBold});
    EXPECT_EQ(f.FormStyle(), fsStayOnTop);
    EXPECT_TRUE(f.KeyPreview());
    EXPECT_TRUE(static_cast<bool>(f.OnShow));
    EXPECT_EQ(f.PixelsPerInch(), 96);
    EXPECT_EQ(f.TextHeight(), 13);

    ASSERT_NE(f.Image1, nullptr);
    EXPECT_EQ(f.Image1->Parent(), &f);
    EXPECT_EQ(f.Image1->Owner(), &f);
    EXPECT_EQ(f.Image1->Left(), 428);
    EXPECT_EQ(f.Image1->Cursor(), crHandPoint);
    TBitmap* picture = f.Image1->Picture()->Graphic();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 2);
    EXPECT_EQ(picture->Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(picture->Pixel(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(picture->Pixel(0, 1), RGB(0, 0, 255));
    EXPECT_EQ(picture->Pixel(1, 1), RGB(255, 255, 255));
    ASSERT_TRUE(static_cast<bool>(f.Image1->OnClick));
    f.Image1->OnClick(f.Image1);
    EXPECT_EQ(f.clicks, std::vector<TObject*>{f.Image1});
    // The same binding made in code.
    f.Image1->OnClick = Slot(&f, &TReaderForm::ImageClick);
    f.Image1->OnClick(f.Panel1);
    EXPECT_EQ(f.clicks, (std::vector<TObject*>{f.Image1, f.Panel1}));

    ASSERT_NE(f.Panel1, nullptr);
    EXPECT_EQ(f.Panel1->BevelOuter(), bvNone);
    EXPECT_EQ(f.Panel1->Color(), 12345);
    EXPECT_EQ(f.Panel1->Cursor(), 14000);
    EXPECT_EQ(f.Panel1->Font()->Charset(), 129);
    EXPECT_EQ(f.Panel1->Font()->Name(), Cp949("굴림"));
    EXPECT_FALSE(f.Panel1->ParentFont());
    EXPECT_EQ(f.Panel1->Caption(), "It's");
    EXPECT_EQ(f.Panel1->TabOrder(), 0);

    ASSERT_NE(f.Label1, nullptr);
    EXPECT_EQ(f.Label1->Parent(), f.Panel1);
    EXPECT_EQ(f.Label1->Caption(), Cp949("프레임"));
    EXPECT_FALSE(f.Label1->Visible());
    // The label takes the panel's font and colour.
    EXPECT_TRUE(f.Label1->Font()->SameAs(*f.Panel1->Font()));
    EXPECT_EQ(f.Label1->Color(), 12345);

    auto* extra = dynamic_cast<TImage*>(f.FindComponent("Extra"));
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->Picture()->Width(), 3);
    EXPECT_EQ(extra->Picture()->Height(), 5);
    EXPECT_EQ(extra->Picture()->Graphic()->Pixel(2, 4), RGB(0x12, 0x34, 0x56));
}

struct Refusal {
    const char* what;
    std::string text;
    int line;
    const char* problem;
};

std::string Form(const std::string& body) {
    return "object ReaderForm: TReaderForm\n" + body + "end\n";
}

TEST_F(FormReaderTest, RefusesBadResourcesNamingTheLine) {
    const std::vector<Refusal> refusals = {
        {"unknown class", Form("  object X1: TNoSuchClass\n  end\n"), 2,
         "unknown class TNoSuchClass"},
        {"unknown property", Form("  Left = 1\n  Nope = 1\n"), 3, "unknown property Nope"},
        {"unknown sub-property", Form("  Font.Nope = 1\n"), 2, "unknown property Font.Nope"},
        {"sub-property of a plain value", Form("  Left.Nope = 1\n"), 2,
         "unknown property Left.Nope"},
        {"object set as a value", Form("  Font = 3\n"), 2, "is an object"},
        {"string for an integer", Form("  Left = 'abc'\n"), 2, "a string where an integer"},
        {"integer for a boolean", Form("  KeyPreview = 1\n"), 2, "True or False"},
        {"unknown identifier", Form("  BorderStyle = bsWrong\n"), 2, "identifiers"},
        {"unknown set member", Form("  BorderIcons = [biSystemMenu, biNope]\n"), 2,
         "biNope is not a member"},
        {"identifier for a set", Form("  BorderIcons = biSystemMenu\n"), 2, "a set was expected"},
        {"unknown colour", Form("  Color = clNoSuchColour\n"), 2, "a colour"},
        {"unknown cursor", Form("  Cursor = crNoSuchCursor\n"), 2, "a cursor"},
        {"bad character set", Form("  Font.Charset = 300\n"), 2, "a character set"},
        {"integer too large", Form("  Left = 2147483648\n"), 2, "integer out of range"},
        {"odd hex digits", Form("  object Image1: TImage\n    Picture.Data = {0A1}\n  end\n"), 3,
         "odd number of hex digits"},
        {"not a bitmap", Form("  object Image1: TImage\n    Picture.Data = {0A1B}\n  end\n"), 3,
         "Invalid bitmap data"},
        {"missing bitmap resource",
         Form("  object Image1: TImage\n    Picture.Data = {resource:NO_SUCH_BITMAP}\n  end\n"), 3,
         "NO_SUCH_BITMAP not found"},
        {"unknown handler", Form("  OnShow = NoSuchMethod\n"), 2, "Unknown handler NoSuchMethod"},
        {"handler of another signature", Form("  OnShow = ProbeKeyDown\n"), 2,
         "does not fit the event OnShow"},
        {"defined property of the wrong size",
         Form("  object Probe1: TProbe\n    UserImages = {0506}\n  end\n"), 3, "one byte"},
        {"defined property given a resource",
         Form("  object Probe1: TProbe\n    UserImages = {resource:X}\n  end\n"), 3,
         "inline binary data"},
        {"wrong root class", "object ReaderForm: TOtherForm\nend\n", 1, "not a TReaderForm"},
        {"control in a control that holds none",
         Form("  object Image1: TImage\n    object Label1: TLabel\n    end\n  end\n"), 3,
         "cannot hold the control Label1"},
        {"duplicate name", Form("  object Label1: TLabel\n  end\n  object Label1: TLabel\n  end\n"),
         4, "already exists"},
        {"field of another class", Form("  object Image1: TPanel\n  end\n"), 2,
         "cannot hold a TPanel"},
        {"empty text", "", 1, "empty"},
        {"missing end", "object ReaderForm: TReaderForm\n  Left = 1\n", 3, "missing 'end'"},
        {"missing colon", "object ReaderForm TReaderForm\nend\n", 1, "expected ':'"},
        {"missing equals sign", Form("  Left 12\n"), 2, "expected '='"},
        {"missing value", Form("  Left =\n"), 2, "missing value"},
        {"two values", Form("  Left = 12 13\n"), 2, "unexpected text"},
        {"unterminated string", Form("  Caption = 'abc\n"), 2, "unterminated string"},
        {"non-ASCII in quotes", Form("  Caption = '\xEC\x8B\xA4'\n"), 2, "only ASCII"},
        {"character code too large", Form("  Caption = #65536\n"), 2, "out of range"},
        {"hash without code", Form("  Caption = #\n"), 2, "character code"},
        {"unterminated set", Form("  BorderIcons = [biSystemMenu\n"), 2, "expected ',' or ']'"},
        {"invalid hex digit", Form("  object Image1: TImage\n    Picture.Data = {0G}\n  end\n"), 3,
         "invalid character"},
        {"unterminated binary",
         "object ReaderForm: TReaderForm\n  object Image1: TImage\n    Picture.Data = {0A0B\n", 4,
         "unterminated binary"},
        {"property after an object", Form("  object Label1: TLabel\n  end\n  Left = 1\n"), 4,
         "property after a nested object"},
        {"text after the end", Form("") + "object X: TLabel\nend\n", 3, "text after the end"},
        {"number glued to a name", Form("  Left = 12px\n"), 2, "malformed number"},
        {"bad component name", "object 1Form: TReaderForm\nend\n", 1, "expected the object's name"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        form_ = std::make_unique<TReaderForm>(nullptr);
        try {
            Read(refusal.text);
            ADD_FAILURE() << "accepted";
        } catch (const EReadError& error) {
            EXPECT_EQ(error.Resource(), "TEST");
            EXPECT_EQ(error.Line(), refusal.line) << error.Message();
            EXPECT_NE(error.Problem().find(refusal.problem), std::string::npos) << error.Message();
            EXPECT_NE(std::string(error.Message()).find("TEST"), std::string::npos);
        }
        // Nothing the failed reading made is left behind.
        EXPECT_EQ(form_->ComponentCount(), 0);
        EXPECT_EQ(form_->ControlCount(), 0);
        EXPECT_EQ(form_->Image1, nullptr);
        EXPECT_EQ(form_->Label1, nullptr);
        EXPECT_FALSE(form_->ComponentState().Contains(csLoading));
    }
}

TEST_F(FormReaderTest, RefusesObjectsNestedTooDeeply) {
    std::string text = "object ReaderForm: TReaderForm\n";
    for (int i = 0; i < 40; ++i)
        text += "object P" + std::to_string(i) + ": TPanel\n";
    for (int i = 0; i < 41; ++i)
        text += "end\n";
    try {
        Read(text);
        FAIL() << "accepted";
    } catch (const EReadError& error) {
        EXPECT_NE(error.Problem().find("nested too deeply"), std::string::npos);
    }
}

TEST_F(FormReaderTest, DefinedPropertiesAreWrittenOnlyWhenTheyDifferFromTheAncestor) {
    TProbe probe(nullptr);
    struct Case {
        BYTE value;
        BYTE ancestor;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {0, 0, {}},
        {5, 0, {"UserImages = {05}"}},
        {0x0F, 0x0F, {}},
        {0, 3, {"UserImages = {00}"}},
    };
    for (const Case& c : cases) {
        probe.userImages = c.value;
        probe.ancestorUserImages = c.ancestor;
        TDefinedPropertyWriter writer;
        EXPECT_EQ(writer.Write(probe), c.lines) << int(c.value);
        EXPECT_FALSE(probe.ComponentState().Contains(csWriting));
    }
}

TEST_F(FormReaderTest, FormatsValuesAsTheReaderReadsThem) {
    const std::string text = Form(
        "  Caption = 'Nuvik '#49892#54665#44592' a''b'\n"
        "  BorderIcons = [biSystemMenu, biMinimize]\n");
    Read(text);
    TValue caption;
    caption.kind = TValue::Kind::String;
    caption.text = form_->Caption();
    EXPECT_EQ(FormatValue(caption), "'Nuvik '#49892#54665#44592' a''b'");
    TValue set;
    set.kind = TValue::Kind::Set;
    set.items = {"biSystemMenu", "biMinimize"};
    EXPECT_EQ(FormatValue(set), "[biSystemMenu, biMinimize]");
}

TEST_F(FormReaderTest, CreateFormReadsTheResourceNamedAfterTheClass) {
    RegisterResource(RT_RCDATA, "TReaderForm",
                     "object ReaderForm: TReaderForm\r\n  Left = 12\r\n  object Image1: TImage\r\n"
                     "  end\r\nend\r\n");
    TReaderForm* created = nullptr;
    Application->CreateForm(created);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(Application->MainForm(), created);
    EXPECT_EQ(created->Left(), 12);
    EXPECT_NE(created->Image1, nullptr);
    EXPECT_TRUE(created->FormResourceRead());
}

TEST_F(FormReaderTest, CreateFormWithABadResourceLeavesNoForm) {
    RegisterResource(RT_RCDATA, "TReaderForm", Form("  Left = x'\n"));
    TReaderForm* created = nullptr;
    int before = Application->ComponentCount();
    EXPECT_THROW(Application->CreateForm(created), EReadError);
    EXPECT_EQ(created, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(Application->ComponentCount(), before);
}

TEST_F(FormReaderTest, AMissingResourceIsRefusedByName) {
    try {
        ReadComponentResource(*form_, "NO_SUCH_FORM");
        FAIL() << "accepted";
    } catch (const EReadError& error) {
        EXPECT_EQ(error.Resource(), "NO_SUCH_FORM");
        EXPECT_NE(std::string(error.Message()).find("NO_SUCH_FORM"), std::string::npos);
    }
}

}  // namespace
}  // namespace formstest
