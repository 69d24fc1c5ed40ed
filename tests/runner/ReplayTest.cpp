// Every run replayable: the input of a run written down as a script (--record-input, F7) and
// replayed headless on the virtual clock to the same report and pixels, byte for byte; a
// window on the virtual clock at a person's pace, played with xdotool on a private X server.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/Xvfb.h"
#include "runner/RunnerProcess.h"

namespace {

namespace fs = std::filesystem;
using nuvik::testing::Xvfb;
using runnertest::NumberField;
using runnertest::RunRunner;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The report and the final screenshot of a headless replay of `script` on the virtual clock.
struct Outcome {
    int exitCode = -1;
    std::string report;
    std::string screenshot;
    std::string errors;
};
Outcome ReplayHeadless(const std::string& name, const std::string& runner, const fs::path& script) {
    fs::path directory = fs::temp_directory_path() / ("nuvik-replay-" + name);
    fs::remove_all(directory);
    fs::create_directories(directory);
    std::string command = "timeout -s KILL 120 " + Quote(runner) +
                          " --headless --virtual-clock --script=" + Quote(script.string()) +
                          " --report=" + Quote((directory / "report.json").string()) +
                          " --screenshot=" + Quote((directory / "shot.png").string()) + " 2>" +
                          Quote((directory / "err.txt").string());
    int status = std::system(command.c_str());
    Outcome outcome;
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.report = ReadFile(directory / "report.json");
    outcome.screenshot = ReadFile(directory / "shot.png");
    outcome.errors = ReadFile(directory / "err.txt");
    return outcome;
}

TEST(Replay, AScriptedRunWritesItsInputAsAScriptThatReplaysToTheSameReportAndScreen) {
    fs::path directory = fs::temp_directory_path() / "nuvik-runner-test-record-scripted";
    // A click and a pad button for the program, and the runner's own pause, frame advance and
    // fast-forward: all of it reaches the recording, and the replay ends where the run did.
    auto run = RunRunner("record-scripted",
                         {"--headless", "--virtual-clock", "--run-for=3000",
                          "--screenshot=" + (directory / "shot.png").string(),
                          "--record-input=" + (directory / "input.txt").string()},
                         "100 click 95 450\n200 pad dpleft down\n210 pad dpleft up\n"
                         "1000 key pause down\n1010 key pause up\n1500 key f8 down\n"
                         "1600 key pause down\n2000 key tab down\n2500 key tab up\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    std::string script = ReadFile(directory / "input.txt");
    for (const char* line : {"\n100 mouse down left 95 450\n", "\n200 key left down\n",
                             "\n1500 key f8 down\n", "\n2000 key tab down\n", "\n3000 close\n"})
        EXPECT_NE(script.find(line), std::string::npos) << line << " not in:\n" << script;

    Outcome replay = ReplayHeadless("scripted", NUVIK_RUNNER, directory / "input.txt");
    EXPECT_EQ(replay.exitCode, 0) << replay.errors;
    EXPECT_EQ(replay.report, run.report);
    EXPECT_TRUE(replay.screenshot == ReadFile(directory / "shot.png"))
        << "the replay's screen differs";
}

TEST(Replay, F7RecordsIntoTheCapturesFolderWhatCameBetweenItsTwoPresses) {
    auto dir = fs::temp_directory_path() / "nuvik-runner-test-f7";
    auto run = RunRunner(
        "f7",
        {"--headless", "--virtual-clock", "--run-for=1000", "--captures=" + (dir / "c").string()},
        "100 key a down\n200 key f7 down\n210 key f7 up\n300 key b down\n400 key f7 down\n"
        "500 key c down\n");
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    std::vector<fs::path> captures;
    for (const auto& entry : fs::directory_iterator(dir / "c"))
        captures.push_back(entry.path());
    ASSERT_EQ(captures.size(), 1u) << run.errors;
    EXPECT_EQ(captures[0].filename().string().rfind("nuvik-", 0), 0u) << captures[0];
    EXPECT_EQ(captures[0].extension(), ".txt");
    EXPECT_NE(run.errors.find("recording input: " + captures[0].string()), std::string::npos)
        << run.errors;
    std::string script = ReadFile(captures[0]);
    EXPECT_NE(script.find("\n300 key b down\n"), std::string::npos) << script;
    for (const char* outside : {"key a", "key c", "f7"})
        EXPECT_EQ(script.find(outside), std::string::npos) << outside << " in:\n" << script;

    auto failed =
        RunRunner("f7-unwritable",
                  {"--headless", "--virtual-clock", "--run-for=500", "--captures=/dev/null/c"},
                  "100 key f7 down\n");
    EXPECT_EQ(failed.exitCode, 1) << failed.errors;
    EXPECT_NE(failed.errors.find("input recording not started: "), std::string::npos)
        << failed.errors;
}

TEST(Replay, ARunKilledOutrightKeepsEveryLineRecordedBeforeIt) {
    fs::path recorded = fs::temp_directory_path() / "nuvik-runner-test-record-killed" / "input.txt";
    // Real clock, no end of its own: `timeout` kills it with SIGKILL after two seconds, when
    // nothing the runner does at its end can run.
    auto run = RunRunner("record-killed", {"--headless", "--record-input=" + recorded.string()},
                         "10 key a down\n20 key a up\n", 2);
    EXPECT_EQ(run.exitCode, 128 + 9) << "not killed: " << run.errors;
    std::string script = ReadFile(recorded);
    // On the real clock the keys reach the program on the first pass after their tick.
    EXPECT_NE(script.find(" key a down\n"), std::string::npos) << script;
    EXPECT_NE(script.find(" key a up\n"), std::string::npos) << script;
}

// A window on a private X server, played with xdotool while its input is recorded.
class ReplayInWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!nuvik::testing::XvfbInstalled())
            GTEST_SKIP() << "Xvfb is not installed";
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "xdotool is not installed";
        directory_ = fs::temp_directory_path() /
                     ("nuvik-replay-window-" +
                      std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }

