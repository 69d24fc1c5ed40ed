// printf-style formatting into a caller's buffer. There is no size: the caller provides room
// for the whole text and its terminating zero.
#pragma once

#include <cstdarg>

#include "frame/Printf.h"

// Always returns 0.
int FormatText(char* buffer, const char* format, ...) NUVIK_PRINTF(2, 3);
// The same with the arguments already taken (for callers that pass theirs on).
int FormatTextV(char* buffer, const char* format, va_list arguments);
