// Identifiers that form resources may use for numbers: cursor names ("crHandPoint") and
// character sets ("HANGEUL_CHARSET").
#pragma once

#include <string_view>

#include "forms/Types.h"

namespace forms {

bool IdentToCursor(std::string_view ident, TCursor* cursor);
bool IdentToCharset(std::string_view ident, int* charset);

}  // namespace forms
