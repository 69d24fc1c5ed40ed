#include "host/sdl/SdlHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <SDL_syswm.h>
#include <unistd.h>

#include "VirtualPad.h"
#include "Xvfb.h"
#include "host/InputSink.h"
#include "host/RunSession.h"
#include "host/RunnerControls.h"
#include "support/ContextSwitches.h"
#include "support/Dependencies.h"
#include "win32/api.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Cursors.h"
#include "win32/platform/Framebuffer.h"

namespace {

using nuvik::host::ControlSettings;
using nuvik::host::InputSink;
using nuvik::host::PadButton;
using nuvik::host::RunnerControls;
using nuvik::host::RunSession;
using nuvik::host::ScaleMode;
using nuvik::host::SdlHost;
using nuvik::host::SdlSettings;
using nuvik::host::SessionSettings;
using nuvik::host::SystemHooks;
using nuvik::testing::VirtualPad;
using nuvik::testing::Xvfb;
using win32::input::MouseButton;

class RecordingInput final : public InputSink {
  public:
    void KeyDown(int key) override { log.push_back("key down " + std::to_string(key)); }
    void KeyUp(int key) override { log.push_back("key up " + std::to_string(key)); }
    void MouseMove(int x, int y) override { log.push_back("move " + Point(x, y)); }
    void MouseButtonDown(MouseButton button, int x, int y) override {
        log.push_back("down " + Name(button) + " " + Point(x, y));
    }
    void MouseButtonUp(MouseButton button, int x, int y) override {
        log.push_back("up " + Name(button) + " " + Point(x, y));
    }
    void RequestClose() override { log.push_back("close"); }
    void RequestMinimize() override { log.push_back("minimize"); }
    void RequestRestore() override { log.push_back("restore"); }

    std::vector<std::string> log;

  private:
    static std::string Point(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }
    static std::string Name(MouseButton button) {
        return button == MouseButton::Left    ? "left"
               : button == MouseButton::Right ? "right"
                                              : "middle";
    }
};

bool Contains(const std::vector<std::string>& log, const std::string& entry) {
    for (const auto& line : log) {
        if (line == entry)
            return true;
    }
    return false;
}

std::string Joined(const std::vector<std::string>& log) {
    std::string out;
    for (const auto& line : log)
        out += "  " + line + "\n";
    return out;
}

// A key event as the window would deliver it (safe from any thread).
void PushKey(Uint32 type, SDL_Keycode key) {
    SDL_Event event{};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    SDL_PushEvent(&event);
}

// The SDL host on its own X server, fed by xdotool and read back with Xlib.
class SdlHostUnderXvfb : public ::testing::Test {
  protected:
    void Start(const char* screen, SdlSettings settings) {
        StartServer(screen);
        if (IsSkipped() || HasFatalFailure())
            return;
#if defined(__SANITIZE_ADDRESS__)
        // Mesa's GL drivers leak when SDL unloads them; the sanitizer build keeps GL out.
        setenv("SDL_RENDER_DRIVER", "software", 1);
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
#endif
        OpenHost(settings);
    }

    // The X server, and xdotool to drive it.
    void StartServer(const char* screen) {
        xvfb_ = std::make_unique<Xvfb>(screen);
        if (!xvfb_->Running())
            NUVIK_DEPENDENCY_MISSING(xvfb_->Error());
        if (!nuvik::testing::XdotoolInstalled())
            NUVIK_DEPENDENCY_MISSING("xdotool is not installed");
        setenv("DISPLAY", xvfb_->Display().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
    }

    void OpenHost(const SdlSettings& settings) {
        host_.reset();
        win32::clock::UseRealClock();
        session_ = std::make_unique<RunSession>(SessionSettings{}, SystemHooks{}, input_);
        std::string error;
        host_ = SdlHost::Open(settings, *session_, input_, &error);
        ASSERT_TRUE(host_) << error;
        session_->Start();
        SpinFor(300);  // mapped, exposed, first picture shown
        input_.log.clear();
    }

    void TearDown() override {
        host_.reset();
        session_.reset();
        xvfb_.reset();
        unsetenv("SDL_VIDEODRIVER");
    }

    void Pass() {
        host_->Poll();
        host_->Idle(0);
    }
    void SpinFor(int ms) {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end)
            Pass();
    }
    // Passes until `entry` has arrived (or 5 s went by).
    bool SpinUntilLogged(const std::string& entry) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < end) {
            Pass();
            if (Contains(input_.log, entry))
                return true;
        }
        return false;
    }
    void ExpectAfter(const std::string& command, const std::vector<std::string>& entries) {
        input_.log.clear();
        ASSERT_EQ(xvfb_->Run(command), 0) << command;
        for (const auto& entry : entries) {
            EXPECT_TRUE(SpinUntilLogged(entry))
                << command << ": never saw '" << entry << "'; got:\n"
                << Joined(input_.log);
        }
    }

    RecordingInput input_;
    std::unique_ptr<RunnerControls> controls_;  // when a test puts the runner's keys in between
    std::unique_ptr<Xvfb> xvfb_;
    std::unique_ptr<RunSession> session_;
    std::unique_ptr<SdlHost> host_;
};

