// The host of a web page: the screen is drawn on the page's canvas, input comes from the
// page's keys, mouse, touches and game controllers, and where the other hosts sleep this one
// hands the browser its turn (the program's loop is suspended and resumed, never rewritten).
// On the virtual clock it never waits, but still lets the page draw and take input now and
// then, so that a long run neither freezes the tab nor changes a pixel.
#pragma once

#include <cstdint>
#include <vector>

#include "host/PadMapping.h"
#include "host/RunSession.h"
#include "host/RunnerControls.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Host.h"

namespace nuvik::host {

struct WebSettings {
    bool virtualClock = false;
    bool busyLoop = false;  // on the real clock, hand the browser its turn as seldom as possible
    PadMapping padMapping{};
};

class WebHost final : public win32::Host {
  public:
    // False when there is no page to show the run on (the runner under node, say).
    static bool PageAvailable();

    WebHost(WebSettings settings, RunSession& session, InputSink& input);

    void Poll() override;
    void Idle(int waitMs) override;
    void IdleUntilNextTick() override;
    void SetCursorShape(HCURSOR) override {}

  private:
    // Hands the browser its turn until `atMs` on its clock (0: only for a moment).
    void YieldUntil(double atMs);
    void TakeInput();
    void PresentIfDue(double nowMs);
    void Present();
    void HoldWhilePaused();
    void BuildColourTable(const win32::PixelFormat& format);
    // Ticks beyond the next one that the program can be left to rest (see IdleUntilNextTick).
    std::uint32_t RestBeyondNextTick();

    WebSettings settings_;
    RunSession& session_;
    InputSink& input_;
    unsigned polls_ = 0;
    double lastYieldMs_ = 0;
    double lastPresentMs_ = -1000;
    bool presentedOnce_ = false;
    // The screen as the canvas takes it (RGBA), and 16-bit pixels to RGBA for `tableFormat_`.
    std::vector<std::uint32_t> rgba_;
    std::vector<std::uint32_t> table16_;
    win32::PixelFormat tableFormat_;
    bool tableBuilt_ = false;
    // The program's last presented frame and the ticks between it and the one before.
    long long lastPresented_ = 0;
    std::uint32_t lastPresentTick_ = 0;
    std::uint32_t framePeriod_ = 0;
};

}  // namespace nuvik::host
