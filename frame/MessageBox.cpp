#include "frame/MessageBox.h"

#include <cstdarg>
#include <cstdio>

#include "win32/api.h"

namespace {

constexpr int kTextSize = 256;

bool IsLeadByte(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

// A cut may have kept only the first byte of a double-byte character at the very end; that
// byte alone would show as garbage, so it goes too.
void DropCutCharacter(char* text) {
    int i = 0;
    while (text[i] != '\0') {
        if (!IsLeadByte(text[i])) {
            ++i;
        } else if (text[i + 1] == '\0') {
            text[i] = '\0';
        } else {
            i += 2;
        }
    }
}

}  // namespace

void ShowMessageBox(const char* caption, const char* format, ...) {
    char text[kTextSize];
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    text[kTextSize - 1] = '\0';  // some C libraries leave a cut text unterminated
    if (length < 0)
        text[0] = '\0';
    else if (length >= kTextSize)
        DropCutCharacter(text);
    // Owned by the active window, which the box disables until it is dismissed.
    MessageBoxA(GetActiveWindow(), text, caption, 0);
}