TEST_F(SdlHostUnderXvfb, PointerButtonsAndKeysArriveAsScreenInput) {
    Start("640x480x16", {.windowed = true, .windowScale = 1});
    if (IsSkipped() || HasFatalFailure())
        return;
    ExpectAfter("xdotool mousemove 100 200", {"move 100 200"});
    ExpectAfter("xdotool click 1", {"down left 100 200", "up left 100 200"});
    ExpectAfter("xdotool click 3", {"down right 100 200", "up right 100 200"});
    ExpectAfter("xdotool mousemove 639 479 click 2", {"down middle 639 479", "up middle 639 479"});
    ExpectAfter("xdotool mousemove 320 240", {"move 320 240"});
    struct Key {
        const char* name;
        int code;
    } keys[] = {{"Escape", 27},  {"Return", 13},    {"space", 32},  {"a", 'A'},     {"Z", 'Z'},
                {"7", '7'},      {"F5", 0x74},      {"Left", 0x25}, {"Next", 0x22}, {"Tab", 9},
                {"Shift_L", 16}, {"Control_R", 17}, {"Alt_L", 18}};
    for (const Key& key : keys) {
        std::string code = std::to_string(key.code);
        ExpectAfter(std::string("xdotool key ") + key.name, {"key down " + code, "key up " + code});
    }
}

// The host looks for a GPU's render node; stand-in folders make either machine on any machine.
// With a render node, the OpenGL that Xvfb offers is Mesa's software rasteriser, which the host
// refuses as well.
TEST_F(SdlHostUnderXvfb, WithoutAGpuOrWithOnlySoftwareOpenGlSdlsOwnSoftwareRendererDraws) {
    StartServer("640x480x16");
    if (IsSkipped() || HasFatalFailure())
        return;
    // Nothing named: the host chooses.
    unsetenv("SDL_RENDER_DRIVER");
    unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("nuvik-render-nodes-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const struct {
        const char* machine;
        bool renderNode;
    } machines[] = {
        {"no render node", false},
#if !defined(__SANITIZE_ADDRESS__)
        // Loads Mesa, whose GL drivers leak when SDL unloads them.
        {"a render node, Mesa's software OpenGL", true},
#endif
    };
    for (const auto& machine : machines) {
        if (machine.renderNode)
            std::ofstream(folder / "renderD128").put('\n');
        OpenHost({.windowed = true, .windowScale = 1, .renderNodeFolder = folder.string()});
        if (HasFatalFailure())
            break;
        EXPECT_EQ(host_->RendererName(), "software") << machine.machine;
    }
    std::filesystem::remove_all(folder);
}

