// The clock behind timeGetTime: real monotonic milliseconds (with a settable offset so that a
// wrap past 2^32 can be tested in seconds) or virtual (set and advanced by a host or a test).
#pragma once

#include "win32/types.h"

namespace win32::clock {

void UseRealClock(DWORD offsetMs = 0);
void UseVirtualClock(DWORD startMs = 0);
bool IsVirtual();
void SetVirtual(DWORD nowMs);
void AdvanceVirtual(DWORD ms);
DWORD Now();  // what timeGetTime returns

}  // namespace win32::clock
