#include "user/Timers.h"

#include <algorithm>
#include <vector>

#include "user/InputRouting.h"
#include "win32/constants.h"
#include "win32/kernel.h"
#include "win32/user.h"

namespace win32::user {

namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT period = 0;
    DWORD due = 0;
    TIMERPROC proc = nullptr;
};

struct TimerTable {
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 1;
};

TimerTable& Table() {
    static TimerTable table;
    return table;
}

// Ticks wrap at 2^32: "due" is judged on the signed distance, as any tick comparison is.
int MsUntil(DWORD due, DWORD now) {
    auto distance = static_cast<std::int32_t>(due - now);
    return distance < 0 ? 0 : distance;
}

bool Takes(const MessageFilter& filter, const Timer& timer) {
    return filter.TakesWindow(timer.hwnd);
}

}  // namespace

bool TakeDueTimer(const MessageFilter& filter, bool remove, MSG* msg) {
    DWORD now = timeGetTime();
    Timer* chosen = nullptr;
    for (Timer& timer : Table().timers) {
        if (!Takes(filter, timer) || MsUntil(timer.due, now) > 0)
            continue;
        // The one that has waited longest goes first.
        if (chosen == nullptr || static_cast<std::int32_t>(timer.due - chosen->due) < 0)
            chosen = &timer;
    }
    if (chosen == nullptr)
        return false;
    *msg = MSG{};
    msg->hwnd = chosen->hwnd;
    msg->message = WM_TIMER;
    msg->wParam = chosen->id;
    msg->lParam = reinterpret_cast<LPARAM>(chosen->proc);
    msg->time = now;
    msg->pt = CursorPosition();
    if (remove)
        chosen->due = now + chosen->period;
    return true;
}

int MsUntilNextTimer(const MessageFilter& filter) {
    DWORD now = timeGetTime();
    int soonest = -1;
    for (const Timer& timer : Table().timers) {
        if (!Takes(filter, timer))
            continue;
        int wait = MsUntil(timer.due, now);
        if (soonest < 0 || wait < soonest)
            soonest = wait;
    }
    return soonest;
}

bool HasTimers() {
    return !Table().timers.empty();
}

bool IsLiveTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
    for (const Timer& timer : Table().timers) {
        if (timer.hwnd == hwnd && timer.id == id && timer.proc == proc)
            return true;
    }
    return false;
}

void KillWindowTimers(HWND hwnd) {
    auto& timers = Table().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
}

void ResetTimers() {
    Table() = TimerTable{};
}

}  // namespace win32::user

namespace user = win32::user;

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    if (hWnd != nullptr && user::Find(hWnd) == nullptr)
        return 0;
    auto& table = user::Table();
    uElapse = std::clamp<UINT>(uElapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    if (hWnd == nullptr) {
        // A thread timer gets a fresh id unless an existing one is named.
        bool known = nIDEvent != 0 && std::any_of(table.timers.begin(), table.timers.end(),
                                                  [&](const user::Timer& t) {
                                                      return t.hwnd == nullptr && t.id == nIDEvent;
                                                  });
        if (!known)
            nIDEvent = table.nextThreadTimerId++;
    }
    DWORD due = timeGetTime() + uElapse;
    for (user::Timer& timer : table.timers) {
        if (timer.hwnd == hWnd && timer.id == nIDEvent) {
            timer.period = uElapse;
            timer.due = due;
            timer.proc = lpTimerFunc;
            return nIDEvent != 0 ? nIDEvent : 1;
        }
    }
    table.timers.push_back(user::Timer{hWnd, nIDEvent, uElapse, due, lpTimerFunc});
    return nIDEvent != 0 ? nIDEvent : 1;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    auto& timers = user::Table().timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const user::Timer& t) {
        return t.hwnd == hWnd && t.id == uIDEvent;
    });
    if (it == timers.end())
        return FALSE;
    timers.erase(it);
    return TRUE;
}
