#include "host/sdl/SdlHost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <thread>
#include <vector>

#include "host/ControlRules.h"
#include "host/sdl/KeyMap.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Cursors.h"
#include "win32/platform/Input.h"

namespace nuvik::host {

namespace {

// Poll and Idle(0) run on every pass of a loop that never waits; the real clock is read on
// every this-many calls only, and the window system's events fetched at most once a ms.
constexpr unsigned kCallsPerService = 64;
// About one display refresh: the framebuffer is shown no more often than this.
constexpr std::uint32_t kPresentIntervalMs = 16;
// The longest a blocking Idle sleeps before it looks at the script and the clock again.
constexpr std::uint32_t kLongestWaitMs = 10;

using win32::Framebuffer;
using win32::input::MouseButton;

// Whether the machine has a GPU that a renderer could use: a DRM render node.
bool HasRenderNode() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", error)) {
        if (entry.path().filename().string().rfind("renderD", 0) == 0)
            return true;
    }
    return false;
}

// Whether an OpenGL renderer draws through one of Mesa's software rasterisers.
bool IsSoftwareGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name ||
        std::strncmp(info.name, "opengl", 6) != 0)
        return false;
    using GetString = const unsigned char* (*)(unsigned);
    constexpr unsigned kGlRenderer = 0x1F01;
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    if (!name)
        return false;
    const char* text = reinterpret_cast<const char*>(name);
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"}) {
        if (std::strstr(text, software))
            return true;
    }
    return false;
}

// SDL falls back to drivers that show nothing to anybody (offscreen, dummy) when the display
// cannot be reached; the runner would then run unseen for ever. Unless the user names a driver
// through SDL's own variable, only drivers that put a window in front of a person are tried.
bool InitVideo(std::string* error) {
    if (const char* named = std::getenv("SDL_VIDEODRIVER"); named && *named) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
            return true;
        *error = std::string(SDL_GetError()) + " (SDL_VIDEODRIVER=" + named + ")";
        return false;
    }
    std::string failures;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (!driver || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
            std::strcmp(driver, "evdev") == 0)
            continue;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
            return true;
        failures += std::string(failures.empty() ? "" : "; ") + driver + ": " + SDL_GetError();
    }
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    *error =
        "no display to show a window on (DISPLAY=" + std::string(display ? display : "(unset)") +
        ", WAYLAND_DISPLAY=" + std::string(wayland ? wayland : "(unset)") + "; " +
        (failures.empty() ? "SDL has no video driver" : failures) + ")";
    return false;
}

Uint32 SdlFormatOf(const win32::PixelFormat& format) {
    if (format.bitsPerPixel == 32)
        return SDL_PIXELFORMAT_RGB888;
    if (format.redMask == 0x7C00)
        return SDL_PIXELFORMAT_ARGB1555;  // blending off: the unused top bit is never alpha
    return SDL_PIXELFORMAT_RGB565;
}

}  // namespace

std::unique_ptr<SdlHost> SdlHost::Open(const SdlSettings& settings, RunSession& session,
                                       InputSink& input, std::string* error) {
    std::unique_ptr<SdlHost> host(new SdlHost(settings, session, input));
    if (!host->Create(error))
        return nullptr;
    return host;
}

SdlHost::SdlHost(const SdlSettings& settings, RunSession& session, InputSink& input)
    : settings_(settings),
      session_(session),
      // On the virtual clock the window's input waits for the next tick, where a script's
      // would arrive: a recorded session replays headless to the same pixels.
      input_(settings.virtualClock ? session.InputAtNextTick() : input) {}

