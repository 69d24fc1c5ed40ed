// Per-window timers. A timer becomes due by timeGetTime; its WM_TIMER is made only when the
// queue holds nothing else, and at most one is pending per timer however long it waited.
#pragma once

#include "user/MessageQueue.h"
#include "win32/types.h"

namespace win32::user {

bool TakeDueTimer(const MessageFilter& filter, bool remove, MSG* msg);
// Milliseconds until the next timer for `filter` is due (0: one is due now); -1: none.
int MsUntilNextTimer(const MessageFilter& filter);
bool HasTimers();
bool IsLiveTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc);
void KillWindowTimers(HWND hwnd);
void ResetTimers();

}  // namespace win32::user
