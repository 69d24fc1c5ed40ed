#include "frame/Random.h"

#include "frame/Tick.h"

namespace {

constexpr DWORD Advance(DWORD state) {
    return state * 22695477u + 1u;
}

// Seeded with 1 and advanced once before the program's first draw.
constexpr DWORD kStartState = Advance(1);

DWORD g_randomState = kStartState;

DWORD NextRandomValue() {
    g_randomState = Advance(g_randomState);
    return (g_randomState >> 16) & 0x7FFF;
}

}  // namespace

DWORD GetRandom() {
    DWORD sum = NextRandomValue() + GetTick();
    // A sum with the top bit set is folded back by negation; 2^31 is its own negation.
    if (sum & 0x80000000u)
        return 0u - sum;
    return sum;
}

void ResetRandomForTesting() {
    g_randomState = kStartState;
}