bool SdlHost::Create(std::string* error) {
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    // The first click on an inactive window reaches the program, as on the desktop it was
    // written for.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The window's close button asks the program (WM_CLOSE), which may decline; SDL must not
    // send a second, unconditional quit as well.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (!InitVideo(error))
        return false;
    ownsVideo_ = true;

    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SHOWN;
    int scale = std::clamp(settings_.windowScale, 1, 8);
    SDL_Rect place{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Framebuffer::kWidth * scale,
                   Framebuffer::kHeight * scale};
    if (!settings_.windowed) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        // Placed over the whole display from the start: without a window manager to honour
        // the full-screen request, a centred window would keep its corner where it was.
        if (SDL_GetDisplayBounds(0, &place) != 0)
            place = {SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, Framebuffer::kWidth,
                     Framebuffer::kHeight};
    }
    fullScreen_ = !settings_.windowed;
    window_ = SDL_CreateWindow("Nuvik", place.x, place.y, place.w, place.h, flags);
    if (!window_) {
        *error = SDL_GetError();
        return false;
    }
    renderer_ = CreateRenderer();
    if (!renderer_) {
        *error = SDL_GetError();
        return false;
    }
    UpdateLayout();
    // Game controllers are optional: without SDL's support for them the runner goes on.
    gamepads_ = std::make_unique<Gamepads>(settings_.padMapping, input_);
    if (!gamepads_->Available())
        std::fprintf(stderr, "game controllers not available: %s\n", gamepads_->Error().c_str());
    // Keys reach the program as keys; it translates them to characters itself.
    SDL_StopTextInput();
    return true;
}

SDL_Renderer* SdlHost::CreateRenderer() {
    // A driver the user named through SDL's own variable is taken as asked.
    if (const char* named = std::getenv("SDL_RENDER_DRIVER"); named && *named)
        return SDL_CreateRenderer(window_, -1, 0);
    // Without a GPU the "accelerated" renderer is Mesa drawing OpenGL in software: it costs
    // some 100 MB of memory and more processor time than SDL's own software renderer, which
    // only has to scale one 640 x 480 picture.
    if (HasRenderNode()) {
        if (SDL_Renderer* accelerated = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED)) {
            if (!IsSoftwareGl(accelerated))
                return accelerated;
            SDL_DestroyRenderer(accelerated);
        }
    }
    // The software renderer draws into the window's surface, which SDL would otherwise back
    // with an accelerated renderer of its own: the very OpenGL avoided here.
    if (!SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION))
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
}

std::string SdlHost::RendererName() const {
    SDL_RendererInfo info{};
    if (!renderer_ || SDL_GetRendererInfo(renderer_, &info) != 0 || !info.name)
        return "";
    return info.name;
}

SdlHost::~SdlHost() {
    gamepads_.reset();
    for (auto& [key, cursor] : cursors_) {
        if (cursor)
            SDL_FreeCursor(cursor);
    }
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    if (window_)
        SDL_DestroyWindow(window_);
    if (ownsVideo_)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlHost::MarkReturn() {
    if (overlay_.Shown())
        returnedAt_ = SDL_GetPerformanceCounter();
}

void SdlHost::ToggleOverlay() {
    overlay_.Toggle();
    overlayPresented_ = session_.FramesPresented();
    redraw_ = true;
}

void SdlHost::Poll() {
    if (overlay_.Shown()) {
        long long presented = session_.FramesPresented();
        if (presented != overlayPresented_) {
            overlayPresented_ = presented;
            Uint64 took = SDL_GetPerformanceCounter() - returnedAt_;
            overlay_.NoteFrame(
                SDL_GetTicks(),
                static_cast<std::uint32_t>(took * 1'000'000 / SDL_GetPerformanceFrequency()));
        }
    }
    if (settings_.virtualClock) {
        session_.Poll();
        if (calls_++ % kCallsPerService == 0)
            ServiceWindow();
        return;
    }
    session_.SampleShownFps();
    if (calls_++ % kCallsPerService == 0) {
        session_.Update();
        ServiceWindow();
    }
}

void SdlHost::HoldWhilePaused() {
    while (session_.HoldsProgram()) {
        if (settings_.virtualClock) {
            RestUntilRealTimeCatchesUp();
            session_.NextVirtualTick();
            ServiceWindow();
            continue;
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 10) == 1) {
            HandleEvent(event);
            PumpEvents();
        }
        session_.Update();
        SyncIconic();
        PresentIfDue(SDL_GetTicks());
    }
}

void SdlHost::Idle(int waitMs) {
    IdleFor(waitMs);
    MarkReturn();
}

