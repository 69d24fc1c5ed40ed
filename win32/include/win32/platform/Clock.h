// The clock behind timeGetTime: real monotonic milliseconds (with a settable offset so that a
// wrap past 2^32 can be tested in seconds) or virtual (set and advanced by a host or a test).
#pragma once

#include <cstdint>

#include "win32/types.h"

namespace win32::clock {

void UseRealClock(DWORD offsetMs = 0);
void UseVirtualClock(DWORD startMs = 0);
bool IsVirtual();
void SetVirtual(DWORD nowMs);
void AdvanceVirtual(DWORD ms);
DWORD Now();  // what timeGetTime returns: the program's time

// The program's time may be held (the runner's pause) or run faster or slower than the host's
// (the runner's speed factor). The host keeps its own time for what it schedules itself.
void SetPaused(bool paused);
bool IsPaused();
void SetSpeed(double factor);  // > 0; 1 is the host's pace
double Speed();
DWORD HostNow();  // the host's time: the real or virtual clock without pause or speed

// The moment the program's reading of the real clock next changes (one millisecond boundary of the
// monotonic clock); a host that has nothing to do before then sleeps until it.
// (std::chrono::steady_clock's count of nanoseconds; <chrono> itself stays out of this header,
// which code compiled for a narrow execution character set includes).
std::int64_t NextRealTickNs();

}  // namespace win32::clock
