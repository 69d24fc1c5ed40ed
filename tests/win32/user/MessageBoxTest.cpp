// MessageBoxA: a modal box drawn on the screen with its own message loop; the outer loop
// waits and the application's other windows get no input until the box is answered.
#include <algorithm>

#include "UserTestSupport.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Input.h"
#include "win32/platform/WindowSystem.h"

namespace usertest {
namespace {

using win32::input::MouseButton;

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

COLORREF ScreenAt(int x, int y) {
    const auto& fb = win32::Framebuffer::Instance();
    return win32::UnpackColor(fb.Format(), win32::ReadPixel(fb.Buffer(), x, y));
}

class ModalMessageBox : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        Recorder::RegisterClass("Rec");
        main = rec.Create("main", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480);
        side = rec.Create("side", "Rec", WS_POPUP | WS_VISIBLE, 600, 440, 40, 40);
        SetActiveWindow(main);
        PumpMessages();
        rec.React(WM_USER, [this](HWND hwnd, WPARAM, LPARAM, LRESULT*) {
            rec.Note("box opens");
            answer = MessageBoxA(hwnd, "text", "caption", MB_OK);
            rec.Note("box returned");
            return true;
        });
        rec.Clear();
    }

    // The box while it is up: the active window.
    RECT BoxRect() {
        RECT r{};
        GetWindowRect(GetActiveWindow(), &r);
        return r;
    }

    // An outer loop in the style of an application's: one PeekMessageA per pass.
    void RunOuterLoop(int passes) {
        MSG msg;
        for (int pass = 0; pass < passes; ++pass) {
            rec.Note("outer peek");
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT)
                    break;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }

    // What was recorded, with runs of "outer peek" notes squeezed to one.
    std::vector<std::string> Story() {
        std::vector<std::string> story;
        for (const Seen& s : rec.SeenMessages()) {
            std::string line = s.message == 0 ? s.window : s.window + " " + MessageName(s.message);
            if (s.message != 0 && !IsInput(s.message))
                continue;
            if (story.empty() || story.back() != line || line != "outer peek")
                story.push_back(line);
        }
        return story;
    }

    Recorder rec;
    HWND main = nullptr, side = nullptr;
    int answer = -1;
};

TEST_F(ModalMessageBox, OuterLoopWaitsAndOtherWindowsGetNoInputUntilEnter) {
    ScriptedHost host;
    bool mainEnabledMeanwhile = true;
    COLORREF captionBar = 0;
    RECT box{};
    host.Then([&] {
        ASSERT_TRUE(win32::windowsystem::MessageBoxOpen());
        mainEnabledMeanwhile = IsWindowEnabled(main) || IsWindowEnabled(side);
        box = BoxRect();
        win32::input::MouseButtonDown(MouseButton::Left, 50, 50);  // on the main window
        win32::input::MouseButtonUp(MouseButton::Left, 50, 50);
    });
    host.Then([&] {
        win32::input::MouseMove(620, 460);  // over `side`
        win32::input::KeyDown('A');         // the box has the focus
        win32::input::KeyUp('A');
    });
    host.Then([&] {
        captionBar = ScreenAt(box.left + 5, box.top + 5);
        win32::input::KeyDown(VK_RETURN);
        win32::input::KeyUp(VK_RETURN);
    });
    PostMessageA(main, WM_USER, 0, 0);
    RunOuterLoop(5);

    EXPECT_EQ(Story(), (std::vector<std::string>{"outer peek", "box opens", "box returned",
                                                 "outer peek", "main WM_KEYUP", "outer peek"}));
    EXPECT_EQ(answer, IDOK);
    EXPECT_FALSE(mainEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(side));
    EXPECT_EQ(GetActiveWindow(), main);
    EXPECT_EQ(GetFocus(), main);
    EXPECT_FALSE(win32::windowsystem::MessageBoxOpen());

    // Centred, with the caption bar in the active caption colour.
    EXPECT_EQ(box.left + box.right, 640);
    EXPECT_NEAR(box.top + box.bottom, 480, 1);
    EXPECT_EQ(captionBar, GetSysColor(COLOR_ACTIVECAPTION));
    ASSERT_EQ(win32::diagnostics::MessageBoxes().size(), 1u);
    EXPECT_EQ(win32::diagnostics::MessageBoxes()[0].caption, "caption");
    EXPECT_EQ(win32::diagnostics::MessageBoxes()[0].text, "text");
}

