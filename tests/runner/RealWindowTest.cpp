// The runner in a real SDL window on a private X server at 640 x 480 x 16, driven by xdotool as
// a person would drive it: what the screen shows while the demo runs, and the two ways a user
// ends it.
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

namespace {

namespace fs = std::filesystem;
using nuvik::testing::Xvfb;

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

struct Area {
    int left;
    int top;
    int right;  // inclusive
    int bottom;
    int Pixels() const { return (right - left + 1) * (bottom - top + 1); }
};
// Where the emulated 320 x 240 screen is shown, and the pictured Power switch.
constexpr Area kOpening = {160, 95, 479, 334};
constexpr Area kPowerPlate = {428, 16, 480, 36};

// The runner in the background on `display`, its standard error in a file; killed if a test
// leaves it running.
class Runner {
  public:
    Runner(const std::string& display, const std::vector<std::string>& arguments,
           const fs::path& errors)
        : errors_(errors) {
        pid_ = fork();
        if (pid_ == 0) {
            setenv("DISPLAY", display.c_str(), 1);
            // Without a GPU, SDL's renderer runs on the system's software OpenGL driver, which
            // leaves a few blocks unfreed at exit and is unloaded before the leak check runs,
            // so no suppression can name it. Under the address sanitizer the leak check alone
            // is turned off for the windowed runner (the headless runs keep it); every other
            // sanitizer error still ends the runner with a non-zero code.
            const char* sanitizer = std::getenv("ASAN_OPTIONS");
            std::string options = sanitizer ? std::string(sanitizer) + ":" : std::string();
            setenv("ASAN_OPTIONS", (options + "detect_leaks=0").c_str(), 1);
            if (!freopen(errors.c_str(), "w", stderr) || !freopen("/dev/null", "w", stdout))
                _exit(126);
            std::vector<std::string> copies = arguments;
            std::string program = NUVIK_RUNNER;
            std::vector<char*> argv{program.data()};
            for (std::string& argument : copies)
                argv.push_back(argument.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
    }
    ~Runner() {
        if (pid_ > 0 && !ended_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    bool Started() const { return pid_ > 0; }

    // The exit code once it has ended, or -1 if it is still running after `seconds` (it is
    // killed then) or died of a signal.
    int Wait(int seconds) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        for (;;) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                ended_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            if (std::chrono::steady_clock::now() >= end)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    std::string Errors() const {
        std::ifstream file(errors_);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

  private:
    fs::path errors_;
    pid_t pid_ = -1;
    bool ended_ = false;
};

int Luminance(COLORREF colour) {
    return (GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114) / 1000;
}

struct AreaCounts {
    int changed = 0;    // differing between the two grabs
    int notBlack = 0;   // in the later grab
    int lightGrey = 0;  // in the later grab: lighter than the text, darker than the white body
    int dark = 0;       // in the later grab
};

AreaCounts Count(const std::vector<COLORREF>& earlier, const std::vector<COLORREF>& later,
                 const Area& area) {
    AreaCounts counts;
    for (int y = area.top; y <= area.bottom; ++y) {
        for (int x = area.left; x <= area.right; ++x) {
            std::size_t at = static_cast<std::size_t>(y) * kScreenWidth + x;
            int luminance = Luminance(later[at]);
            counts.changed += earlier[at] != later[at] ? 1 : 0;
            counts.notBlack += luminance > 16 ? 1 : 0;
            counts.lightGrey += luminance >= 170 && luminance <= 245 ? 1 : 0;
            counts.dark += luminance < 110 ? 1 : 0;
        }
    }
    return counts;
}

class RealWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!nuvik::testing::XdotoolInstalled())
            NUVIK_DEPENDENCY_MISSING("xdotool is not installed");
        directory_ = fs::temp_directory_path() /
                     ("nuvik-real-window-" + std::to_string(getpid()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(directory_);
    }
    void TearDown() override {
        if (!directory_.empty())
            fs::remove_all(directory_);
    }

    // Waits until the runner's window is mapped (SDL names it "Nuvik").
    static bool WindowShown(const Xvfb& xvfb) {
        return xvfb.Run(
                   "timeout 10 xdotool search --sync --onlyvisible --name '^Nuvik$' "
                   ">/dev/null 2>&1") == 0;
    }

    fs::path directory_;
};

TEST_F(RealWindowTest, TheConsoleShowsSquaresPilingUpInItsScreenOpeningAndTheLightPowerPlate) {
    Xvfb xvfb("640x480x16");
    if (!xvfb.Running())
        NUVIK_DEPENDENCY_MISSING(xvfb.Error());
    Runner runner(xvfb.Display(), {"--window", "--run-for=15000"}, directory_ / "errors.txt");
    ASSERT_TRUE(runner.Started());
    ASSERT_TRUE(WindowShown(xvfb)) << runner.Errors();

    // A second lets frames come (35 a second) and a second more between the grabs brings
    // about 35 new squares.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::vector<COLORREF> earlier = xvfb.Grab(kScreenWidth, kScreenHeight);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::vector<COLORREF> later = xvfb.Grab(kScreenWidth, kScreenHeight);
    ASSERT_EQ(earlier.size(), static_cast<std::size_t>(kScreenWidth * kScreenHeight));
    ASSERT_EQ(later.size(), earlier.size());

    AreaCounts opening = Count(earlier, later, kOpening);
    // One new 100 x 100 square is 10,000 pixels; the opening holds 76,800.
    EXPECT_GT(opening.changed, 10000) << "the opening did not change between the grabs";
    EXPECT_GT(opening.notBlack, kOpening.Pixels() / 4) << "the opening is still black";

    // The plate is light grey with the dark word Power on it, and it is the same in both grabs.
    AreaCounts plate = Count(earlier, later, kPowerPlate);
    EXPECT_EQ(plate.changed, 0);
    EXPECT_GT(plate.lightGrey, kPowerPlate.Pixels() / 2);
    EXPECT_GT(plate.dark, 50) << "no word on the plate";

    // Still running: nothing above ended it.
    EXPECT_EQ(runner.Wait(0), -1) << runner.Errors();
}

TEST_F(RealWindowTest, AClickOnThePowerPlateOrEscapeEndsTheProgramWithExitCodeZero) {
    const struct {
        const char* name;
        std::vector<std::string> options;
        std::string input;
    } cases[] = {
        // Full screen on a 640 x 480 screen: screen pixels are the program's pixels.
        {"power plate, full screen", {}, "xdotool mousemove 450 25 click 1"},
        // Escape is read when the frame driver steps, so it is held as a person holds a key.
        {"escape, window",
         {"--window"},
         "xdotool mousemove 320 240 keydown Escape sleep 0.3 keyup Escape"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Xvfb xvfb("640x480x16");
        if (!xvfb.Running())
            NUVIK_DEPENDENCY_MISSING(xvfb.Error());
        // --run-for ends a run that ignored the input with code 0 too, but only after 60 s,
        // long after the wait below has given up.
        std::vector<std::string> arguments = c.options;
        arguments.push_back("--run-for=60000");
        Runner runner(xvfb.Display(), arguments, directory_ / "errors.txt");
        ASSERT_TRUE(runner.Started());
        ASSERT_TRUE(WindowShown(xvfb)) << runner.Errors();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ASSERT_EQ(xvfb.Run(c.input), 0) << c.input;
        EXPECT_EQ(runner.Wait(8), 0) << runner.Errors();
    }
}

}  // namespace
