#include "support/Dependencies.h"

#include <cstdlib>
#include <cstring>

namespace nuvik::testing {

bool DependenciesRequired() {
    const char* required = std::getenv("NUVIK_REQUIRE_DEPENDENCIES");
    return required != nullptr && std::strcmp(required, "1") == 0;
}

}  // namespace nuvik::testing