TEST_F(ModalMessageBox, EnterSpaceEscapeOrAClickOnOkAnswerIt) {
    struct Case {
        const char* what;
        std::function<void(const RECT& box)> answer;
        bool closes;
    } cases[] = {
        {"enter", [](const RECT&) { win32::input::KeyDown(VK_RETURN); }, true},
        {"space", [](const RECT&) { win32::input::KeyDown(VK_SPACE); }, true},
        {"escape", [](const RECT&) { win32::input::KeyDown(VK_ESCAPE); }, true},
        {"other key", [](const RECT&) { win32::input::KeyDown('Q'); }, false},
        {"click on OK",
         [](const RECT& box) {
             int x = (box.left + box.right) / 2, y = box.bottom - 26;
             win32::input::MouseButtonDown(MouseButton::Left, x, y);
             win32::input::MouseButtonUp(MouseButton::Left, x, y);
         },
         true},
        {"press on OK, release elsewhere",
         [](const RECT& box) {
             int x = (box.left + box.right) / 2, y = box.bottom - 26;
             win32::input::MouseButtonDown(MouseButton::Left, x, y);
             win32::input::MouseButtonUp(MouseButton::Left, box.left + 5, box.top + 30);
         },
         false},
        {"click on the text",
         [](const RECT& box) {
             win32::input::MouseButtonDown(MouseButton::Left, box.left + 20, box.top + 35);
             win32::input::MouseButtonUp(MouseButton::Left, box.left + 20, box.top + 35);
         },
         false},
        {"close request", [](const RECT&) { PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0); },
         true},
    };
    for (const Case& c : cases) {
        win32::input::Reset();
        ScriptedHost host;
        bool stillOpen = false;
        host.Then([&] { c.answer(BoxRect()); });
        host.Then([&] {});
        host.Then([&] {
            stillOpen = win32::windowsystem::MessageBoxOpen();
            win32::input::KeyDown(VK_ESCAPE);  // ends the box in any case
        });
        answer = -1;
        SendMessageA(main, WM_USER, 0, 0);
        EXPECT_EQ(answer, IDOK) << c.what;
        EXPECT_EQ(stillOpen, !c.closes) << c.what;
        PumpMessages();
        EXPECT_TRUE(IsWindow(main)) << c.what;
    }
}

// The window manager's close request is the main window's even while the box has it disabled:
// the box's loop hands it on, and the window's default answer destroys it and the box with it.
TEST_F(ModalMessageBox, TheHostsCloseRequestReachesTheDisabledMainWindow) {
    ScriptedHost host;
    host.Then([] { win32::input::RequestClose(); });
    host.Then([] { win32::input::KeyDown(VK_ESCAPE); });  // were the request lost
    SendMessageA(main, WM_USER, 0, 0);
    EXPECT_EQ(answer, 0);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(win32::windowsystem::MessageBoxOpen());
}

TEST_F(ModalMessageBox, QuitWhileTheBoxIsUpEndsItAndReachesTheOuterLoop) {
    ScriptedHost host;
    host.Then([] { PostQuitMessage(5); });
    PostMessageA(main, WM_USER, 0, 0);
    MSG msg;
    std::vector<UINT> outer;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        outer.push_back(msg.message);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(ModalMessageBox, WithoutAHostTheBoxIsDrawnRecordedAndTakenAsAnswered) {
    HWND before = GetActiveWindow();
    EXPECT_EQ(MessageBoxA(nullptr, "\xC7\xD1", nullptr, MB_OK), IDOK);  // "한", no caption
    EXPECT_EQ(GetActiveWindow(), before);
    EXPECT_TRUE(IsWindowEnabled(main));
    ASSERT_EQ(win32::diagnostics::MessageBoxes().size(), 1u);
    EXPECT_EQ(win32::diagnostics::MessageBoxes()[0].caption, "오류");
    EXPECT_EQ(win32::diagnostics::MessageBoxes()[0].text, "한");
    // The box painted itself before it went: its caption bar is still on the screen, as
    // the main window has not repainted yet.
    bool sawCaption = false;
    for (int y = 150; y < 330 && !sawCaption; ++y)
        sawCaption = ScreenAt(320, y) == GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_TRUE(sawCaption);
    PumpMessages();
    EXPECT_EQ(rec.Of(WM_PAINT).size(), 1u);  // the main window repaints what the box covered
}

}  // namespace
}  // namespace usertest
