#include "host/Numbers.h"

namespace nuvik::host {

namespace {

int DigitValue(char c, int base) {
    int digit = -1;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    return digit < base ? digit : -1;
}

bool ParseInBase(std::string_view text, int base, std::uint64_t max, std::uint64_t* value) {
    if (text.empty())
        return false;
    std::uint64_t result = 0;
    for (char c : text) {
        int digit = DigitValue(c, base);
        if (digit < 0)
            return false;
        // Checked before multiplying so that a long run of digits cannot wrap around.
        auto udigit = static_cast<std::uint64_t>(digit);
        if (udigit > max || result > (max - udigit) / static_cast<std::uint64_t>(base))
            return false;
        result = result * static_cast<std::uint64_t>(base) + udigit;
    }
    *value = result;
    return true;
}

}  // namespace

bool ParseDecimal(std::string_view text, std::uint64_t max, std::uint64_t* value) {
    return ParseInBase(text, 10, max, value);
}

bool ParseDecimalOrHex(std::string_view text, std::uint64_t max, std::uint64_t* value) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseInBase(text.substr(2), 16, max, value);
    return ParseInBase(text, 10, max, value);
}

}  // namespace nuvik::host