void SdlHost::IdleFor(int waitMs) {
    if (session_.HoldsProgram()) {
        HoldWhilePaused();
        return;
    }
    if (settings_.virtualClock) {
        // Time is the loop's, one tick per empty pass, at a person's pace.
        RestUntilRealTimeCatchesUp();
        session_.NextVirtualTick();
        ServiceWindow();
        return;
    }
    session_.SampleShownFps();
    if (waitMs == 0) {
        if (calls_++ % kCallsPerService == 0) {
            session_.Update();
            ServiceWindow();
        }
        return;
    }
    session_.Update();
    ServiceWindow();
    std::uint32_t budget = WaitBudgetMs(waitMs);
    if (budget == 0)
        return;
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(budget)) == 1) {
        HandleEvent(event);
        PumpEvents();
    }
    session_.Update();
    ServiceWindow();
}

void SdlHost::IdleUntilNextTick() {
    if (settings_.virtualClock || settings_.busyLoop || session_.HoldsProgram()) {
        Idle(0);
        return;
    }
    RestUntilNextTick();
    MarkReturn();
}

void SdlHost::RestUntilNextTick() {
    // The program has seen this tick with nothing queued. Sleeping to the next tick misses
    // nothing it could observe: input that arrives meanwhile waits in SDL's queue for at most
    // the rest of this millisecond, and is taken below before the loop's next pass. The
    // picture is shown in the rest of this tick, so that the next one starts with the program.
    auto nextTick = std::chrono::steady_clock::time_point(
        std::chrono::nanoseconds(win32::clock::NextRealTickNs()));
    SyncIconic();
    PresentIfDue(SDL_GetTicks());
    std::this_thread::sleep_until(nextTick);
    session_.Update();
    lastEventPollMs_ = SDL_GetTicks();
    PumpEvents();
}

void SdlHost::RestUntilRealTimeCatchesUp() {
    // The virtual tick never runs ahead of real time, so that a person can play. Each tick is
    // due at a fixed moment from the first: a late wake-up is caught up, never carried on.
    auto now = std::chrono::steady_clock::now();
    std::uint32_t tick = win32::clock::HostNow();
    if (!paced_) {
        paced_ = true;
        paceStartReal_ = now;
        paceStartTick_ = tick;
    }
    auto due = paceStartReal_ + std::chrono::milliseconds(tick + 1 - paceStartTick_);
    if (due > now)
        std::this_thread::sleep_until(due);
}

std::uint32_t SdlHost::WaitBudgetMs(int waitMs) {
    std::uint32_t budget = kLongestWaitMs;
    if (waitMs > 0)
        budget = std::min(budget, static_cast<std::uint32_t>(waitMs));
    budget = std::min(budget, session_.MsUntilNextDue());
    if (!systemIconic_ && (Framebuffer::Instance().IsDirty() || redraw_)) {
        std::uint32_t since = SDL_GetTicks() - lastPresentMs_;
        budget = std::min(budget, since >= kPresentIntervalMs ? 0 : kPresentIntervalMs - since);
    }
    return budget;
}

void SdlHost::ServiceWindow() {
    std::uint32_t now = SDL_GetTicks();
    if (now != lastEventPollMs_) {
        lastEventPollMs_ = now;
        PumpEvents();
        SyncIconic();
    }
    PresentIfDue(now);
}

