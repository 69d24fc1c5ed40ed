// Byte-level handling of the CP949 texts that programs draw.
#pragma once

#include <cstddef>

namespace draw {

// Copies `text` into `out` (room for `outSize` bytes, terminator included) with every "%%"
// turned into one '%' and nothing else interpreted, cut so that it fits; a double-byte
// character that would be split by the cut is left out whole. Returns the length written.
// A null text gives an empty one.
std::size_t UnescapeDoubledPercent(const char* text, char* out, std::size_t outSize);

// The length of `text` without a CP949 lead byte that has lost its trail byte at the end
// (what cutting a text in the middle of a Hangul character leaves behind).
std::size_t WholeCharacterLength(const char* text, std::size_t length);

}  // namespace draw
