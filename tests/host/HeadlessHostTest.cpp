#include "host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/RunSession.h"
#include "host/Script.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Png.h"

namespace {

using nuvik::host::HeadlessHost;
using nuvik::host::InputSink;
using nuvik::host::ParseScript;
using nuvik::host::RunSession;
using nuvik::host::ScriptEvent;
using nuvik::host::SessionSettings;
using nuvik::host::SystemHooks;
using win32::input::MouseButton;

// What reached the window system, each entry prefixed by its tick since the run started.
class RecordingInput final : public InputSink {
  public:
    void KeyDown(int key) override { Log("key down " + std::to_string(key)); }
    void KeyUp(int key) override { Log("key up " + std::to_string(key)); }
    void MouseMove(int x, int y) override { Log("move " + Point(x, y)); }
    void MouseButtonDown(MouseButton button, int x, int y) override {
        Log("down " + Name(button) + " " + Point(x, y));
    }
    void MouseButtonUp(MouseButton button, int x, int y) override {
        Log("up " + Name(button) + " " + Point(x, y));
    }
    void RequestClose() override { Log("close"); }
    void RequestMinimize() override { Log("minimize"); }
    void RequestRestore() override { Log("restore"); }

    DWORD origin = 0;
    std::vector<std::string> log;

  private:
    static std::string Point(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
    static std::string Name(MouseButton button) {
        return button == MouseButton::Left    ? "left"
               : button == MouseButton::Right ? "right"
                                              : "middle";
    }
    void Log(const std::string& what) {
        log.push_back(std::to_string(win32::clock::Now() - origin) + " " + what);
    }
};

std::vector<ScriptEvent> Script(const char* text) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_TRUE(ParseScript(text, "test", &events, &error)) << error;
    return events;
}

// A headless run on the virtual clock, driven pass by pass as a message loop that always finds
// its queue empty would drive it.
class HeadlessRun : public ::testing::Test {
  protected:
    void Begin(SessionSettings settings, DWORD start = 0, SystemHooks hooks = {}) {
        win32::clock::UseVirtualClock(start);
        win32::diagnostics::Clear();
        input_.origin = start;
        session_ = std::make_unique<RunSession>(std::move(settings), hooks, input_);
        host_ = std::make_unique<HeadlessHost>(*session_, true);
        session_->Start();
    }
    void Passes(int count) {
        for (int i = 0; i < count; ++i) {
            host_->Poll();
            host_->Idle(0);
        }
    }
    // Runs empty passes until the run has lasted `ms` ticks.
    void RunUntil(DWORD ms) {
        while (session_->ElapsedMs() < ms)
            Passes(1);
    }
    void TearDown() override { win32::clock::UseRealClock(); }

