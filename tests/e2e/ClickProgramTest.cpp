// The runner end to end: a real program binary run headless with the virtual clock and a
// script, and in a real window on an X server at 16 bits driven by xdotool.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "host/Xvfb.h"
#include "support/Dependencies.h"
#include "support/Golden.h"
#include "win32/platform/Png.h"

namespace {

namespace fs = std::filesystem;
using nuvik::testing::Xvfb;

// The program under test, running in the background with its output in files.
class Program {
  public:
    Program(const std::vector<std::string>& arguments, const fs::path& directory)
        : out_(directory / "out.txt"), err_(directory / "err.txt") {
        pid_ = fork();
        if (pid_ == 0) {
            int out = open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            int err = open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, STDOUT_FILENO);
            dup2(err, STDERR_FILENO);
            std::vector<char*> argv;
            std::string program = NUVIK_CLICK_PROGRAM;
            argv.push_back(program.data());
            std::vector<std::string> copies = arguments;
            for (std::string& argument : copies)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
    }
    ~Program() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    // The exit code, or -1 when it had not ended after `seconds` (it is killed then).
    int Wait(int seconds = 30) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    std::vector<std::string> Lines() const {
        std::ifstream file(out_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }
    std::string Errors() const {
        std::ifstream file(err_);
        std::stringstream contents;
        contents << file.rdbuf();
        return contents.str();
    }
    // Waits until the program has written `line` (or 10 s went by).
    bool WaitForLine(const std::string& line) const {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            for (const auto& written : Lines()) {
                if (written == line)
                    return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

  private:
    fs::path out_;
    fs::path err_;
    pid_t pid_ = -1;
    bool exited_ = false;
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines)
        out += "  " + line + "\n";
    return out;
}

class ClickProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = fs::temp_directory_path() /
                     ("nuvik-e2e-" + std::to_string(getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }

    std::string WriteScript(const std::string& text) {
        fs::path path = directory_ / "script.txt";
        std::ofstream(path) << text;
        return path.string();
    }

    fs::path directory_;
};

TEST_F(ClickProgram, HeadlessWithTheVirtualClockAScriptedClickIsSeenPaintedAndEndsTheRun) {
    fs::path shot = directory_ / "clicked.png";
    fs::path report = directory_ / "report.json";
    std::string script = WriteScript(
        "# move in, type, click the button, look\n"
        "100 mouse move 100 100\n"
        "150 key a down\n"
        "160 key a up\n"
        "200 click 330 250\n"
        "250 screenshot " +
        shot.string() + "\n");
    Program program(
        {"--headless", "--virtual-clock", "--script=" + script, "--report=" + report.string()},
        directory_);
    ASSERT_EQ(program.Wait(), 0) << program.Errors();
    EXPECT_EQ(program.Lines(),
              (std::vector<std::string>{"move 100 100", "key down 65", "char a", "key up 65",
                                        "move 330 250", "down left 330 250", "up left 330 250",
                                        "destroyed"}))
        << Joined(program.Lines());

    win32::png::RgbImage image;
    std::string error;
    ASSERT_TRUE(win32::png::Read(shot.string(), &image, &error)) << error;
    EXPECT_TRUE(nuvik::testing::MatchesGolden(image, "e2e/click.png"));

    std::ifstream file(report);
    std::stringstream json;
    json << file.rdbuf();
    EXPECT_EQ(json.str(),
              "{\"exit_code\": 0, \"frames_presented\": 0, \"frame_step\": 0, \"target_fps\": 0, "
              "\"shown_fps\": [], \"message_boxes\": [], \"trace\": []}\n");
}

TEST_F(ClickProgram, HeadlessRunsEndAsTheirInputSays) {
    struct Case {
        const char* script;
        std::vector<std::string> options;
        int exitCode;
        const char* lastLine;
    } cases[] = {
        {"50 key escape down\n", {}, 3, "destroyed"},
        {"50 close\n", {}, 0, "destroyed"},
        {"", {"--run-for=300"}, 0, "destroyed"},
        // A click beside the button changes nothing: the run goes on until it is closed.
        {"50 click 10 10\n", {"--run-for=1000"}, 0, "destroyed"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"--headless", "--virtual-clock",
                                           "--script=" + WriteScript(c.script)};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        Program program(arguments, directory_);
        EXPECT_EQ(program.Wait(), c.exitCode) << c.script << program.Errors();
        std::vector<std::string> lines = program.Lines();
        ASSERT_FALSE(lines.empty()) << c.script;
        EXPECT_EQ(lines.back(), c.lastLine) << c.script;
    }
}

TEST_F(ClickProgram, ABadScriptLineStopsTheRealBinaryBeforeItRuns) {
    std::string script = WriteScript("10 mouse move 1 1\n20 click 700 1\n");
    Program program({"--headless", "--script=" + script}, directory_);
    EXPECT_EQ(program.Wait(), 2);
    EXPECT_TRUE(program.Lines().empty());
    EXPECT_NE(
        program.Errors().find(script + ":2: X must be a screen pixel from 0 to 639, not '700'"),
        std::string::npos)
        << program.Errors();
}

TEST_F(ClickProgram, InARealWindowXdotoolsInputArrivesAtTheRightScreenCoordinates) {
    Xvfb xvfb("640x480x16");
    if (!xvfb.Running())
        NUVIK_DEPENDENCY_MISSING(xvfb.Error());
    if (!nuvik::testing::XdotoolInstalled())
        NUVIK_DEPENDENCY_MISSING("xdotool is not installed");
    setenv("DISPLAY", xvfb.Display().c_str(), 1);
#if defined(__SANITIZE_ADDRESS__)
    // Mesa's GL drivers leak when SDL unloads them; the sanitizer build keeps GL out.
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
#endif
    Program program({}, directory_);  // the faithful default: full screen, SDL
    ASSERT_EQ(xvfb.Run("timeout 20 xdotool search --sync --onlyvisible --name Nuvik >/dev/null"), 0)
        << program.Errors();

    struct Step {
        const char* command;
        std::vector<std::string> expected;
    } steps[] = {
        {"xdotool mousemove 100 100", {"move 100 100"}},
        {"xdotool key a", {"key down 65", "char a", "key up 65"}},
        {"xdotool mousemove 50 60 click 3", {"move 50 60", "down right 50 60", "up right 50 60"}},
        {"xdotool mousemove 639 479", {"move 639 479"}},
    };
    for (const Step& step : steps) {
        ASSERT_EQ(xvfb.Run(step.command), 0) << step.command;
        for (const auto& line : step.expected)
            EXPECT_TRUE(program.WaitForLine(line))
                << step.command << ": never saw '" << line << "'; got:\n"
                << Joined(program.Lines());
    }

    // The window shows the program's picture, 1:1 on a 640 x 480 screen.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::vector<COLORREF> screen = xvfb.Grab(640, 480);
    ASSERT_EQ(screen.size(), 640u * 480u);
    struct Probe {
        int x;
        int y;
        COLORREF expected;
    } probes[] = {{10, 10, RGB(0, 0, 128)},
                  {219, 179, RGB(0, 0, 128)},
                  {220, 180, RGB(192, 192, 192)},
                  {419, 299, RGB(192, 192, 192)},
                  {420, 300, RGB(0, 0, 128)}};
    for (const Probe& probe : probes) {
        COLORREF seen = screen[static_cast<std::size_t>(probe.y) * 640 + probe.x];
        // A 16-bit screen keeps 5 or 6 bits of each channel.
        EXPECT_LE(std::abs(GetRValue(seen) - GetRValue(probe.expected)), 8)
            << probe.x << "," << probe.y;
        EXPECT_LE(std::abs(GetGValue(seen) - GetGValue(probe.expected)), 8)
            << probe.x << "," << probe.y;
        EXPECT_LE(std::abs(GetBValue(seen) - GetBValue(probe.expected)), 8)
            << probe.x << "," << probe.y;
    }

    ASSERT_EQ(xvfb.Run("xdotool mousemove 320 240 click 1"), 0);
    EXPECT_EQ(program.Wait(), 0) << program.Errors();
    std::vector<std::string> lines = program.Lines();
    EXPECT_TRUE(program.WaitForLine("down left 320 240")) << Joined(lines);
    EXPECT_TRUE(program.WaitForLine("up left 320 240")) << Joined(lines);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "destroyed");
    unsetenv("DISPLAY");
}

}  // namespace