    struct WindowRun {
        int exitCode = -1;
        double seconds = 0;  // wall time of the whole run, start-up and xdotool included
    };
    // Runs `runner` in a window on the virtual clock with `options`, recording its input into
    // input.txt, its report and final screen into window.json and window.png, while `play` (a
    // shell command) drives it once its window is up.
    WindowRun PlayInWindow(const Xvfb& xvfb, const std::string& runner, const std::string& options,
                           const std::string& play) {
        std::string launch = "timeout -s KILL 60 " + Quote(runner) + " --window --virtual-clock " +
                             options +
                             " --record-input=" + Quote((directory_ / "input.txt").string()) +
                             " --report=" + Quote((directory_ / "window.json").string()) +
                             " --screenshot=" + Quote((directory_ / "window.png").string()) +
                             " 2>>" + Quote((directory_ / "errors.txt").string());
        std::string command =
            "( " + launch + " & runner=$!; " +
            (play.empty() ? ""
                          : "timeout 10 xdotool search --sync --onlyvisible --name '^Nuvik$' "
                            ">/dev/null 2>&1 && " +
                                play + "; ") +
            "wait $runner )";
        auto start = std::chrono::steady_clock::now();
        WindowRun run;
        run.exitCode = xvfb.Run("sh -c " + Quote(command));
        run.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return run;
    }
    std::string Errors() const { return ReadFile(directory_ / "errors.txt"); }

    fs::path directory_;
};