    RecordingInput input_;
    std::unique_ptr<RunSession> session_;
    std::unique_ptr<HeadlessHost> host_;
};

TEST_F(HeadlessRun, TheVirtualClockMovesExactlyOneMillisecondPerIdleAndNeverOnPoll) {
    Begin({}, 1000);
    for (int i = 0; i < 500; ++i)
        host_->Poll();
    EXPECT_EQ(win32::clock::Now(), 1000u);
    struct Step {
        int waitMs;
        DWORD expected;
    } steps[] = {{0, 1001}, {-1, 1002}, {50, 1003}, {0, 1004}};
    for (const Step& step : steps) {
        host_->Idle(step.waitMs);
        EXPECT_EQ(win32::clock::Now(), step.expected) << "wait " << step.waitMs;
        host_->Poll();
        EXPECT_EQ(win32::clock::Now(), step.expected);
    }
}

TEST_F(HeadlessRun, ARestOnTheVirtualClockIsOneTickAndOnTheRealClockEndsOnTheNextTick) {
    Begin({}, 1000);
    host_->IdleUntilNextTick();
    EXPECT_EQ(win32::clock::Now(), 1001u);

    win32::clock::UseRealClock();
    HeadlessHost real(*session_, false);
    for (int i = 0; i < 20; ++i) {
        DWORD before = win32::clock::Now();
        real.IdleUntilNextTick();
        EXPECT_NE(win32::clock::Now(), before) << "rest " << i << " ended within its tick";
    }
}

TEST_F(HeadlessRun, ScriptedInputArrivesOnItsTickInFileOrder) {
    SessionSettings settings;
    settings.script = Script(
        "0 key a down\n"
        "3 click 10 20\n"
        "3 key a up\n"
        "5 mouse move 7 8\n"
        "5 mouse down right 1 2\n"
        "6 mouse up right 1 2\n"
        "8 minimize\n"
        "9 restore\n"
        "12 close\n");
    // Across the wrap of the 32-bit tick: ticks count from the start of the run.
    Begin(std::move(settings), 0xFFFFFFFDu);
    RunUntil(30);
    EXPECT_EQ(input_.log, (std::vector<std::string>{
                              "0 key down 65",
                              "3 move 10 20",
                              "3 down left 10 20",
                              "3 up left 10 20",
                              "3 key up 65",
                              "5 move 7 8",
                              "5 down right 1 2",
                              "6 up right 1 2",
                              "8 minimize",
                              "9 restore",
                              "12 close",
                          }));
}

// A window's input on the virtual clock: held back however often the program polls within a
// tick, and handed on just after the tick moves on, behind that tick's script lines.
TEST_F(HeadlessRun, InputForTheNextTickArrivesJustAfterTheTickMovesOnBehindTheScript) {
    SessionSettings settings;
    settings.script = Script("1 key b down\n");
    Begin(std::move(settings), 1000);
    session_->InputAtNextTick().KeyDown('A');
    session_->InputAtNextTick().MouseMove(3, 4);
    for (int i = 0; i < 200; ++i)
        host_->Poll();
    EXPECT_TRUE(input_.log.empty());
    host_->Idle(0);
    EXPECT_EQ(input_.log,
              (std::vector<std::string>{"1 key down 66", "1 key down 65", "1 move 3 4"}));
}

TEST_F(HeadlessRun, AScriptedPadButtonArrivesAsItsKeyOnItsTick) {
    SessionSettings settings;
    settings.script = Script(
        "2 pad a down\n"
        "2 key z down\n"
        "4 pad dpleft down\n"
        "5 pad start up\n"
        "6 pad y down\n");  // unmapped: nothing
    std::string error;
    ASSERT_TRUE(nuvik::host::ParsePadMapping("start=f1", &settings.padMapping, &error)) << error;
    Begin(std::move(settings));
    RunUntil(10);
    EXPECT_EQ(input_.log, (std::vector<std::string>{"2 key down 90", "2 key down 90",
                                                    "4 key down 37", "5 key up 112"}));
}

TEST_F(HeadlessRun, RunForAsksToCloseOnceWhenItsTimeHasCome) {
    SessionSettings settings;
    settings.runForMs = 10;
    Begin(std::move(settings), 500);
    RunUntil(9);
    EXPECT_TRUE(input_.log.empty());
    RunUntil(100);
    EXPECT_EQ(input_.log, (std::vector<std::string>{"10 close"}));
}

TEST_F(HeadlessRun, RunForZeroAsksOnTheFirstPass) {
    SessionSettings settings;
    settings.runForMs = 0;
    Begin(std::move(settings));
    host_->Poll();
    EXPECT_EQ(input_.log, (std::vector<std::string>{"0 close"}));
}

TEST_F(HeadlessRun, AnUnansweredMessageBoxGetsEnter500TicksAfterItAppeared) {
    SessionSettings settings;
    settings.dismissMessageBoxes = true;
    Begin(std::move(settings), 2000);
    RunUntil(100);
    win32::diagnostics::RecordMessageBox("caption", "first");
    RunUntil(599);
    EXPECT_TRUE(input_.log.empty());
    RunUntil(1000);
    win32::diagnostics::RecordMessageBox("caption", "second");
    RunUntil(2000);
    EXPECT_EQ(input_.log, (std::vector<std::string>{"600 key down 13", "600 key up 13",
                                                    "1500 key down 13", "1500 key up 13"}));
}

TEST_F(HeadlessRun, AMessageBoxTheScriptAnswersGetsNothingMore) {
    struct Case {
        const char* script;
        std::vector<std::string> expected;
    } cases[] = {
        {"150 key enter down\n150 key enter up\n", {"150 key down 13", "150 key up 13"}},
        {"150 key space down\n", {"150 key down 32"}},
        {"150 key escape down\n", {"150 key down 27"}},
        {"150 click 320 240\n",
         {"150 move 320 240", "150 down left 320 240", "150 up left 320 240"}},
        // Other input does not answer it: Enter still comes.
        {"150 key a down\n", {"150 key down 65", "600 key down 13", "600 key up 13"}},
        // Nor does an answer given before the box was there.
        {"50 key enter down\n", {"50 key down 13", "600 key down 13", "600 key up 13"}},
    };
    for (const auto& c : cases) {
        SessionSettings settings;
        settings.dismissMessageBoxes = true;
        settings.script = Script(c.script);
        input_.log.clear();
        Begin(std::move(settings));
        RunUntil(100);
        win32::diagnostics::RecordMessageBox("caption", "text");
        RunUntil(1000);
        EXPECT_EQ(input_.log, c.expected) << c.script;
    }
}

bool g_boxOpen = false;

TEST_F(HeadlessRun, AMessageBoxClosedOtherwiseIsNotAnsweredAgain) {
    SessionSettings settings;
    settings.dismissMessageBoxes = true;
    settings.messageBoxOpen = [] { return g_boxOpen; };
    settings.script = Script("200 mouse down left 300 250\n");
    Begin(std::move(settings));
    RunUntil(100);
    win32::diagnostics::RecordMessageBox("caption", "closed by the program");
    g_boxOpen = true;
    RunUntil(300);
    g_boxOpen = false;
    RunUntil(1000);
    win32::diagnostics::RecordMessageBox("caption", "left open");
    g_boxOpen = true;
    RunUntil(2000);
    EXPECT_EQ(input_.log, (std::vector<std::string>{"200 down left 300 250", "1500 key down 13",
                                                    "1500 key up 13"}));
    g_boxOpen = false;
}

TEST_F(HeadlessRun, MessageBoxesAreLeftToThePersonWhenNotAskedToAnswerThem) {
    Begin({});
    win32::diagnostics::RecordMessageBox("caption", "text");
    RunUntil(2000);
    EXPECT_TRUE(input_.log.empty());
}

long long g_framesPresented = 0;
int g_shownFps = 0;

TEST_F(HeadlessRun, ShownRatesAreRecordedFromTheFirstPresentWithoutRepeats) {
    SystemHooks hooks;
    hooks.framesPresented = [] { return g_framesPresented; };
    hooks.shownFps = [] { return g_shownFps; };
    g_framesPresented = 0;
    g_shownFps = 7;  // whatever the variable holds, nothing has been shown yet
    Begin({}, 0, hooks);
    struct Step {
        long long frames;
        int shown;
    } steps[] = {{0, 7}, {1, 0}, {2, 0}, {3, 35}, {4, 35}, {5, 34}, {6, 35}, {7, 35}};
    for (const Step& step : steps) {
        g_framesPresented = step.frames;
        g_shownFps = step.shown;
        Passes(1);
    }
    EXPECT_EQ(session_->ShownFps(), (std::vector<int>{0, 35, 34, 35}));
}

TEST_F(HeadlessRun, ScriptScreenshotsAreWrittenOrReportedWithTheirLine) {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / "nuvik-host-script-shot.png";
    std::filesystem::remove(path);
    SessionSettings settings;
    settings.script = Script(
        ("2 screenshot " + path.string() + "\n# unwritable\n3 screenshot /nonexistent/dir/x.png\n")
            .c_str());
    win32::Framebuffer::Instance().Reset();
    win32::WritePixel(win32::Framebuffer::Instance().Buffer(), 5, 6, 0x00FF0000);
    Begin(std::move(settings));
    RunUntil(10);

    win32::png::RgbImage image;
    std::string error;
    ASSERT_TRUE(win32::png::Read(path.string(), &image, &error)) << error;
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 480);
    std::size_t at = (6u * 640 + 5) * 3;
    EXPECT_EQ(image.rgb[at], 255);
    EXPECT_EQ(image.rgb[at + 1], 0);
    ASSERT_EQ(session_->Failures().size(), 1u);
    EXPECT_EQ(session_->Failures()[0].rfind(
                  "cannot write screenshot /nonexistent/dir/x.png (script line 3): ", 0),
              0u)
        << session_->Failures()[0];
    std::filesystem::remove(path);
}

