#include "host/headless/HeadlessHost.h"

#include <chrono>
#include <thread>

#include "win32/platform/Clock.h"

namespace nuvik::host {

HeadlessHost::HeadlessHost(RunSession& session, bool virtualClock, bool busyLoop)
    : session_(session), virtualClock_(virtualClock), busyLoop_(busyLoop) {}

void HeadlessHost::Poll() {
    session_.Poll();
}

void HeadlessHost::HoldWhilePaused() {
    while (session_.HoldsProgram()) {
        if (virtualClock_) {
            session_.NextVirtualTick();
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        session_.Update();
    }
}

void HeadlessHost::Idle(int waitMs) {
    if (session_.HoldsProgram()) {
        HoldWhilePaused();
        return;
    }
    if (virtualClock_) {
        session_.NextVirtualTick();
        return;
    }
    if (waitMs == 0) {
        // The system's loop never waits: on the real clock, as cheap as Poll.
        session_.Poll();
        return;
    }
    session_.Update();
    // A caller willing to block gets a short nap instead of a busy loop, short enough that
    // scripted input still arrives on its millisecond.
    if (session_.MsUntilNextDue() > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void HeadlessHost::IdleUntilNextTick() {
    if (virtualClock_ || busyLoop_ || session_.HoldsProgram()) {
        Idle(0);
        return;
    }
    // Nothing can reach this host but the script, whose events fall due on ticks: sleeping to
    // the next tick misses none of them, and the loop's next pass sees the new tick.
    std::this_thread::sleep_until(std::chrono::steady_clock::time_point(
        std::chrono::nanoseconds(win32::clock::NextRealTickNs())));
    session_.Update();
}

}  // namespace nuvik::host
