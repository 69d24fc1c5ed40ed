// The runner binary end to end, headless with the virtual clock: what a user sees and what
// the report says, for every way of starting, steering and ending the program.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "runner/RunnerProcess.h"
#include "support/Golden.h"
#include "win32/platform/Png.h"

namespace {

using runnertest::NumberArray;
using runnertest::NumberField;
using runnertest::RunRunner;

const std::vector<std::string> kHeadless = {"--headless", "--virtual-clock"};

std::vector<std::string> With(std::vector<std::string> extra) {
    std::vector<std::string> arguments = kHeadless;
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return arguments;
}

// The slider's thumb at 35 lies at screen x 92..100, y 442..458; a click on it grabs and
// releases the thumb without moving it, and gives the slider the focus.
const char kClickThumb[] = "100 click 95 450\n";

TEST(RunnerEndToEnd, TheConsoleWithSquaresBannerRateAndSliderAtAFixedTick) {
    auto run = RunRunner("golden", With({"--run-for=2100"}), "2000 screenshot $DIR/shot.png\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    win32::png::RgbImage shot;
    std::string error;
    ASSERT_TRUE(win32::png::Read((run.directory / "shot.png").string(), &shot, &error)) << error;
    EXPECT_TRUE(nuvik::testing::MatchesGolden(shot, "runner/console-2000.png"));
}

TEST(RunnerEndToEnd, TheShownRateIsWhatThePacingGivesForEachTarget) {
    const struct {
        const char* name;
        std::string script;
        int target;
        int shown;  // frames in the first window of more than 1000 ms
    } cases[] = {
        {"rate10", std::string(kClickThumb) + "200 key home down\n210 key home up\n", 10, 11},
        {"rate35", "", 35, 36},
        {"rate60", std::string(kClickThumb) + "200 key end down\n210 key end up\n", 60, 63},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto run = RunRunner(c.name, With({"--run-for=5000"}), c.script);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_EQ(NumberField(run.report, "target_fps"), c.target);
        auto shown = NumberArray(run.report, "shown_fps");
        ASSERT_FALSE(shown.empty()) << run.report;
        EXPECT_EQ(shown.front(), 0);
        EXPECT_EQ(shown.back(), c.shown) << run.report;
    }
}

TEST(RunnerEndToEnd, EveryWayOfEndingExitsWithZero) {
    const struct {
        const char* name;
        std::string script;
        int frameStep;
        bool endsEarly;  // before --run-for's close request at 3000
    } cases[] = {
        {"escape", "500 key escape down\n", 9999, true},
        {"power", "500 click 450 25\n", 1001, true},
        {"power-corner", "500 click 428 16\n", 1001, true},
        {"close", "500 close\n", 1001, true},
        {"elsewhere", "500 click 300 200\n600 click 60 150\n700 click 427 25\n", 1001, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto run = RunRunner(c.name, With({"--run-for=3000"}), c.script);
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_EQ(NumberField(run.report, "exit_code"), 0);
        EXPECT_EQ(NumberField(run.report, "frame_step"), c.frameStep);
        long long frames = NumberField(run.report, "frames_presented");
        if (c.endsEarly) {
            EXPECT_LT(frames, 30) << run.report;
        } else {
            EXPECT_GT(frames, 90) << run.report;
        }
    }
}

TEST(RunnerEndToEnd, BelowDirectX8TheProgramRefusesWithAMessageAndNeverDraws) {
    auto refused = RunRunner("dx7", With({"--dx=7", "--run-for=3000"}));
    EXPECT_EQ(refused.exitCode, 0) << refused.errors;
    EXPECT_NE(refused.report.find("\"caption\": \"오류\""), std::string::npos) << refused.report;
    EXPECT_NE(refused.report.find("다이렉트 X 8.0 이상에서만 실행됩니다."), std::string::npos);
    EXPECT_NE(refused.report.find("Couldn't LoadLibrary D3D8.DLL"), std::string::npos);
    EXPECT_EQ(NumberField(refused.report, "frames_presented"), 0);
    EXPECT_EQ(NumberField(refused.report, "frame_step"), 0);

    auto accepted = RunRunner("dx80", With({"--dx=8.0", "--run-for=1000"}));
    EXPECT_EQ(accepted.exitCode, 0) << accepted.errors;
    EXPECT_GT(NumberField(accepted.report, "frames_presented"), 20);
}

TEST(RunnerEndToEnd, AnUnknownVideoCardIsReported) {
    auto run = RunRunner("card", With({"--display-format=0x001F", "--run-for=1500"}));
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.report.find("알 수 없는 비디오카드 : 1f"), std::string::npos) << run.report;
}

// The window manager's close while the card's message box is up is the main window's: the
// program ends there, on either clock. Lost, the run would never end (the box answered after
// 500 ticks, the program running on) and be killed.
TEST(RunnerEndToEnd, ACloseWhileAMessageBoxIsUpEndsTheRun) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        std::string script;
    } cases[] = {
        {"box-run-for", With({"--run-for=300"}), ""},
        {"box-run-for-real", {"--headless", "--run-for=300"}, ""},
        {"box-close", kHeadless, "100 close\n"},
        {"box-close-real", {"--headless"}, "100 close\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = c.arguments;
        arguments.push_back("--display-format=0x001F");
        auto run = RunRunner(c.name, arguments, c.script, 30);
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_EQ(NumberField(run.report, "exit_code"), 0) << run.report;
        EXPECT_NE(run.report.find("알 수 없는 비디오카드 : 1f"), std::string::npos) << run.report;
    }
}

TEST(RunnerEndToEnd, NoFrameIsDrawnWhileMinimised) {
    auto normal = RunRunner("not-minimised", With({"--run-for=2000"}));
    auto minimised =
        RunRunner("minimised", With({"--run-for=2000"}), "500 minimize\n1500 restore\n");
    ASSERT_EQ(minimised.exitCode, 0) << minimised.errors;
    long long all = NumberField(normal.report, "frames_presented");
    long long some = NumberField(minimised.report, "frames_presented");
    // A second of 28 ms frames is missing.
    EXPECT_NEAR(all - some, 1000 / 28, 3) << all << " vs " << some;
}

TEST(RunnerEndToEnd, AKeyMovesTheClickedSliderOnceAndTheFocusGoesBack) {
    auto run = RunRunner("slider-keys", With({"--run-for=1000"}),
                         std::string(kClickThumb) +
                             "200 key right down\n210 key right up\n"
                             "300 key right down\n310 key right up\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(NumberField(run.report, "target_fps"), 50);
}

TEST(RunnerEndToEnd, ABadOptionOrScriptLineIsRefusedBeforeAnythingRuns) {
    auto option = RunRunner("bad-option", {"--headless", "--bogus"});
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_NE(option.errors.find("--bogus"), std::string::npos) << option.errors;
    auto script = RunRunner("bad-script", With({"--run-for=100"}), "100 key nosuchkey down\n");
    EXPECT_EQ(script.exitCode, 2);
    EXPECT_NE(script.errors.find("script.txt:1"), std::string::npos) << script.errors;
}

TEST(RunnerEndToEnd, WithNoDisplayToShowAWindowOnTheRunnerSaysSoAndEndsWithCode1) {
    // A display number nobody serves.
    int number = 150;
    while (number < 200 && std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)))
        ++number;
    std::string display = ":" + std::to_string(number);
    const char* saved = std::getenv("DISPLAY");
    std::string savedDisplay = saved ? saved : "";
    setenv("DISPLAY", display.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    auto run = RunRunner("no-display", {"--window"}, {}, 5);
    if (saved)
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
    EXPECT_EQ(run.exitCode, 1) << "not ended within 5 s, or not with 1: " << run.errors;
    EXPECT_NE(run.errors.find("DISPLAY=" + display), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("--headless"), std::string::npos) << run.errors;
}

TEST(RunnerEndToEnd, PauseHoldsTheProgramAndItsClockF8GivesOneFrameAndHeldKeysArriveAfter) {
    auto frames = [](const std::string& name, const std::string& script) {
        auto run = RunRunner(name, With({"--run-for=3000"}), script);
        EXPECT_EQ(run.exitCode, 0) << name << ": " << run.errors;
        return std::make_pair(NumberField(run.report, "frames_presented"),
                              NumberField(run.report, "frame_step"));
    };
    auto plain1000 = RunRunner("pause-plain", With({"--run-for=1000"}));
    long long before = NumberField(plain1000.report, "frames_presented");
    auto plain2000 = RunRunner("pause-plain2", With({"--run-for=2000"}));
    long long twoSeconds = NumberField(plain2000.report, "frames_presented");

    const char kPause[] = "1000 key pause down\n1010 key pause up\n";
    // Paused from 1000 to the end: not one frame more.
    EXPECT_EQ(frames("pause-held", kPause).first, before);
    // F8 while paused: exactly one.
    EXPECT_EQ(
        frames("pause-advance", std::string(kPause) + "1500 key f8 down\n1510 key f8 up\n").first,
        before + 1);
    // Paused for a second: the program lost that second, not its frames' pace.
    EXPECT_EQ(frames("pause-resumed", std::string(kPause) + "2000 key pause down\n").first,
              twoSeconds);
    // Escape pressed and let go while paused reaches the program once it goes on.
    auto held = frames("pause-escape", std::string(kPause) +
                                           "1500 key escape down\n1510 key escape up\n"
                                           "2000 key pause down\n");
    EXPECT_EQ(held.second, 9999);
    EXPECT_EQ(held.first, before);
}

TEST(RunnerEndToEnd, F12WritesTheScreenAsScreenshotDoesIntoTheCapturesFolderWithoutOverwriting) {
    auto captures_dir =
        std::filesystem::temp_directory_path() / "nuvik-runner-test-f12" / "captures";
    auto run = RunRunner("f12", With({"--run-for=1200", "--captures=" + captures_dir.string()}),
                         "1000 key f12 down\n1000 screenshot $DIR/shot.png\n1001 key f12 up\n"
                         "1100 key f12 down\n1101 key f12 up\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    std::vector<std::filesystem::path> captures;
    for (const auto& entry : std::filesystem::directory_iterator(run.directory / "captures"))
        captures.push_back(entry.path());
    std::sort(captures.begin(), captures.end());
    ASSERT_EQ(captures.size(), 2u) << run.errors;
    // nuvik-YYYYMMDD-HHMMSS-N.png: the second press in the same second takes the next N.
    for (const auto& capture : captures)
        EXPECT_EQ(capture.filename().string().rfind("nuvik-", 0), 0u) << capture;
    EXPECT_NE(run.errors.find("screenshot: " + captures[0].string()), std::string::npos)
        << run.errors;
    win32::png::RgbImage fromKey;
    win32::png::RgbImage fromScript;
    std::string error;
    ASSERT_TRUE(win32::png::Read(captures[0].string(), &fromKey, &error)) << error;
    ASSERT_TRUE(win32::png::Read((run.directory / "shot.png").string(), &fromScript, &error));
    EXPECT_EQ(fromKey.rgb, fromScript.rgb);
}

TEST(RunnerEndToEnd, ARecordingHoldsEveryChangeOfTheScreenWithItsTimeAndIsTheSameEveryRun) {
    struct Recorded {
        int frames = 0;
        int width = 0;
        int totalDelayCs = 0;
        std::string bytes;
    };
    auto record = [](const std::string& name, const std::string& area) {
        auto path = std::filesystem::temp_directory_path() / ("nuvik-" + name + ".gif");
        auto run = RunRunner(
            name, With({"--run-for=2000", "--record=" + path.string(), "--record-area=" + area}));
        EXPECT_EQ(run.exitCode, 0) << run.errors;
        Recorded recorded;
        int error = 0;
        GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
        EXPECT_NE(gif, nullptr) << error;
        if (gif == nullptr || DGifSlurp(gif) != GIF_OK)
            return std::make_pair(recorded, run);
        recorded.frames = gif->ImageCount;
        recorded.width = gif->SWidth;
        for (int i = 0; i < gif->ImageCount; ++i) {
            GraphicsControlBlock control{};
            DGifSavedExtensionToGCB(gif, i, &control);
            recorded.totalDelayCs += control.DelayTime;
        }
        DGifCloseFile(gif, &error);
        std::ifstream in(path, std::ios::binary);
        recorded.bytes.assign(std::istreambuf_iterator<char>(in), {});
        std::filesystem::remove(path);
        return std::make_pair(recorded, run);
    };
    auto [first, run] = record("record-a", "screen");
    auto [second, again] = record("record-b", "screen");
    EXPECT_EQ(first.bytes, second.bytes);
    EXPECT_EQ(first.width, 640);
    // The screen changes on every second present (and once before the first, when the window
    // is painted): one GIF frame each, and together they last the run's 2000 ticks.
    long long presented = NumberField(run.report, "frames_presented");
    EXPECT_GE(first.frames, presented / 2);
    EXPECT_LE(first.frames, presented / 2 + 2);
    EXPECT_NEAR(first.totalDelayCs, 200, 1);
    auto [console, small] = record("record-console", "console");
    EXPECT_EQ(console.width, 320);
}

TEST(RunnerEndToEnd, F9RecordsIntoTheCapturesFolderAndARecordingThatCannotBeMadeFailsTheRun) {
    auto dir = std::filesystem::temp_directory_path() / "nuvik-runner-test-f9";
    const char kTwice[] = "500 key f9 down\n510 key f9 up\n1500 key f9 down\n1510 key f9 up\n";
    auto run =
        RunRunner("f9", With({"--run-for=2000", "--captures=" + (dir / "c").string()}), kTwice);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    std::vector<std::filesystem::path> captures;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "c"))
        captures.push_back(entry.path());
    ASSERT_EQ(captures.size(), 1u) << run.errors;
    EXPECT_EQ(captures[0].filename().string().rfind("nuvik-", 0), 0u) << captures[0];
    EXPECT_EQ(captures[0].extension(), ".gif");
    EXPECT_NE(run.errors.find("recorded: " + captures[0].string()), std::string::npos)
        << run.errors;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(captures[0].c_str(), &error);
    ASSERT_NE(gif, nullptr) << error;
    ASSERT_EQ(DGifSlurp(gif), GIF_OK);
    int totalDelayCs = 0;
    for (int i = 0; i < gif->ImageCount; ++i) {
        GraphicsControlBlock control{};
        DGifSavedExtensionToGCB(gif, i, &control);
        totalDelayCs += control.DelayTime;
    }
    DGifCloseFile(gif, &error);
    EXPECT_NEAR(totalDelayCs, 100, 1) << "from the first F9 to the second";

    auto failed = RunRunner("f9-unwritable", With({"--run-for=1000", "--captures=/dev/null/c"}),
                            "500 key f9 down\n");
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(NumberField(failed.report, "exit_code"), 1);
    EXPECT_NE(failed.errors.find("recording not started: "), std::string::npos) << failed.errors;
}

TEST(RunnerEndToEnd, TabHeldRunsTheProgramsClockFourTimesAsFastUntilLetGo) {
    auto plain = RunRunner("tab-plain", With({"--run-for=5000"}));
    // A second at 4x and a second at 1x: five seconds of the program's time.
    auto fast =
        RunRunner("tab-held", With({"--run-for=2000"}), "0 key tab down\n1000 key tab up\n");
    ASSERT_EQ(fast.exitCode, 0) << fast.errors;
    EXPECT_NEAR(NumberField(fast.report, "frames_presented"),
                NumberField(plain.report, "frames_presented"), 2)
        << fast.report;
    // The program's own rate line still reads its usual rate.
    EXPECT_EQ(NumberArray(fast.report, "shown_fps").back(), 36) << fast.report;
}

}  // namespace
