#include "frame/FormatText.h"

#include <cstdarg>
#include <cstdio>

int FormatText(char* buffer, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    FormatTextV(buffer, format, arguments);
    va_end(arguments);
    return 0;
}

int FormatTextV(char* buffer, const char* format, va_list arguments) {
    std::vsprintf(buffer, format, arguments);
    return 0;
}