TEST_F(SdlHostUnderXvfb, FullScreenShowsTheScreenTwiceAsLargeAndMapsThePointerBack) {
    Start("1280x1024x24", {});
    if (IsSkipped() || HasFatalFailure())
        return;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(host_->Window(), &width, &height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 1024);
    // The picture sits at (0, 32), 1280 x 960, black above and below.
    auto& framebuffer = win32::Framebuffer::Instance();
    framebuffer.Reset();
    const COLORREF white = RGB(255, 255, 255);
    win32::WritePixel(framebuffer.Buffer(), 0, 0, win32::PackColor(framebuffer.Format(), white));
    win32::WritePixel(framebuffer.Buffer(), 639, 479,
                      win32::PackColor(framebuffer.Format(), white));
    framebuffer.MarkAllDirty();
    host_->PresentNow();
    std::vector<COLORREF> screen = xvfb_->Grab(1280, 1024);
    ASSERT_EQ(screen.size(), 1280u * 1024u);
    auto at = [&](int x, int y) { return screen[static_cast<std::size_t>(y) * 1280 + x]; };
    struct Probe {
        int x;
        int y;
        COLORREF expected;
    } probes[] = {{0, 31, 0},         {0, 32, white},     {1, 33, white}, {2, 32, 0},    {0, 34, 0},
                  {1278, 990, white}, {1279, 991, white}, {1277, 991, 0}, {1279, 992, 0}};
    for (const Probe& probe : probes)
        EXPECT_EQ(at(probe.x, probe.y), probe.expected) << probe.x << "," << probe.y;
    framebuffer.Reset();

    // The Power plate's middle is at screen (455, 26).
    ExpectAfter("xdotool mousemove 910 84 click 1", {"move 455 26", "down left 455 26"});
    ExpectAfter("xdotool mousemove 5 5", {"move 2 0"});
    ExpectAfter("xdotool mousemove 1279 1023", {"move 639 479"});
}

// Where the screen's first and last pixels land on a 1920 x 1080 display in each scale mode and
// after F11 to a window and back, and that a click on the Power plate's middle still reaches
// screen pixel (455, 26).
TEST(SdlHostScaling, EachModeAndF11PlaceThePictureAndMapClicksBack) {
    struct Stage {
        const char* what;
        const char* keys;  // xdotool keys pressed first
        int windowWidth, windowHeight;
        int x, y, width, height;  // the picture on the display
    };
    const struct {
        ScaleMode mode;
        std::vector<Stage> stages;
    } runs[] = {
        {ScaleMode::Integer,
         {{"integer", "", 1920, 1080, 320, 60, 1280, 960},
          {"F11: a window at twice the screen, centred", "F11", 1280, 960, 320, 60, 1280, 960},
          {"F11 again: full screen", "F11", 1920, 1080, 320, 60, 1280, 960}}},
        {ScaleMode::Fit, {{"fit", "", 1920, 1080, 240, 0, 1440, 1080}}},
    };
    const COLORREF white = RGB(255, 255, 255);
    for (const auto& run : runs) {
        Xvfb xvfb("1920x1080x24");
        if (!xvfb.Running())
            NUVIK_DEPENDENCY_MISSING(xvfb.Error());
        if (!nuvik::testing::XdotoolInstalled())
            NUVIK_DEPENDENCY_MISSING("xdotool is not installed");
        setenv("DISPLAY", xvfb.Display().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        win32::clock::UseRealClock();
        RecordingInput input;
        RunSession session(SessionSettings{}, SystemHooks{}, input);
        std::string error;
        auto host = SdlHost::Open({.scaleMode = run.mode}, session, input, &error);
        ASSERT_TRUE(host) << error;
        session.Start();
        auto spin = [&](int ms) {
            auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
            while (std::chrono::steady_clock::now() < end) {
                host->Poll();
                host->Idle(0);
            }
        };
        spin(300);
        for (const Stage& stage : run.stages) {
            if (*stage.keys) {
                ASSERT_EQ(
                    xvfb.Run("xdotool mousemove 960 540 click 1 key " + std::string(stage.keys)),
                    0);
                spin(500);
            }
            int windowWidth = 0;
            int windowHeight = 0;
            SDL_GetWindowSize(host->Window(), &windowWidth, &windowHeight);
            EXPECT_EQ(windowWidth, stage.windowWidth) << stage.what;
            EXPECT_EQ(windowHeight, stage.windowHeight) << stage.what;
            auto& framebuffer = win32::Framebuffer::Instance();
            framebuffer.Reset();
            win32::WritePixel(framebuffer.Buffer(), 0, 0,
                              win32::PackColor(framebuffer.Format(), white));
            win32::WritePixel(framebuffer.Buffer(), 639, 479,
                              win32::PackColor(framebuffer.Format(), white));
            framebuffer.MarkAllDirty();
            host->PresentNow();
            spin(100);
            std::vector<COLORREF> screen = xvfb.Grab(1920, 1080);
            auto at = [&](int x, int y) { return screen[static_cast<std::size_t>(y) * 1920 + x]; };
            int right = stage.x + stage.width - 1;
            int bottom = stage.y + stage.height - 1;
            EXPECT_EQ(at(stage.x, stage.y), white) << stage.what;
            EXPECT_EQ(at(right, bottom), white) << stage.what;
            if (stage.x > 0) {
                EXPECT_EQ(at(stage.x - 1, stage.y), COLORREF{0}) << stage.what;
            }
            if (stage.y > 0) {
                EXPECT_EQ(at(stage.x, stage.y - 1), COLORREF{0}) << stage.what;
            }
            framebuffer.Reset();

            int clickX = stage.x + static_cast<int>((455 + 0.5) * stage.width / 640);
            int clickY = stage.y + static_cast<int>((26 + 0.5) * stage.height / 480);
            input.log.clear();
            ASSERT_EQ(xvfb.Run("xdotool mousemove " + std::to_string(clickX) + " " +
                               std::to_string(clickY) + " click 1"),
                      0);
            auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!Contains(input.log, "down left 455 26") &&
                   std::chrono::steady_clock::now() < end)
                spin(10);
            EXPECT_TRUE(Contains(input.log, "down left 455 26")) << stage.what << "\n"
                                                                 << Joined(input.log);
            EXPECT_FALSE(Contains(input.log, "key down 122")) << "F11 reached the program";
        }
        host.reset();
        unsetenv("SDL_VIDEODRIVER");
    }
}

