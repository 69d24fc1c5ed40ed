#include "host/Runner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "win32/api.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Host.h"
#include "win32/platform/Installation.h"
#include "win32/platform/Png.h"
#include "win32/platform/WindowSystem.h"

namespace {

using nuvik::host::RunRunner;
using nuvik::host::SystemHooks;

// What the fake system saw of its platform, and what it reports.
struct FakeSystem {
    bool ran = false;
    bool hadHost = false;
    bool virtualClock = false;
    DWORD startTick = 0;
    DWORD directX = 0;
    DWORD redMask = 0;
    long long framesPresented = 0;
    int shownFps = 0;
    int exitCode = 0;
};
FakeSystem g_system;

// Spins the host as a message loop that never finds a message would, presenting a frame every
// 10 passes with a rate that changes once, and says something to the user and the debugger.
int FakeRun() {
    g_system.ran = true;
    win32::Host* host = win32::CurrentHost();
    g_system.hadHost = host != nullptr;
    g_system.virtualClock = win32::clock::IsVirtual();
    g_system.startTick = win32::clock::Now();
    g_system.directX = win32::installation::DirectXVersion();
    g_system.redMask = win32::Framebuffer::Instance().ReportedRedMask16();
    if (!host)
        return 99;
    win32::Framebuffer::Instance().Reset();
    win32::WritePixel(win32::Framebuffer::Instance().Buffer(), 1, 2, 0x0000FF00);
    for (int pass = 1; pass <= 100; ++pass) {
        host->Poll();
        host->Idle(0);
        if (pass % 10 == 0) {
            ++g_system.framesPresented;
            g_system.shownFps = pass < 50 ? 0 : 35;
        }
        if (pass == 20)
            win32::diagnostics::RecordMessageBox("\xBF\xC0\xB7\xF9", "say \"hi\"\n");  // 오류
        if (pass == 30)
            win32::diagnostics::RecordTrace("DirectX 8.1\r\n");
    }
    return g_system.exitCode;
}

SystemHooks FakeHooks() {
    SystemHooks hooks;
    hooks.run = FakeRun;
    hooks.framesPresented = [] { return g_system.framesPresented; };
    hooks.frameStep = [] { return 1234; };
    hooks.targetFps = [] { return 35; };
    hooks.shownFps = [] { return g_system.shownFps; };
    return hooks;
}

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

Outcome RunWith(std::vector<std::string> arguments, int systemExitCode = 0) {
    g_system = FakeSystem{};
    g_system.exitCode = systemExitCode;
    win32::diagnostics::Clear();
    // Said before the run: not part of its report.
    win32::diagnostics::RecordMessageBox("earlier", "box");
    win32::diagnostics::RecordTrace("earlier line\r\n");
    arguments.insert(arguments.begin(), "/usr/bin/nuvik");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    int code = RunRunner(static_cast<int>(arguments.size()), argv.data(), FakeHooks());
    Outcome outcome{code, ::testing::internal::GetCapturedStdout(),
                    ::testing::internal::GetCapturedStderr()};
    win32::clock::UseRealClock();
    return outcome;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

std::filesystem::path TempPath(const char* name) {
    return std::filesystem::temp_directory_path() / name;
}

TEST(Runner, BadOptionsEndWithCode2AndAMessageBeforeAnythingRuns) {
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"--bogus"}, "nuvik: unknown option '--bogus' (--help lists the options)\n"},
        {{"--headless", "--window=0"},
         "nuvik: bad window scale '0': --window=SCALE takes a whole number from 1 to 8\n"},
        {{"--dx=4"}, "nuvik: unknown DirectX version '4'"},
        {{"--script=/nonexistent/s.txt"},
         "nuvik: cannot read script /nonexistent/s.txt: No such file or directory\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = RunWith(c.arguments);
        EXPECT_EQ(outcome.exitCode, 2) << c.arguments.back();
        EXPECT_FALSE(g_system.ran) << c.arguments.back();
        EXPECT_EQ(outcome.err.rfind(c.message, 0), 0u) << outcome.err;
    }
}

