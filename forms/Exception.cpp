#include "forms/Exception.h"

namespace forms {

EReadError::EReadError(const std::string& resource, int line, const std::string& problem)
    : Exception("Error reading form resource " + resource +
                (line > 0 ? ", line " + std::to_string(line) : std::string()) + ": " + problem),
      resource_(resource),
      line_(line),
      problem_(problem) {}

}  // namespace forms