TEST_F(HeadlessRun, TheHostKnowsHowLongItMayWait) {
    SessionSettings settings;
    settings.runForMs = 30;
    settings.script = Script("50 close\n");
    Begin(std::move(settings));
    EXPECT_EQ(session_->MsUntilNextDue(), 30u);
    RunUntil(30);
    EXPECT_EQ(session_->MsUntilNextDue(), 20u);
    RunUntil(60);
    EXPECT_EQ(session_->MsUntilNextDue(), RunSession::kNothingDue);
}

TEST_F(HeadlessRun, TheCursorShapeIsKept) {
    Begin({});
    EXPECT_EQ(host_->CursorShape(), nullptr);
    auto cursor = reinterpret_cast<HCURSOR>(std::uintptr_t{0x1234});
    host_->SetCursorShape(cursor);
    EXPECT_EQ(host_->CursorShape(), cursor);
}

}  // namespace

namespace {

// The virtual clock moves only when the queue is found empty; a loop that always finds a
// message must still let --run-for end the run, and say why the clock stood still.
TEST_F(HeadlessRun, AQueueThatNeverEmptiesStillEndsARunForRun) {
    SessionSettings settings;
    settings.runForMs = 5000;
    Begin(std::move(settings));
    testing::internal::CaptureStderr();
    for (int i = 0; i < 4'000'000 && input_.log.empty(); ++i)
        host_->Poll();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(input_.log, std::vector<std::string>{"0 close"});
    EXPECT_NE(said.find("the virtual clock stands at tick 0"), std::string::npos) << said;
}

}  // namespace
