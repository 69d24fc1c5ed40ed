#include "forms/IdleRest.h"

#ifdef _WIN32

#include <mmsystem.h>

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace forms {

namespace {
// A short relative wait, in 100 ns units: it ends at the next clock interrupt, which is where
// timeGetTime moves, and no later than a quarter of a tick on a high-resolution timer.
constexpr LONGLONG kWaitStep = -2500;
}  // namespace

IdleRest::IdleRest() {
    periodSet_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                    TIMER_ALL_ACCESS);
    if (timer_ == nullptr)  // before Windows 10 1803: an ordinary timer, on the 1 ms interrupt
        timer_ = CreateWaitableTimerW(nullptr, TRUE, nullptr);
}

IdleRest::~IdleRest() {
    if (timer_ != nullptr)
        CloseHandle(timer_);
    if (periodSet_)
        timeEndPeriod(1);
}

void IdleRest::BeforeHook() {
    if (timer_ == nullptr || !hookRanAt_.set)
        return;
    const DWORD tick = hookRanAt_.value;
    while (timeGetTime() == tick) {
        LARGE_INTEGER due;
        due.QuadPart = kWaitStep;
        if (!SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE))
            return;
        DWORD woken =
            MsgWaitForMultipleObjectsEx(1, &timer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0)
            return;  // input arrived (or the wait failed): the loop takes it at once
    }
}

void IdleRest::AfterHook(bool keepGoing) {
    if (keepGoing)
        hookRanAt_ = {true, timeGetTime()};
    else
        hookRanAt_.reset();
}

}  // namespace forms

#endif  // _WIN32