void SdlHost::PumpEvents() {
    SDL_PumpEvents();
    SDL_Event events[32];
    int count = 0;
    while ((count = SDL_PeepEvents(events, 32, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
        for (int i = 0; i < count; ++i)
            HandleEvent(events[i]);
    }
}

void SdlHost::HandleEvent(const SDL_Event& event) {
    if (gamepads_ && gamepads_->HandleEvent(event))
        return;
    switch (event.type) {
        case SDL_QUIT:  // an interrupt from the terminal, for instance
            input_.RequestClose();
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            // The runner's own keys are the host's, never the program's.
            if (event.key.keysym.sym == SDLK_F11) {
                if (event.type == SDL_KEYDOWN && !event.key.repeat)
                    ToggleFullScreen();
                break;
            }
            int virtualKey = VirtualKeyFromSdl(event.key.keysym);
            if (virtualKey < 0)
                break;
            // A held key repeats; the program sees that as Windows shows it, but a runner key
            // held down must not pause, record or capture again and again.
            if (event.key.repeat && IsRunnerKey(virtualKey))
                break;
            if (event.type == SDL_KEYDOWN) {
                keysDown_.insert(virtualKey);
                input_.KeyDown(virtualKey);
            } else {
                keysDown_.erase(virtualKey);
                input_.KeyUp(virtualKey);
            }
            break;
        }
        case SDL_MOUSEMOTION: {
            ScreenPoint at = ToScreen(event.motion.x, event.motion.y);
            input_.MouseMove(at.x, at.y);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            MouseButton button;
            if (event.button.button == SDL_BUTTON_LEFT)
                button = MouseButton::Left;
            else if (event.button.button == SDL_BUTTON_RIGHT)
                button = MouseButton::Right;
            else if (event.button.button == SDL_BUTTON_MIDDLE)
                button = MouseButton::Middle;
            else
                break;
            ScreenPoint at = ToScreen(event.button.x, event.button.y);
            if (event.type == SDL_MOUSEBUTTONDOWN)
                input_.MouseButtonDown(button, at.x, at.y);
            else
                input_.MouseButtonUp(button, at.x, at.y);
            break;
        }
        default:
            break;
    }
}

void SdlHost::HandleWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            input_.RequestClose();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            input_.RequestMinimize();
            break;
        case SDL_WINDOWEVENT_RESTORED:
            input_.RequestRestore();
            redraw_ = true;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            UpdateLayout();
            redraw_ = true;
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // Keys released while another window has the keyboard never reach this one: let
            // them go now rather than leave them held for ever.
            ReleaseKeys();
            if (gamepads_)
                gamepads_->ReleaseAll();
            break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
            redraw_ = true;
            break;
        default:
            break;
    }
}

void SdlHost::ReleaseKeys() {
    std::set<int> held;
    held.swap(keysDown_);
    for (int virtualKey : held)
        input_.KeyUp(virtualKey);
}

void SdlHost::UpdateLayout() {
    SDL_GetRendererOutputSize(renderer_, &outputWidth_, &outputHeight_);
    SDL_GetWindowSize(window_, &windowWidth_, &windowHeight_);
    picture_ = FitScreen(outputWidth_, outputHeight_, settings_.scaleMode);
    // Cursors grow with the picture, so that they keep their size relative to the screen.
    int scale = 1;
    if (outputWidth_ > 0)
        scale = std::max(1, picture_.width * windowWidth_ / outputWidth_ / Framebuffer::kWidth);
    if (scale != cursorScale_) {
        cursorScale_ = scale;
        if (cursorSet_)
            ApplyCursor();
    }
}

void SdlHost::ToggleFullScreen() {
    if (fullScreen_) {
        SDL_SetWindowFullscreen(window_, 0);
        int scale = std::clamp(settings_.toggledWindowScale, 1, 8);
        SDL_SetWindowSize(window_, Framebuffer::kWidth * scale, Framebuffer::kHeight * scale);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        // Placed over the whole display too: without a window manager to honour the request,
        // the window would keep its size.
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &bounds) == 0) {
            SDL_SetWindowPosition(window_, bounds.x, bounds.y);
            SDL_SetWindowSize(window_, bounds.w, bounds.h);
        }
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    fullScreen_ = !fullScreen_;
    UpdateLayout();
    redraw_ = true;
}

ScreenPoint SdlHost::ToScreen(int windowX, int windowY) {
    return WindowToScreen(windowX, windowY, picture_, windowWidth_, windowHeight_, outputWidth_,
                          outputHeight_);
}

