// Strict number parsing for the command line and scripts: the whole text must be the number.
#pragma once

#include <cstdint>
#include <string_view>

namespace nuvik::host {

// Decimal digits only (no sign, no spaces), at most `max`.
bool ParseDecimal(std::string_view text, std::uint64_t max, std::uint64_t* value);
// Decimal, or hexadecimal after "0x" / "0X", at most `max`.
bool ParseDecimalOrHex(std::string_view text, std::uint64_t max, std::uint64_t* value);

}  // namespace nuvik::host