TEST_F(SdlHostUnderXvfb, TheOverlayIsDrawnOverThePictureAndNeverIntoTheFramebuffer) {
    Start("640x480x24", {.windowed = true, .windowScale = 1});
    if (IsSkipped() || HasFatalFailure())
        return;
    auto& framebuffer = win32::Framebuffer::Instance();
    framebuffer.Reset();
    framebuffer.MarkAllDirty();
    auto overlayDots = [&] {
        host_->PresentNow();
        std::vector<COLORREF> screen = xvfb_->Grab(640, 480);
        int dots = 0;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 200; ++x)
                dots += screen[static_cast<std::size_t>(y) * 640 + x] == RGB(255, 255, 64);
        }
        return dots;
    };
    EXPECT_EQ(overlayDots(), 0);
    host_->ToggleOverlay();
    EXPECT_GT(overlayDots(), 50) << host_->GetOverlay().Text();
    const win32::PixelBuffer& buffer = framebuffer.Buffer();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(win32::ReadPixel(buffer, x, y), 0u) << x << "," << y;
    }
    host_->ToggleOverlay();
    EXPECT_EQ(overlayDots(), 0);
}

TEST_F(SdlHostUnderXvfb, EveryFramebufferFormatIsShownWithItsColours) {
    Start("640x480x24", {.windowed = true, .windowScale = 1});
    if (IsSkipped() || HasFatalFailure())
        return;
    auto& framebuffer = win32::Framebuffer::Instance();
    const COLORREF colours[] = {RGB(255, 0, 0),     RGB(0, 255, 0), RGB(0, 0, 255),
                                RGB(255, 255, 255), RGB(0, 0, 0),   RGB(132, 132, 132),
                                RGB(255, 255, 0),   RGB(8, 130, 66)};
    for (const win32::PixelFormat& format :
         {win32::PixelFormat::Xrgb8888(), win32::PixelFormat::Rgb565(),
          win32::PixelFormat::Xrgb1555()}) {
        framebuffer.SetFormat(format);
        for (int i = 0; i < 8; ++i) {
            for (int y = 100; y < 110; ++y) {
                for (int x = 0; x < 10; ++x)
                    win32::WritePixel(framebuffer.Buffer(), 50 * i + x, y,
                                      win32::PackColor(format, colours[i]));
            }
        }
        framebuffer.MarkAllDirty();
        host_->PresentNow();
        std::vector<COLORREF> screen = xvfb_->Grab(640, 480);
        ASSERT_EQ(screen.size(), 640u * 480u);
        for (int i = 0; i < 8; ++i) {
            COLORREF shown =
                win32::UnpackColor(format, win32::ReadPixel(framebuffer.Buffer(), 50 * i + 5, 105));
            COLORREF seen = screen[105 * 640 + 50 * i + 5];
            // SDL widens 5- and 6-bit channels by scaling, the screenshots by repeating the
            // top bits: the two may differ in the last bit, never more.
            EXPECT_LE(std::abs(GetRValue(seen) - GetRValue(shown)), 1);
            EXPECT_LE(std::abs(GetGValue(seen) - GetGValue(shown)), 1);
            EXPECT_LE(std::abs(GetBValue(seen) - GetBValue(shown)), 1)
                << format.bitsPerPixel << " bits, red mask " << std::hex << format.redMask
                << ": colour " << colours[i] << " shown as " << seen << " instead of " << shown;
        }
        EXPECT_FALSE(framebuffer.IsDirty()) << "what was shown is no longer dirty";
    }
    framebuffer.Reset();
}

