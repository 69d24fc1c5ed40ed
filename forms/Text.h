// Identifier comparison as form resources need it: ASCII letters without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace forms {

bool SameText(std::string_view a, std::string_view b);
std::string UpperCase(std::string_view text);

}  // namespace forms
