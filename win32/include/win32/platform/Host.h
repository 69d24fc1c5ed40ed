// The one small interface between the win32 library and a host that puts the framebuffer on
// a real screen (SDL) or keeps it in memory (headless). The window system calls it; the host
// answers by delivering input through win32/platform/Input.h. Not part of the Win32 API.
#pragma once

#include "win32/types.h"

namespace win32 {

class Host {
  public:
    virtual ~Host() = default;

    // Called on every PeekMessageA / GetMessageA / WaitMessage before the queue is examined.
    // Must be cheap: a host throttles its own polling of the real window system.
    virtual void Poll() = 0;

    // The thread's queue was found empty. A host with a virtual clock advances it by exactly
    // 1 ms here and delivers scripted input that has become due. `waitMs` says how long the
    // caller is willing to block (0: do not block; -1: until something arrives); a real host
    // may sleep up to that long waiting for input, a virtual one never sleeps.
    virtual void Idle(int waitMs) = 0;

    // PeekMessageA found the queue empty again within one tick of the clock, with no message
    // taken since it last found it empty: the system has had its pass at this tick, and nothing
    // it can observe changes before the next one unless input arrives. A real-clock host may
    // sleep until the next tick (or until input comes) instead of letting the loop spin; a
    // virtual-clock host advances its clock as for Idle(0).
    virtual void IdleUntilNextTick() { Idle(0); }

    // The current cursor shape changed (null: no cursor).
    virtual void SetCursorShape(HCURSOR cursor) = 0;
};

// The host in use; null when none is installed (tests that drive the platform directly).
Host* CurrentHost();
void SetCurrentHost(Host* host);

}  // namespace win32
