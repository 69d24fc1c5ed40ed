// Lets the compiler check printf-style calls where it can.
#pragma once

#if defined(__GNUC__) && !defined(_WIN32)
#define NUVIK_PRINTF(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define NUVIK_PRINTF(formatIndex, firstArgument)
#endif
