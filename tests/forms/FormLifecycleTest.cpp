// A form's life in the running application: shown with OnShow before anything is painted,
// closed from a click handler or by the host through OnCloseQuery and OnClose, and the
// framework's exceptions shown in the error box with the application's title.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "forms/Application.h"
#include "forms/ClassBuilder.h"
#include "forms/Image.h"
#include "forms/Screen.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Input.h"

namespace formstest {
namespace {

using namespace forms;

class TShowForm : public TForm {
  public:
    explicit TShowForm(TComponent* owner) : TForm(owner) {}

    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassBuilder<TShowForm>::Define(
            "TShowForm", &TForm::ClassInfo(), [](TClassBuilder<TShowForm>& c) {
                c.Field("HotSpot", &TShowForm::HotSpot);
                c.Method("FormShow", &TShowForm::FormShow);
                c.Method("FormPaint", &TShowForm::FormPaint);
                c.Method("FormCloseQuery", &TShowForm::FormCloseQuery);
                c.Method("FormClose", &TShowForm::FormClose);
                c.Method("HotSpotClick", &TShowForm::HotSpotClick);
            });
        return info;
    }
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    void FormShow(TObject* sender) {
        EXPECT_EQ(sender, this);
        log.push_back(IsWindowVisible(Handle()) ? "show (visible)" : "show");
    }
    void FormPaint(TObject*) { log.push_back("paint"); }
    void FormCloseQuery(TObject*, bool& canClose) {
        log.push_back(canClose ? "closequery" : "closequery (refused before)");
        canClose = allowClose;
    }
    void FormClose(TObject*, TCloseAction& action) {
        log.push_back(action == caFree ? "close caFree" : "close");
    }
    void HotSpotClick(TObject* sender) {
        EXPECT_EQ(sender, HotSpot);
        log.push_back("click");
        if (!throwText.empty())
            throw Exception(throwText);
        Close();
    }

    TImage* HotSpot = nullptr;
    std::vector<std::string> log;
    bool allowClose = true;
    std::string throwText;
};

const char* const kShowFormText =
    "object ShowForm: TShowForm\n"
    "  Left = 10\n"
    "  Top = 20\n"
    "  BorderStyle = bsNone\n"
    "  ClientWidth = 200\n"
    "  ClientHeight = 150\n"
    "  OnShow = FormShow\n"
    "  OnPaint = FormPaint\n"
    "  OnCloseQuery = FormCloseQuery\n"
    "  OnClose = FormClose\n"
    "  object HotSpot: TImage\n"
    "    Left = 50\n"
    "    Top = 40\n"
    "    Width = 30\n"
    "    Height = 20\n"
    "    OnClick = HotSpotClick\n"
    "  end\n"
    "end\n";

class FormLifecycleTest : public FormsTest {
  protected:
    void SetUp() override {
        FormsTest::SetUp();
        RegisterResource(RT_RCDATA, "TShowForm", kShowFormText);
    }

    TShowForm* CreateMainForm() {
        TShowForm* form = nullptr;
        Application->CreateForm(form);
        return form;
    }

    // The log without the paints, which come as often as the window system likes.
    static std::vector<std::string> WithoutPaints(std::vector<std::string> log) {
        std::erase(log, "paint");
        return log;
    }
};

TEST_F(FormLifecycleTest, OnShowRunsOnceBeforeTheFirstPaint) {
    TestHost host;
    TShowForm* form = CreateMainForm();
    std::vector<std::string> states;
    host.At(50, [] { win32::input::RequestMinimize(); });
    host.At(55, [&] { states.push_back(form->WindowState() == wsMinimized ? "min" : "normal"); });
    host.At(60, [] { win32::input::RequestRestore(); });
    host.At(65, [&] { states.push_back(form->WindowState() == wsMinimized ? "min" : "normal"); });
    host.At(80, [&] { form->Invalidate(); });
    host.At(200, [] { win32::input::RequestClose(); });

    Application->Run();

    ASSERT_FALSE(form->log.empty());
    EXPECT_EQ(form->log.front(), "show");
    EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "show"), 1);
    EXPECT_GE(std::count(form->log.begin(), form->log.end(), "paint"), 2);
    EXPECT_EQ(WithoutPaints(form->log),
              (std::vector<std::string>{"show", "closequery", "close caFree"}));
    EXPECT_EQ(states, (std::vector<std::string>{"min", "normal"}));
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(host.gaveUp);
}

TEST_F(FormLifecycleTest, CloseFromAClickHandlerEndsTheLoop) {
    TestHost host;
    TShowForm* form = CreateMainForm();
    host.At(20, [&] { Click(OnScreen(form->Handle(), 5, 5)); });    // the bare form
    host.At(30, [&] { Click(OnScreen(form->Handle(), 49, 45)); });  // just beside the spot
    host.At(40, [&] { Click(OnScreen(form->Handle(), 50, 40)); });  // its top-left corner

    Application->Run();

    EXPECT_EQ(WithoutPaints(form->log),
              (std::vector<std::string>{"show", "click", "closequery", "close caFree"}));
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(host.gaveUp);
}