TEST(Runner, ABadScriptLineEndsWithCode2NamingFileAndLine) {
    std::filesystem::path script = TempPath("nuvik-runner-bad-script.txt");
    std::ofstream(script) << "# warm up\n10 key a down\n20 key a sideways\n";
    Outcome outcome = RunWith({"--headless", "--script=" + script.string()});
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_FALSE(g_system.ran);
    EXPECT_EQ(outcome.err, "nuvik: " + script.string() +
                               ":3: expected down or up after the key name, not 'sideways'\n");
    std::filesystem::remove(script);
}

TEST(Runner, HelpPrintsTheOptionsAndRunsNothing) {
    Outcome outcome = RunWith({"--headless", "--help"});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(g_system.ran);
    EXPECT_EQ(outcome.out.rfind("Usage: nuvik [OPTION]...", 0), 0u) << outcome.out;
    EXPECT_NE(outcome.out.find("--display-format"), std::string::npos);
}

TEST(Runner, ThePlatformIsSetUpAsAskedBeforeTheSystemRuns) {
    struct Case {
        std::vector<std::string> arguments;
        bool virtualClock;
        DWORD startTick;
        DWORD directX;
        DWORD redMask;
    } cases[] = {
        {{"--headless", "--virtual-clock"}, true, 0, 0x801, 0xF800},
        {{"--headless", "--virtual-clock=0xFFFFFF00", "--dx=7", "--display-format=555"},
         true,
         0xFFFFFF00u,
         0x700,
         0x7C00},
        {{"--headless", "--dx=8.0", "--display-format=0x001F"}, false, 0, 0x800, 0x001F},
    };
    for (const Case& c : cases) {
        Outcome outcome = RunWith(c.arguments);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
        ASSERT_TRUE(g_system.ran);
        EXPECT_TRUE(g_system.hadHost);
        EXPECT_EQ(g_system.virtualClock, c.virtualClock);
        if (c.virtualClock) {
            EXPECT_EQ(g_system.startTick, c.startTick);
        }
        EXPECT_EQ(g_system.directX, c.directX);
        EXPECT_EQ(g_system.redMask, c.redMask);
    }
    EXPECT_EQ(win32::CurrentHost(), nullptr) << "the host is gone with the run";
}

TEST(Runner, AHeadlessRunWritesItsReportAndScreenshotAndKeepsTheSystemsExitCode) {
    std::filesystem::path report = TempPath("nuvik-runner-report.json");
    std::filesystem::path shot = TempPath("nuvik-runner-shot.png");
    std::filesystem::remove(report);
    std::filesystem::remove(shot);
    Outcome outcome = RunWith({"--headless", "--virtual-clock=1000", "--report=" + report.string(),
                               "--screenshot=" + shot.string()},
                              7);
    EXPECT_EQ(outcome.exitCode, 7) << outcome.err;
    // The box appeared on the 20th pass, 20 ticks into the run.
    EXPECT_EQ(ReadFile(report),
              "{\"exit_code\": 7, \"frames_presented\": 10, \"frame_step\": 1234, "
              "\"target_fps\": 35, \"shown_fps\": [0, 35], \"frame_interval_ms\": {\"count\": 9, "
              "\"p50\": 10, \"p99\": 10, \"max\": 10}, \"message_boxes\": [{\"caption\": "
              "\"오류\", \"text\": \"say \\\"hi\\\"\\n\", \"at_ms\": 20}], \"trace\": "
              "[\"DirectX 8.1\\r\\n\"]}\n");
    win32::png::RgbImage image;
    std::string error;
    ASSERT_TRUE(win32::png::Read(shot.string(), &image, &error)) << error;
    ASSERT_EQ(image.width, 640);
    std::size_t green = (2u * 640 + 1) * 3 + 1;
    EXPECT_EQ(image.rgb[green], 255);
    std::filesystem::remove(report);
    std::filesystem::remove(shot);
}

