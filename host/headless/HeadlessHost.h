// The host without a real window: the framebuffer stays in memory, input comes from the
// script only, and with a virtual clock time moves by exactly 1 ms per empty queue.
#pragma once

#include "host/RunSession.h"
#include "win32/platform/Host.h"

namespace nuvik::host {

class HeadlessHost final : public win32::Host {
  public:
    // `virtualClock`: the clock is virtual and this host alone advances it. `busyLoop`: on the
    // real clock, never rest between ticks.
    HeadlessHost(RunSession& session, bool virtualClock, bool busyLoop = false);

    void Poll() override;
    void Idle(int waitMs) override;
    void IdleUntilNextTick() override;
    void SetCursorShape(HCURSOR cursor) override { cursor_ = cursor; }

    HCURSOR CursorShape() const { return cursor_; }

  private:
    // The runner holds the program (paused): the host's time and the script go on, the
    // program's do not, until something lets it go.
    void HoldWhilePaused();

    RunSession& session_;
    bool virtualClock_;
    bool busyLoop_;
    HCURSOR cursor_ = nullptr;
};

}  // namespace nuvik::host
