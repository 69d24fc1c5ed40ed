// nuvik.exe, the Windows build, run under Wine on private X servers and driven by xdotool as a
// person would drive it. tools/wine-check.sh runs this binary with the executable and a Wine
// prefix in the environment (NUVIK_WINDOWS_EXE, WINEPREFIX); it is not one of ctest's tests.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "host/Xvfb.h"

namespace {

using nuvik::testing::Xvfb;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Area {
    int left;
    int top;
    int right;  // inclusive
    int bottom;
};
// The emulated screen's opening in the console picture, the slider on Panel1, Panel1's label.
constexpr Area kOpening = {160, 95, 479, 334};
constexpr Area kSlider = {52, 436, 140, 463};
constexpr Area kLabel = {12, 444, 50, 456};

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

int Luminance(COLORREF colour) {
    return (GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114) / 1000;
}

// Pixels darker than `limit` in the area.
int CountDarker(const std::vector<COLORREF>& screen, const Area& area, int limit) {
    int dark = 0;
    for (int y = area.top; y <= area.bottom; ++y)
        for (int x = area.left; x <= area.right; ++x)
            dark += Luminance(screen[static_cast<std::size_t>(y) * kWidth + x]) < limit ? 1 : 0;
    return dark;
}

int CountChanged(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b, const Area& area) {
    int changed = 0;
    for (int y = area.top; y <= area.bottom; ++y) {
        for (int x = area.left; x <= area.right; ++x) {
            std::size_t at = static_cast<std::size_t>(y) * kWidth + x;
            changed += a[at] != b[at] ? 1 : 0;
        }
    }
    return changed;
}

COLORREF At(const std::vector<COLORREF>& screen, int x, int y) {
    return screen[static_cast<std::size_t>(y) * kWidth + x];
}

// nuvik.exe under Wine in the background, on `display`, under the Korean locale; killed if a
// test leaves it running.
class WineRun {
  public:
    WineRun(const std::string& display, const std::string& log, const std::string& debug = "-all")
        : log_(log) {
        pid_ = fork();
        if (pid_ == 0) {
            setenv("DISPLAY", display.c_str(), 1);
            setenv("LANG", "ko_KR.UTF-8", 1);
            setenv("LC_ALL", "ko_KR.UTF-8", 1);
            setenv("WINEDEBUG", debug.c_str(), 1);
            if (!freopen(log.c_str(), "w", stderr) || !freopen("/dev/null", "w", stdout))
                _exit(126);
            std::string wine = Environment("NUVIK_WINE");
            std::string program = Environment("NUVIK_WINDOWS_EXE");
            execl(wine.c_str(), wine.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~WineRun() {
        if (pid_ > 0 && !ended_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    WineRun(const WineRun&) = delete;
    WineRun& operator=(const WineRun&) = delete;

    // The exit code once it has ended; -1 if still running after `seconds` or killed.
    int Wait(int seconds) {
        auto end = Clock::now() + std::chrono::seconds(seconds);
        for (;;) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                ended_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            if (Clock::now() >= end)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    std::string Log() const {
        std::ifstream file(log_);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

  private:
    std::string log_;
    pid_t pid_ = -1;
    bool ended_ = false;
};

class WineRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (Environment("NUVIK_WINDOWS_EXE").empty() || Environment("NUVIK_WINE").empty() ||
            Environment("WINEPREFIX").empty()) {
            FAIL() << "run through tools/wine-check.sh (NUVIK_WINDOWS_EXE, NUVIK_WINE and "
                      "WINEPREFIX are not set)";
        }
        logDirectory_ =
            Environment("NUVIK_WINE_LOGS").empty() ? "/tmp" : Environment("NUVIK_WINE_LOGS");
    }

    static bool WindowShown(const Xvfb& xvfb, const std::string& name) {
        return xvfb.Run("timeout 20 xdotool search --sync --onlyvisible --name '" + name +
                        "' >/dev/null 2>&1") == 0;
    }

    // Waits until the screen stops changing outside the opening (painting has settled).
    static std::vector<COLORREF> SettledGrab(const Xvfb& xvfb) {
        std::vector<COLORREF> last = xvfb.Grab(kWidth, kHeight);
        for (int i = 0; i < 40; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            std::vector<COLORREF> now = xvfb.Grab(kWidth, kHeight);
            if (!now.empty() && CountChanged(last, now, Area{0, 400, kWidth - 1, kHeight - 1}) == 0)
                return now;
            last = now;
        }
        return last;
    }

    // Frames the program presents a second, from the changes of the opening seen between grabs
    // taken faster than the fastest frame rate, for `seconds`. The display shows every second
    // frame presented, so the opening changes at half the rate; the rate is taken between the
    // first and the last change seen, so that where the measuring window falls does not count.
    static double PresentedFramesPerSecond(const Xvfb& xvfb, int seconds) {
        const int width = kOpening.right - kOpening.left + 1;
        const int height = kOpening.bottom - kOpening.top + 1;
        int changes = 0;
        Clock::time_point first;
        Clock::time_point latest;
        std::vector<COLORREF> last = xvfb.Grab(kOpening.left, kOpening.top, width, height);
        auto end = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            std::vector<COLORREF> now = xvfb.Grab(kOpening.left, kOpening.top, width, height);
            if (now != last) {
                latest = Clock::now();
                if (changes++ == 0)
                    first = latest;
            }
            last = std::move(now);
        }
        if (changes < 2)
            return 0;
        std::chrono::duration<double> between = latest - first;
        return 2 * (changes - 1) / between.count();
    }

    // These X servers have no window manager: keys go to the window under the pointer.
    static void PointAt(const Xvfb& xvfb, int x, int y) {
        xvfb.Run("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y));
    }

    // Without a window manager Wine gives a window it hides two seconds to be withdrawn.
    static bool WindowGone(const Xvfb& xvfb, const std::string& name) {
        for (int i = 0; i < 50; ++i) {
            if (xvfb.Run("xdotool search --name '" + name + "' >/dev/null 2>&1") != 0)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    }

    std::string Log(const char* name) const { return logDirectory_ + "/" + name + ".log"; }

    std::string logDirectory_;
};

// At the program's own mode the demo runs in the opening, and the console picture and Panel1
// are on the screen around it.
TEST_F(WineRunTest, At16BitsFramesAppearAndEscapeEndsTheProgram) {
    Xvfb xvfb("640x480x16");
    ASSERT_TRUE(xvfb.Running()) << xvfb.Error();
    WineRun run(xvfb.Display(), Log("wine-16-escape"));
    ASSERT_TRUE(WindowShown(xvfb, "Nuvik")) << run.Log();
    std::vector<COLORREF> first = SettledGrab(xvfb);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::vector<COLORREF> second = xvfb.Grab(kWidth, kHeight);
    ASSERT_FALSE(first.empty());
    EXPECT_GT(CountChanged(first, second, kOpening), 100);
    EXPECT_GT(Luminance(At(second, 300, 450)), 180) << "Panel1's grey";
    EXPECT_GT(Luminance(At(second, 60, 60)), 150) << "the console picture";
    PointAt(xvfb, 300, 200);
    // The demo reads Escape's state when it steps, as a person's press lasts: a press and
    // release sent together can both be taken before that step on a busy machine.
    xvfb.Run("xdotool keydown Escape sleep 0.2 keyup Escape");
    EXPECT_EQ(run.Wait(20), 0) << run.Log();
}

TEST_F(WineRunTest, At16BitsAClickOnThePowerPlateEndsTheProgram) {
    Xvfb xvfb("640x480x16");
    ASSERT_TRUE(xvfb.Running()) << xvfb.Error();
    WineRun run(xvfb.Display(), Log("wine-16-power"));
    ASSERT_TRUE(WindowShown(xvfb, "Nuvik")) << run.Log();
    SettledGrab(xvfb);
    xvfb.Run("xdotool mousemove 450 25 click 1");
    EXPECT_EQ(run.Wait(20), 0) << run.Log();
}

// Home on the clicked slider takes its thumb to the left end and the rate to 10 frames a second.
TEST_F(WineRunTest, At16BitsTheSliderAndHomeSlowTheFrames) {
    Xvfb xvfb("640x480x16");
    ASSERT_TRUE(xvfb.Running()) << xvfb.Error();
    WineRun run(xvfb.Display(), Log("wine-16-slider"));
    ASSERT_TRUE(WindowShown(xvfb, "Nuvik")) << run.Log();
    std::vector<COLORREF> at35 = SettledGrab(xvfb);
    double before = PresentedFramesPerSecond(xvfb, 2);
    xvfb.Run("xdotool mousemove 95 450 click 1");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    xvfb.Run("xdotool key Home");
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    std::vector<COLORREF> at10 = SettledGrab(xvfb);
    double after = PresentedFramesPerSecond(xvfb, 3);
    EXPECT_GT(CountChanged(at35, at10, kSlider), 20) << "the thumb did not move";
    // The demo presents some 35 frames a second at its start (its rate line reads 36: the
    // interval is 28 ms and a bit) and 10 at the slider's left end; a loop that stalls presents
    // none, one that ignores the slider keeps its first rate.
    const struct {
        const char* when;
        double measured;
        double least;
        double most;
    } rates[] = {{"before Home", before, 34.0, 37.0}, {"after Home", after, 9.0, 12.0}};
    for (const auto& rate : rates) {
        EXPECT_GE(rate.measured, rate.least) << "frames a second " << rate.when;
        EXPECT_LE(rate.measured, rate.most) << "frames a second " << rate.when;
    }
    RecordProperty("frames_per_second_before", std::to_string(before));
    RecordProperty("frames_per_second_after", std::to_string(after));
    xvfb.Run("xdotool mousemove 450 25 click 1");
    EXPECT_EQ(run.Wait(20), 0) << run.Log();
}

// On an X server that cannot change its mode, SetDisplayMode fails: the box says so in Korean,
// Enter closes it, and the console picture and Panel1 with its label and slider stay visible.
TEST_F(WineRunTest, At24BitsTheBoxSpeaksKoreanAndPanel1StaysVisible) {
    Xvfb xvfb("640x480x24", {"-extension", "RANDR"});
    ASSERT_TRUE(xvfb.Running()) << xvfb.Error();
    WineRun run(xvfb.Display(), Log("wine-24-box"), "-all,trace+win");
    ASSERT_TRUE(WindowShown(xvfb, "Nuvik")) << run.Log();
    ASSERT_TRUE(WindowShown(xvfb, "_DDRAW")) << "the box did not appear";
    std::vector<COLORREF> withBox = SettledGrab(xvfb);
    // The box's text reached the window system as "SetDisplayMode() 에러" (U+C5D0 U+B7EC).
    EXPECT_NE(run.Log().find(R"(set_window_text L"SetDisplayMode() \c5d0\b7ec")"),
              std::string::npos);
    PointAt(xvfb, 320, 235);  // the box's text, not its button
    xvfb.Run("xdotool key Return");
    ASSERT_TRUE(WindowGone(xvfb, "_DDRAW")) << "Enter did not close the box";
    std::vector<COLORREF> screen = SettledGrab(xvfb);
    ASSERT_FALSE(screen.empty());
    EXPECT_GT(Luminance(At(screen, 300, 450)), 180) << "Panel1's grey";
    EXPECT_GT(CountDarker(screen, kSlider, 110), 40) << "the slider's groove and ticks";
    EXPECT_GT(CountDarker(screen, kLabel, 200), 20) << "the label's text on the panel's grey";
    EXPECT_GT(Luminance(At(screen, 60, 60)), 150) << "the console picture";
    EXPECT_GT(CountChanged(withBox, screen, kOpening), 1000) << "the box has gone";
    PointAt(xvfb, 300, 200);
    xvfb.Run("xdotool keydown Escape sleep 0.2 keyup Escape");
    EXPECT_EQ(run.Wait(20), 0);
}

}  // namespace