TEST_F(FormLifecycleTest, OnCloseQueryMayRefuseAndTheHostsRequestGoesTheSameWay) {
    TestHost host;
    TShowForm* form = CreateMainForm();
    form->allowClose = false;
    host.At(20, [&] { Click(OnScreen(form->Handle(), 60, 50)); });
    host.At(40, [] { win32::input::RequestClose(); });
    host.At(60, [&] {
        form->log.push_back("allow");
        form->allowClose = true;
    });
    host.At(80, [] { win32::input::RequestClose(); });

    Application->Run();

    EXPECT_EQ(WithoutPaints(form->log),
              (std::vector<std::string>{"show", "click", "closequery", "closequery", "allow",
                                        "closequery", "close caFree"}));
    // The main form's close ends the loop; the window itself goes with the forms.
    EXPECT_TRUE(IsWindow(form->Handle()));
    EXPECT_FALSE(host.gaveUp);
}

TEST_F(FormLifecycleTest, AnOnCloseActionOfNoneKeepsTheApplicationRunning) {
    TestHost host;
    TShowForm* form = CreateMainForm();
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        if (++closes == 1)
            action = caNone;
    };
    host.At(20, [] { win32::input::RequestClose(); });
    host.At(40, [] { win32::input::RequestClose(); });
    Application->Run();
    EXPECT_EQ(closes, 2);
    EXPECT_GE(timeGetTime(), 40u);
}

TEST_F(FormLifecycleTest, AnExceptionEscapingTheLoopIsShownWithTheTitleAndTheEntryReturnsZero) {
    TestHost host;
    const std::string title = Cp949("Nuvik 실행기");
    int exitCode = Application->Main([&] {
        Application->Initialize();
        Application->SetTitle(title);
        TShowForm* form = nullptr;
        Application->CreateForm(form);
        form->throwText = "boom from a click";
        host.At(30, [form] { Click(OnScreen(form->Handle(), 60, 50)); });
        Application->Run();
        ADD_FAILURE() << "the loop went on";
    });
    EXPECT_EQ(exitCode, 0);
    const auto& boxes = win32::diagnostics::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Nuvik 실행기");
    EXPECT_EQ(boxes[0].text, "boom from a click");
    EXPECT_EQ(Screen->FormCount(), 0);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormLifecycleTest, AnExceptionDuringStartUpIsShownToo) {
    RegisterResource(RT_RCDATA, "TShowForm", "object ShowForm: TShowForm\n  Left = oops\nend\n");
    int exitCode = Application->Main([] {
        Application->Initialize();
        Application->SetTitle("Start-up");
        TShowForm* form = nullptr;
        Application->CreateForm(form);
        Application->Run();
    });
    EXPECT_EQ(exitCode, 0);
    const auto& boxes = win32::diagnostics::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Start-up");
    EXPECT_NE(boxes[0].text.find("TShowForm, line 2"), std::string::npos) << boxes[0].text;
}

TEST_F(FormLifecycleTest, ExceptionsOfOtherKindsAreNotCaughtByTheEntry) {
    EXPECT_THROW(Application->Main([] { throw std::runtime_error("not ours"); }),
                 std::runtime_error);
    EXPECT_TRUE(win32::diagnostics::MessageBoxes().empty());
}

TEST_F(FormLifecycleTest, OtherFormsCloseTheWayTheirOnCloseActionSays) {
    CreateMainForm()->Show();
    struct Case {
        TCloseAction action;
        bool exists;
        bool visible;
        bool iconic;
    };
    const std::vector<Case> cases = {
        {caNone, true, true, false},
        {caHide, true, false, false},
        {caMinimize, true, true, true},
        {caFree, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.action));
        auto* other = new TForm(Application);
        other->SetBorderStyle(bsNone);
        other->OnClose = [&](TObject*, TCloseAction& action) {
            EXPECT_EQ(action, caHide);  // what a form that is not the main form gets
            action = c.action;
        };
        other->Show();
        HWND window = other->Handle();
        int forms = Screen->FormCount();
        other->Close();
        Application->ProcessMessages();
        EXPECT_EQ(Screen->FormCount() == forms, c.exists);
        EXPECT_EQ(IsWindow(window) != FALSE, c.exists);
        EXPECT_FALSE(Application->Terminated());
        if (c.exists) {
            EXPECT_EQ(IsWindowVisible(window) != FALSE, c.visible);
            EXPECT_EQ(IsIconic(window) != FALSE, c.iconic);
            delete other;
        }
    }
}

TEST_F(FormLifecycleTest, TheModalMessageBoxDisablesTheOtherForms) {
    TestHost host;
    TShowForm* main = CreateMainForm();
    auto* other = new TForm(Application);
    other->SetBorderStyle(bsNone);
    main->Show();
    other->Show();
    Application->ProcessMessages();
    bool otherEnabledDuringBox = true;
    host.At(timeGetTime() + 5, [&] { otherEnabledDuringBox = IsWindowEnabled(other->Handle()); });
    int result = Application->ShowModalMessage(Cp949("다이렉트 X"), Cp949("오류"));
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(otherEnabledDuringBox);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    const auto& boxes = win32::diagnostics::MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "오류");
    EXPECT_EQ(boxes[0].text, "다이렉트 X");
}

}  // namespace
}  // namespace formstest
