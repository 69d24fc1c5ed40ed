// Text encodings behind the code-page entry points and the diagnostics record: CP949 (the
// Korean ANSI code page, through tables that iconv fills once) and UTF-8/UTF-16 by hand.
// Internal to the win32 library.
#pragma once

#include <string>
#include <string_view>

namespace win32::codepages {

inline constexpr char32_t kReplacement = U'\uFFFD';

// One decoded character and the number of bytes it took (at least 1).
struct Decoded {
    char32_t codePoint;
    int length;
    bool valid;
};

// A CP949 character at the start of `bytes` (not empty). An invalid byte decodes as
// kReplacement and takes one byte, so that a broken pair never swallows the character after it.
Decoded DecodeCp949Char(std::string_view bytes);
// Appends the CP949 bytes of `codePoint`; false (and nothing appended) when CP949 has none.
bool EncodeCp949Char(char32_t codePoint, std::string* out);

// A UTF-8 character at the start of `bytes` (not empty). Overlong forms, surrogates and
// truncated sequences are invalid: kReplacement, one byte.
Decoded DecodeUtf8Char(std::string_view bytes);
void EncodeUtf8Char(char32_t codePoint, std::string* out);

// A UTF-16 character at the start of `units` (not empty); a lone surrogate is invalid.
struct DecodedWide {
    char32_t codePoint;
    int length;
    bool valid;
};
DecodedWide DecodeUtf16Char(std::u16string_view units);
void EncodeUtf16Char(char32_t codePoint, std::u16string* out);

std::u32string DecodeCp949(std::string_view bytes);
std::u32string DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::u32string_view codePoints);
// Unmappable code points become '?'.
std::string EncodeCp949(std::u32string_view codePoints);

}  // namespace win32::codepages
