#include "draw/TextBytes.h"

namespace draw {

namespace {

// CP949 lead bytes; every byte below 0x81 stands alone.
bool IsLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace

std::size_t WholeCharacterLength(const char* text, std::size_t length) {
    std::size_t at = 0;
    while (at < length) {
        if (IsLeadByte(static_cast<unsigned char>(text[at]))) {
            if (at + 1 == length)
                return at;
            at += 2;
        } else {
            ++at;
        }
    }
    return length;
}

std::size_t UnescapeDoubledPercent(const char* text, char* out, std::size_t outSize) {
    if (outSize == 0)
        return 0;
    std::size_t length = 0;
    if (text != nullptr) {
        for (const char* at = text; *at != '\0' && length + 1 < outSize; ++at) {
            if (at[0] == '%' && at[1] == '%')
                ++at;
            out[length++] = *at;
        }
    }
    length = WholeCharacterLength(out, length);
    out[length] = '\0';
    return length;
}

}  // namespace draw
