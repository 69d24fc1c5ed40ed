// The host with a real window: SDL2 shows the framebuffer, scaled with its aspect kept, and
// turns the window's keyboard, mouse and window-manager events into the window system's input.
#pragma once

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "host/InputSink.h"
#include "host/PadMapping.h"
#include "host/RunSession.h"
#include "host/sdl/Gamepads.h"
#include "host/sdl/Overlay.h"
#include "host/sdl/Viewport.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Host.h"

namespace nuvik::host {

struct SdlSettings {
    bool windowed = false;       // else full screen on the desktop, the monitor's mode untouched
    int windowScale = 1;         // 1..8
    int toggledWindowScale = 2;  // the window's scale when F11 leaves full screen
    ScaleMode scaleMode = ScaleMode::Integer;
    bool smooth = false;      // linear filtering when scaled, else nearest
    PadMapping padMapping{};  // game controllers' buttons as keys
    bool virtualClock = false;
    bool busyLoop = false;  // on the real clock, never rest between ticks
};

class SdlHost final : public win32::Host {
  public:
    // Null with `error` set (SDL's own words) when no window can be opened.
    static std::unique_ptr<SdlHost> Open(const SdlSettings& settings, RunSession& session,
                                         InputSink& input, std::string* error);
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    void Poll() override;
    void Idle(int waitMs) override;
    void IdleUntilNextTick() override;
    void SetCursorShape(HCURSOR cursor) override;

    SDL_Window* Window() const { return window_; }
    // F11: full screen on the desktop, or a window at the toggled scale, and back.
    void ToggleFullScreen();
    // F3: the overlay with the real presented rate, frame time and processor share.
    void ToggleOverlay();
    const Overlay& GetOverlay() const { return overlay_; }
    // The name of the SDL renderer in use ("software", "opengl", ...).
    std::string RendererName() const;
    // Shows the framebuffer now if anything changed, without the 16 ms limit (tests, benches).
    void PresentNow();

  private:
    SdlHost(const SdlSettings& settings, RunSession& session, InputSink& input);
    bool Create(std::string* error);
    SDL_Renderer* CreateRenderer();

    void IdleFor(int waitMs);
    void RestUntilNextTick();
    // The virtual clock's rest: until the real clock has reached the tick about to begin.
    void RestUntilRealTimeCatchesUp();
    void ServiceWindow();
    void PumpEvents();
    void HandleEvent(const SDL_Event& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);
    void UpdateLayout();
    // The runner holds the program (paused): the window stays alive, shown and listened to.
    void HoldWhilePaused();
    // The loop goes back to the program now (for the overlay's frame time).
    void MarkReturn();
    void ReleaseKeys();
    ScreenPoint ToScreen(int windowX, int windowY);
    void SyncIconic();
    void PresentIfDue(std::uint32_t nowMs);
    void Present();
    bool EnsureTexture(const win32::PixelFormat& format);
    void ApplyCursor();
    SDL_Cursor* CursorFor(HCURSOR cursor, int scale);
    std::uint32_t WaitBudgetMs(int waitMs);

    SdlSettings settings_;
    RunSession& session_;
    InputSink& input_;  // where the window's input goes
    bool ownsVideo_ = false;
    bool fullScreen_ = false;
    std::unique_ptr<Gamepads> gamepads_;
    Overlay overlay_;
    std::string overlayShownText_;
    long long overlayPresented_ = 0;
    Uint64 returnedAt_ = 0;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    win32::PixelFormat textureFormat_;
    bool textureTried_ = false;
    PictureRect picture_;
    int outputWidth_ = 0;
    int outputHeight_ = 0;
    int windowWidth_ = 0;
    int windowHeight_ = 0;

    unsigned calls_ = 0;
    bool paced_ = false;  // the virtual clock's pace has its starting point
    std::chrono::steady_clock::time_point paceStartReal_;
    std::uint32_t paceStartTick_ = 0;
    std::uint32_t lastEventPollMs_ = 0;
    std::uint32_t lastPresentMs_ = 0;
    bool presentedOnce_ = false;
    bool redraw_ = true;         // the window needs its picture again (exposed, resized, restored)
    bool systemIconic_ = false;  // the program's windows were minimised when last looked at
    std::set<int> keysDown_;     // virtual keys pressed in this window and not yet released

    HCURSOR cursor_ = nullptr;
    bool cursorSet_ = false;
    int cursorScale_ = 1;
    std::map<std::pair<HCURSOR, int>, SDL_Cursor*> cursors_;
};

}  // namespace nuvik::host
