// printf-style formatting into a caller's buffer. There is no size: the caller provides room
// for the whole text and its terminating zero.
#pragma once

#include "frame/Printf.h"

// Always returns 0.
int FormatText(char* buffer, const char* format, ...) NUVIK_PRINTF(2, 3);