TEST_F(SdlHostUnderXvfb, TheWindowManagersRequestsBecomeTheProgramsRequests) {
    Start("640x480x16", {.windowed = true, .windowScale = 1});
    if (IsSkipped() || HasFatalFailure())
        return;

    // The close button: WM_DELETE_WINDOW, exactly as a window manager sends it.
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(host_->Window(), &info));
    ASSERT_TRUE(xvfb_->SendCloseRequest(info.info.x11.window));
    EXPECT_TRUE(SpinUntilLogged("close")) << Joined(input_.log);
    SpinFor(50);
    EXPECT_EQ(input_.log, std::vector<std::string>{"close"}) << "one close request, not two";

    // Keys held when another window takes the keyboard are let go, a game controller's too
    // (its A button is Z).
    input_.log.clear();
    VirtualPad pad;
    SpinFor(200);  // the host opens the new pad
    pad.Set(PadButton::A, true);
    EXPECT_TRUE(SpinUntilLogged("key down 90")) << Joined(input_.log);
    ASSERT_EQ(xvfb_->Run("xdotool mousemove 10 10 keydown a keydown shift"), 0);
    EXPECT_TRUE(SpinUntilLogged("key down 16")) << Joined(input_.log);
    SDL_Event lost{};
    lost.type = SDL_WINDOWEVENT;
    lost.window.windowID = SDL_GetWindowID(host_->Window());
    lost.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&lost);
    for (const char* up : {"key up 65", "key up 16", "key up 90"})
        EXPECT_TRUE(SpinUntilLogged(up)) << up << "\n" << Joined(input_.log);
    xvfb_->Run("xdotool keyup a keyup shift");
    pad.Set(PadButton::A, false);
    SpinFor(200);

    // Minimise and restore as the window manager reports them, and an interrupt.
    Uint32 window = SDL_GetWindowID(host_->Window());
    for (Uint8 what : {SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_RESTORED}) {
        SDL_Event pushed{};
        pushed.type = SDL_WINDOWEVENT;
        pushed.window.windowID = window;
        pushed.window.event = what;
        SDL_PushEvent(&pushed);
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    input_.log.clear();
    EXPECT_TRUE(SpinUntilLogged("close"));
    EXPECT_EQ(input_.log, (std::vector<std::string>{"minimize", "restore", "close"}));
}

