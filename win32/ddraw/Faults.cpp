#include <array>

#include "ddraw/FaultPoints.h"
#include "win32/ddraw.h"

namespace win32::ddraw {

namespace {

struct Rule {
    bool active = false;
    HRESULT result = S_OK;
    bool nullOutput = false;
    faults::Repeat repeat = faults::Repeat::Once;
    int skip = 0;
};

struct FaultState {
    std::array<Rule, faults::kCallKinds> rules{};
    std::array<int, faults::kCallKinds> counts{};
    int liveDirectDrawObjects = 0;
    int liveSurfaces = 0;
};

FaultState& State() {
    static FaultState state;
    return state;
}

int IndexOf(faults::Call call) {
    return static_cast<int>(call);
}

void SetRule(faults::Call call, HRESULT result, bool nullOutput, faults::Repeat repeat, int skip) {
    State().rules[IndexOf(call)] = Rule{true, result, nullOutput, repeat, skip < 0 ? 0 : skip};
}

bool HandsOutInterface(faults::Call call) {
    switch (call) {
        case faults::Call::DirectDrawCreate:
        case faults::Call::DirectDrawCreateEx:
        case faults::Call::DirectDrawQueryInterface:
        case faults::Call::CreateSurface:
        case faults::Call::SurfaceQueryInterface:
            return true;
        default:
            return false;
    }
}

}  // namespace

InjectedOutcome EnterCall(faults::Call call) {
    FaultState& state = State();
    ++state.counts[IndexOf(call)];
    Rule& rule = state.rules[IndexOf(call)];
    if (!rule.active)
        return {};
    if (rule.skip > 0) {
        --rule.skip;
        return {};
    }
    InjectedOutcome outcome{true, rule.result, rule.nullOutput};
    if (rule.repeat == faults::Repeat::Once)
        rule = Rule{};
    return outcome;
}

void CountDirectDrawObject(int delta) {
    State().liveDirectDrawObjects += delta;
}

void CountSurface(int delta) {
    State().liveSurfaces += delta;
}

namespace faults {

void Fail(Call call, HRESULT result, Repeat repeat, int skip) {
    SetRule(call, result, false, repeat, skip);
}

bool ReportNotReady(Call call, Repeat repeat, int skip) {
    if (call != Call::Lock && call != Call::GetFlipStatus)
        return false;
    SetRule(call, DDERR_WASSTILLDRAWING, false, repeat, skip);
    return true;
}

bool SucceedWithNull(Call call, Repeat repeat, int skip) {
    if (!HandsOutInterface(call))
        return false;
    SetRule(call, DD_OK, true, repeat, skip);
    return true;
}

void Clear(Call call) {
    State().rules[IndexOf(call)] = Rule{};
}

int CallCount(Call call) {
    return State().counts[IndexOf(call)];
}

int LiveDirectDrawObjects() {
    return State().liveDirectDrawObjects;
}

int LiveSurfaces() {
    return State().liveSurfaces;
}

void Reset() {
    FaultState& state = State();
    state.rules.fill(Rule{});
    state.counts.fill(0);
}

}  // namespace faults

}  // namespace win32::ddraw
