// The millisecond tick of the system: unsigned 32-bit, wrapping after about 49.7 days.
// Elapsed times are always the unsigned difference of two ticks, which the wrap cannot upset.
#pragma once

#include "win32/api.h"

DWORD GetTick();