TEST_F(SdlHostUnderXvfb, TheProgramsCursorIsShownAtTheScreensScale) {
    Start("1280x960x24", {.windowed = true, .windowScale = 2});
    if (IsSkipped() || HasFatalFailure())
        return;
    ASSERT_EQ(xvfb_->Run("xdotool mousemove 400 300"), 0);
    SpinFor(100);

    HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
    win32::cursors::CursorImage picture;
    ASSERT_TRUE(win32::cursors::Describe(hand, &picture));
    host_->SetCursorShape(hand);
    SpinFor(100);
    Xvfb::Cursor shown;
    ASSERT_TRUE(xvfb_->GrabCursor(&shown));
    ASSERT_EQ(shown.width, picture.width * 2);
    ASSERT_EQ(shown.height, picture.height * 2);
    EXPECT_EQ(shown.hotX, picture.hotX * 2);
    EXPECT_EQ(shown.hotY, picture.hotY * 2);
    int opaque = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            std::uint32_t pixel = picture.argb[static_cast<std::size_t>(y) * picture.width + x];
            if ((pixel >> 24) != 0xFF)
                continue;  // the server premultiplies the rest
            ++opaque;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx)
                    ASSERT_EQ(
                        shown.argb[static_cast<std::size_t>(2 * y + dy) * shown.width + 2 * x + dx],
                        pixel)
                        << x << "," << y;
            }
        }
    }
    EXPECT_GT(opaque, 20);

    // No cursor: nothing is shown.
    host_->SetCursorShape(nullptr);
    SpinFor(50);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    host_->SetCursorShape(hand);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    // A handle nobody knows: the system's own arrow rather than nothing.
    host_->SetCursorShape(reinterpret_cast<HCURSOR>(std::uintptr_t{0xDEAD0}));
    EXPECT_EQ(SDL_GetCursor(), SDL_GetDefaultCursor());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

// On the real clock the host rests to the next tick, as the headless host does (the clock moves on
// and the thread gives the processor up, counted as in HeadlessHostTest), and takes the window's
// events on waking, before the program's next pass.
TEST_F(SdlHostUnderXvfb, ARestSleepsToTheNextTickAndTakesTheWindowsEventsOnWaking) {
    Start("640x480x16", {.windowed = true, .windowScale = 1});
    if (IsSkipped() || HasFatalFailure())
        return;
    constexpr int kRests = 50;
    const long switchesBefore = nuvik::testing::VoluntaryContextSwitches();
    for (int i = 0; i < kRests; ++i) {
        DWORD before = win32::clock::Now();
        host_->IdleUntilNextTick();
        EXPECT_NE(win32::clock::Now(), before) << "rest " << i << " ended within its tick";
    }
    EXPECT_GE(nuvik::testing::VoluntaryContextSwitches() - switchesBefore, kRests / 4)
        << "rests that slept";

    input_.log.clear();
    PushKey(SDL_KEYDOWN, SDLK_a);
    host_->IdleUntilNextTick();
    EXPECT_EQ(input_.log, std::vector<std::string>{"key down 65"});
}

// While the runner holds the program (paused), Idle does not return to it: the host keeps
// taking the window's events until one ends the pause, and what came meanwhile then reaches the
// program in order.
TEST_F(SdlHostUnderXvfb, WhilePausedIdleKeepsTheWindowGoingAndReturnsWhenThePauseEnds) {
    StartServer("640x480x16");
    if (IsSkipped() || HasFatalFailure())
        return;
    win32::clock::UseRealClock();
    controls_ = std::make_unique<RunnerControls>(input_, SystemHooks{}, ControlSettings{});
    session_ = std::make_unique<RunSession>(SessionSettings{}, SystemHooks{}, *controls_);
    session_->SetControls(controls_.get());
    std::string error;
    host_ = SdlHost::Open({.windowed = true, .windowScale = 1}, *session_, *controls_, &error);
    ASSERT_TRUE(host_) << error;
    session_->Start();
    controls_->KeyDown(VK_PAUSE);
    controls_->KeyUp(VK_PAUSE);
    ASSERT_TRUE(session_->HoldsProgram());

    PushKey(SDL_KEYDOWN, SDLK_a);
    PushKey(SDL_KEYUP, SDLK_a);
    // Pause again, from the window, a while after Idle began to hold.
    std::thread later([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        PushKey(SDL_KEYDOWN, SDLK_PAUSE);
        PushKey(SDL_KEYUP, SDLK_PAUSE);
    });
    host_->Idle(0);
    later.join();
    EXPECT_FALSE(controls_->Paused()) << "Idle returned to the program while it was held";
    EXPECT_TRUE(SpinUntilLogged("key up 65"));
    std::vector<std::string> keys;
    for (const auto& entry : input_.log) {
        if (entry.rfind("key", 0) == 0)
            keys.push_back(entry);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"key down 65", "key up 65"}));
}

}  // namespace
