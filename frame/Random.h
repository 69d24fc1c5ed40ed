// Random numbers mixed with the clock: a 15-bit linear congruential value plus the tick,
// folded into 0 .. 2^31. The generator is the classic one (state * 22695477 + 1, value in bits
// 16 to 30); programs written for the SDK rely on that exact sequence and range.
#pragma once

#include "win32/api.h"

DWORD GetRandom();

// For tests only: puts the generator back into its state at process start (seeded with 1 and
// advanced once), so that a test can predict the values that follow. The system never calls it.
void ResetRandomForTesting();
