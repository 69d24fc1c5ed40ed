#include "win32/platform/Clock.h"

#include <chrono>

namespace win32::clock {

namespace {

struct ClockState {
    bool isVirtual = false;
    DWORD realOffsetMs = 0;
    DWORD virtualNowMs = 0;
};

ClockState& State() {
    static ClockState state;
    return state;
}

// Milliseconds of a monotonic clock, cut to 32 bits the way a 49.7-day uptime counter wraps.
DWORD MonotonicMs() {
    auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    return static_cast<DWORD>(static_cast<ULONGLONG>(ms));
}

}  // namespace

void UseRealClock(DWORD offsetMs) {
    State().isVirtual = false;
    State().realOffsetMs = offsetMs;
}

void UseVirtualClock(DWORD startMs) {
    State().isVirtual = true;
    State().virtualNowMs = startMs;
}

bool IsVirtual() {
    return State().isVirtual;
}

void SetVirtual(DWORD nowMs) {
    State().virtualNowMs = nowMs;
}

void AdvanceVirtual(DWORD ms) {
    // Unsigned arithmetic: the virtual tick wraps past 2^32 exactly like the real one.
    State().virtualNowMs += ms;
}

std::chrono::steady_clock::time_point NextRealTick() {
    using std::chrono::milliseconds;
    auto now = std::chrono::steady_clock::now();
    // The reading is the monotonic clock cut to whole milliseconds (the offset is whole too),
    // so it changes exactly at the next whole millisecond.
    auto wholeMs = std::chrono::floor<milliseconds>(now.time_since_epoch());
    return std::chrono::steady_clock::time_point(wholeMs + milliseconds(1));
}

DWORD Now() {
    const ClockState& state = State();
    if (state.isVirtual)
        return state.virtualNowMs;
    return MonotonicMs() + state.realOffsetMs;
}

}  // namespace win32::clock
