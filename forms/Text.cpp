#include "forms/Text.h"

namespace forms {

namespace {

char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = FoldAscii(c);
    return result;
}

}  // namespace forms