void SdlHost::SyncIconic() {
    // Only a change on the program's side moves the real window: when the window manager
    // minimised it, the program learns of it through an event and has nothing to change back.
    bool iconic = win32::input::AnyTopLevelIconic();
    if (iconic == systemIconic_)
        return;
    systemIconic_ = iconic;
    bool minimised = (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
    if (iconic && !minimised)
        SDL_MinimizeWindow(window_);
    else if (!iconic && minimised)
        SDL_RestoreWindow(window_);
    redraw_ = true;
}

void SdlHost::PresentIfDue(std::uint32_t nowMs) {
    if (systemIconic_)
        return;
    if (overlay_.Shown()) {
        overlay_.Update(nowMs);
        if (overlay_.Text() != overlayShownText_)
            redraw_ = true;
    }
    const Framebuffer& framebuffer = Framebuffer::Instance();
    if (!framebuffer.IsDirty() && !redraw_ && textureTried_ &&
        textureFormat_ == framebuffer.Format())
        return;
    if (presentedOnce_ && nowMs - lastPresentMs_ < kPresentIntervalMs)
        return;
    lastPresentMs_ = nowMs;
    presentedOnce_ = true;
    Present();
}

void SdlHost::PresentNow() {
    lastPresentMs_ = SDL_GetTicks();
    presentedOnce_ = true;
    Present();
}

void SdlHost::Present() {
    Framebuffer& framebuffer = Framebuffer::Instance();
    bool fresh = EnsureTexture(framebuffer.Format());
    RECT dirty = framebuffer.TakeDirty();
    if (fresh)
        dirty = {0, 0, Framebuffer::kWidth, Framebuffer::kHeight};
    dirty.left = std::max<LONG>(dirty.left, 0);
    dirty.top = std::max<LONG>(dirty.top, 0);
    dirty.right = std::min<LONG>(dirty.right, Framebuffer::kWidth);
    dirty.bottom = std::min<LONG>(dirty.bottom, Framebuffer::kHeight);
    if (!texture_)
        return;
    if (dirty.right > dirty.left && dirty.bottom > dirty.top) {
        const win32::PixelBuffer& buffer = framebuffer.Buffer();
        SDL_Rect area{dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top};
        const std::uint8_t* first =
            buffer.bits + static_cast<std::size_t>(dirty.top) * buffer.pitch +
            static_cast<std::size_t>(dirty.left) * buffer.format.BytesPerPixel();
        SDL_UpdateTexture(texture_, &area, first, buffer.pitch);
    }
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_Rect target{picture_.x, picture_.y, picture_.width, picture_.height};
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    overlay_.Draw(renderer_, outputWidth_);
    overlayShownText_ = overlay_.Shown() ? overlay_.Text() : "";
    SDL_RenderPresent(renderer_);
    redraw_ = false;
}

bool SdlHost::EnsureTexture(const win32::PixelFormat& format) {
    // One attempt per format: a texture SDL refused is not asked for again every frame.
    if (textureTried_ && textureFormat_ == format)
        return false;
    if (texture_)
        SDL_DestroyTexture(texture_);
    textureTried_ = true;
    textureFormat_ = format;
    texture_ = SDL_CreateTexture(renderer_, SdlFormatOf(format), SDL_TEXTUREACCESS_STREAMING,
                                 Framebuffer::kWidth, Framebuffer::kHeight);
    if (!texture_) {
        std::fprintf(stderr, "cannot show the screen: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture_,
                            settings_.smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return true;
}

void SdlHost::SetCursorShape(HCURSOR cursor) {
    // The window system asks on every mouse move; only a change reaches SDL.
    if (cursorSet_ && cursor == cursor_)
        return;
    cursor_ = cursor;
    cursorSet_ = true;
    ApplyCursor();
}

void SdlHost::ApplyCursor() {
    if (!cursor_) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_Cursor* cursor = CursorFor(cursor_, cursorScale_);
    SDL_SetCursor(cursor ? cursor : SDL_GetDefaultCursor());
    SDL_ShowCursor(SDL_ENABLE);
}

SDL_Cursor* SdlHost::CursorFor(HCURSOR handle, int scale) {
    auto key = std::make_pair(handle, scale);
    auto found = cursors_.find(key);
    if (found != cursors_.end())
        return found->second;
    SDL_Cursor* cursor = nullptr;
    win32::cursors::CursorImage image;
    if (win32::cursors::Describe(handle, &image) && image.width > 0 && image.height > 0 &&
        image.argb.size() == static_cast<std::size_t>(image.width) * image.height) {
        int width = image.width * scale;
        int height = image.height * scale;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                pixels[static_cast<std::size_t>(y) * width + x] =
                    image.argb[static_cast<std::size_t>(y / scale) * image.width + x / scale];
        }
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
            pixels.data(), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (surface) {
            cursor = SDL_CreateColorCursor(surface, image.hotX * scale, image.hotY * scale);
            SDL_FreeSurface(surface);
        }
    }
    cursors_.emplace(key, cursor);
    return cursor;
}

}  // namespace nuvik::host
