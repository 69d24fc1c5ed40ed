#include "win32/platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace win32::clock {

namespace {

using std::chrono::nanoseconds;
using std::chrono::steady_clock;

struct ClockState {
    bool isVirtual = false;
    DWORD realOffsetMs = 0;
    DWORD virtualNowMs = 0;
    // The program's time runs apart from the host's only once it was paused or sped up; until
    // then it is the host's time itself.
    bool apart = false;
    bool paused = false;
    double speed = 1.0;
    DWORD programBaseMs = 0;      // the program's time at the base moment
    std::int64_t hostBaseNs = 0;  // the host's time at the base moment
};

ClockState& State() {
    static ClockState state;
    return state;
}

std::int64_t MonotonicNs() {
    return std::chrono::duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

// The host's time in nanoseconds (its millisecond reading is what HostNow returns).
std::int64_t HostNs() {
    const ClockState& state = State();
    if (state.isVirtual)
        return static_cast<std::int64_t>(state.virtualNowMs) * 1'000'000;
    return MonotonicNs() + static_cast<std::int64_t>(state.realOffsetMs) * 1'000'000;
}

DWORD ProgramMs(std::int64_t hostNs) {
    const ClockState& state = State();
    if (state.paused)
        return state.programBaseMs;
    auto elapsedMs = static_cast<std::int64_t>(
        std::floor(static_cast<double>(hostNs - state.hostBaseNs) * state.speed / 1e6));
    // Unsigned arithmetic: the program's tick wraps past 2^32 exactly like the real one.
    return state.programBaseMs + static_cast<DWORD>(elapsedMs);
}

// Starts a new stretch of the program's time at this moment, from its current reading.
void Rebase() {
    ClockState& state = State();
    std::int64_t host = HostNs();
    state.programBaseMs = state.apart ? ProgramMs(host) : HostNow();
    state.hostBaseNs = host;
    state.apart = true;
}

}  // namespace

void UseRealClock(DWORD offsetMs) {
    State() = ClockState{};
    State().realOffsetMs = offsetMs;
}

void UseVirtualClock(DWORD startMs) {
    State() = ClockState{};
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

void SetPaused(bool paused) {
    if (paused == State().paused)
        return;
    Rebase();
    State().paused = paused;
}

bool IsPaused() {
    return State().paused;
}

void SetSpeed(double factor) {
    if (!(factor > 0) || factor == State().speed)
        return;
    Rebase();
    State().speed = factor;
}

double Speed() {
    return State().speed;
}

DWORD HostNow() {
    const ClockState& state = State();
    if (state.isVirtual)
        return state.virtualNowMs;
    auto ms = std::chrono::floor<std::chrono::milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<DWORD>(static_cast<ULONGLONG>(ms.count())) + state.realOffsetMs;
}

std::int64_t NextRealTickNs() {
    using std::chrono::milliseconds;
    const ClockState& state = State();
    auto now = steady_clock::now();
    if (!state.apart || state.paused || state.isVirtual) {
        // The reading is the monotonic clock cut to whole milliseconds (the offset is whole
        // too), so it changes exactly at the next whole millisecond.
        auto wholeMs = std::chrono::floor<milliseconds>(now.time_since_epoch());
        return std::chrono::duration_cast<nanoseconds>(wholeMs + milliseconds(1)).count();
    }
    // Sped up or slowed down: the moment the scaled reading next moves on.
    std::int64_t host = HostNs();
    auto elapsedMs = static_cast<std::int64_t>(
        std::floor(static_cast<double>(host - state.hostBaseNs) * state.speed / 1e6));
    auto untilNs = static_cast<std::int64_t>(
        std::ceil(static_cast<double>(elapsedMs + 1) * 1e6 / state.speed));
    std::int64_t wakeHostNs = state.hostBaseNs + untilNs;
    return std::chrono::duration_cast<nanoseconds>(now.time_since_epoch()).count() +
           std::max<std::int64_t>(0, wakeHostNs - host);
}

DWORD Now() {
    const ClockState& state = State();
    if (!state.apart)
        return HostNow();
    return ProgramMs(HostNs());
}

}  // namespace win32::clock