TEST_F(ReplayInWindow, TheDemoKeepsRealTimeAndItsRecordedPlayReplaysHeadlessByteForByte) {
    Xvfb xvfb("640x480x16");
    ASSERT_TRUE(xvfb.Running()) << xvfb.Error();
    // The 5,000 ticks' wall time is a played run's less what starting and ending a window
    // costs. A busy machine only ever adds to either, never takes away (the tick never runs
    // ahead of real time), so the least played run less the least empty one is the measure,
    // over up to three tries: a pace too fast or too slow fails every one of them.
    double startAndEnd = 1e9;
    double playedRun = 1e9;
    double ticking = 0;
    for (int attempt = 0; attempt < 3 && std::abs(ticking - 5.0) > 0.25; ++attempt) {
        WindowRun empty = PlayInWindow(xvfb, NUVIK_RUNNER, "--run-for=0", "");
        ASSERT_EQ(empty.exitCode, 0) << Errors();
        startAndEnd = std::min(startAndEnd, empty.seconds);
        // The slider's thumb grabbed (it gets the focus), then Home: the rate goes down to 10.
        // Then Pause, held long enough to repeat: paused once, to the end of the run.
        WindowRun played = PlayInWindow(xvfb, NUVIK_RUNNER, "--run-for=5000",
                                        "sleep 1 && xdotool mousemove 95 450 click 1 sleep 0.3 "
                                        "keydown Home sleep 0.1 keyup Home sleep 0.3 "
                                        "keydown Pause sleep 1 keyup Pause");
        ASSERT_EQ(played.exitCode, 0) << Errors();
        playedRun = std::min(playedRun, played.seconds);
        ticking = playedRun - startAndEnd;
    }
    RecordProperty("seconds_for_5000_ticks", std::to_string(ticking));
    RecordProperty("seconds_to_start_and_end", std::to_string(startAndEnd));
    EXPECT_NEAR(ticking, 5.0, 0.25)
        << "5,000 ticks took this long, starting and ending " << startAndEnd << " s";
    std::string window = ReadFile(directory_ / "window.json");
    EXPECT_EQ(NumberField(window, "target_fps"), 10) << "the click and Home did not arrive";
    std::string script = ReadFile(directory_ / "input.txt");
    std::size_t pauses = 0;
    for (std::size_t at = script.find(" key pause down"); at != std::string::npos;
         at = script.find(" key pause down", at + 1))
        ++pauses;
    EXPECT_EQ(pauses, 1u) << "a held runner key repeated:\n" << script;

    Outcome replay = ReplayHeadless("demo-window", NUVIK_RUNNER, directory_ / "input.txt");
    EXPECT_EQ(replay.exitCode, 0) << replay.errors;
    EXPECT_EQ(replay.report, window);
    EXPECT_TRUE(replay.screenshot == ReadFile(directory_ / "window.png"))
        << "the replay's screen differs from the window's last";
}

TEST_F(ReplayInWindow, StarCatcherPlayedWithArrowsAndZReplaysToTheWindowsLastScreen) {
    Xvfb xvfb("640x480x16");
    ASSERT_TRUE(xvfb.Running()) << xvfb.Error();
    // Enter starts; the basket goes left, dashes right with Z held, and back.
    WindowRun played = PlayInWindow(
        xvfb, NUVIK_STAR_CATCHER, "--run-for=6000",
        "sleep 0.5 && xdotool mousemove 320 240 key Return sleep 0.3 keydown Left sleep 1 "
        "keyup Left keydown z keydown Right sleep 1.2 keyup Right keyup z keydown Left sleep 0.7 "
        "keyup Left");
    ASSERT_EQ(played.exitCode, 0) << Errors();
    std::string script = ReadFile(directory_ / "input.txt");
    for (const char* line : {" key enter down", " key left down", " key z down", " key right up"})
        EXPECT_NE(script.find(line), std::string::npos) << line << " not in:\n" << script;

    Outcome replay = ReplayHeadless("star-catcher", NUVIK_STAR_CATCHER, directory_ / "input.txt");
    EXPECT_EQ(replay.exitCode, 0) << replay.errors;
    EXPECT_EQ(replay.report, ReadFile(directory_ / "window.json"));
    EXPECT_TRUE(replay.screenshot == ReadFile(directory_ / "window.png"))
        << "the replay's screen differs from the window's last";
}

}  // namespace