TEST(Runner, AnOutputThatCannotBeWrittenTurnsSuccessIntoFailure) {
    std::filesystem::path report = TempPath("nuvik-runner-report-2.json");
    struct Case {
        int systemExitCode;
        int expected;
    } cases[] = {{0, 1}, {5, 5}};
    for (const Case& c : cases) {
        Outcome outcome = RunWith({"--headless", "--virtual-clock", "--report=" + report.string(),
                                   "--screenshot=/nonexistent/dir/shot.png"},
                                  c.systemExitCode);
        EXPECT_EQ(outcome.exitCode, c.expected);
        EXPECT_NE(outcome.err.find("nuvik: cannot write screenshot /nonexistent/dir/shot.png: "),
                  std::string::npos)
            << outcome.err;
        EXPECT_EQ(ReadFile(report).rfind("{\"exit_code\": " + std::to_string(c.expected) + ",", 0),
                  0u);
    }
    Outcome outcome = RunWith({"--headless", "--report=/nonexistent/dir/r.json"});
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.err.find("nuvik: cannot write report /nonexistent/dir/r.json"),
              std::string::npos)
        << outcome.err;
    std::filesystem::remove(report);
}

// A program with one window and the usual PeekMessageA loop, recording at which tick of its
// run each input message arrived and how many passes found the queue empty.
struct LoopRecord {
    DWORD start = 0;
    std::vector<std::string> messages;
    long long emptyPasses = 0;
    DWORD end = 0;
};
LoopRecord g_loop;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto note = [&](const char* what) {
        g_loop.messages.push_back(std::to_string(timeGetTime() - g_loop.start) + " " + what);
    };
    switch (message) {
        case WM_KEYDOWN:
            note(("key down " + std::to_string(wParam)).c_str());
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: {
            const char* name = message == WM_MOUSEMOVE     ? "move"
                               : message == WM_LBUTTONDOWN ? "left down"
                                                           : "left up";
            note((std::string(name) + " " + std::to_string(GET_X_LPARAM(lParam)) + " " +
                  std::to_string(GET_Y_LPARAM(lParam)))
                     .c_str());
            return 0;
        }
        case WM_CLOSE:
            note("close");
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int PeekLoopRun() {
    win32::windowsystem::Reset();
    g_loop = LoopRecord{};
    g_loop.start = timeGetTime();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingProc;
    windowClass.lpszClassName = "RunnerTestLoop";
    RegisterClassA(&windowClass);
    CreateWindowExA(0, "RunnerTestLoop", "loop", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                    nullptr, nullptr, nullptr);
    MSG message;
    while (true) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                break;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            ++g_loop.emptyPasses;
        }
    }
    g_loop.end = timeGetTime();
    UnregisterClassA("RunnerTestLoop", nullptr);
    return static_cast<int>(message.wParam);
}

TEST(Runner, ThroughTheWindowSystemScriptedInputArrivesOnItsTickAndEachEmptyPassIsOneTick) {
    std::filesystem::path script = TempPath("nuvik-runner-loop-script.txt");
    std::ofstream(script) << "5 key a down\n7 click 10 20\n9 close\n";
    std::vector<std::string> arguments{"/usr/bin/nuvik", "--headless", "--virtual-clock=12345",
                                       "--script=" + script.string()};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    SystemHooks hooks;
    hooks.run = PeekLoopRun;
    EXPECT_EQ(RunRunner(static_cast<int>(argv.size()), argv.data(), hooks), 0);
    win32::clock::UseRealClock();
    std::filesystem::remove(script);

    EXPECT_EQ(g_loop.messages,
              (std::vector<std::string>{"5 key down 65", "7 move 10 20", "7 left down 10 20",
                                        "7 left up 10 20", "9 close"}));
    EXPECT_EQ(g_loop.end - g_loop.start, 9u);
    EXPECT_EQ(g_loop.emptyPasses, 9) << "one tick for every pass that found nothing";
}

TEST(Runner, WithoutAWindowSystemTheRunnerSaysSoAndSuggestsHeadless) {
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    std::string saved = previous ? previous : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    Outcome outcome = RunWith({"--window"});
    if (previous)
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_VIDEODRIVER");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_FALSE(g_system.ran);
    EXPECT_EQ(outcome.err.rfind("nuvik: cannot open a window: ", 0), 0u) << outcome.err;
    EXPECT_NE(outcome.err.find("; try --headless\n"), std::string::npos) << outcome.err;
}

}  // namespace
