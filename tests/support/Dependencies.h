// Tests that need something outside the build: an X server, xdotool, a font, a locale, Wine.
// When it is missing, a developer's plain `ctest` skips the test and says why. ./test and CI
// run ctest with NUVIK_REQUIRE_DEPENDENCIES=1, and there the same test fails: a machine that
// lacks the dependency must not come out green without having run it.
#pragma once

#include <gtest/gtest.h>

namespace nuvik::testing {

// Whether a missing dependency fails the test (NUVIK_REQUIRE_DEPENDENCIES=1) rather than skips it.
bool DependenciesRequired();

}  // namespace nuvik::testing

// Ends the current function: fails when dependencies are required, else skips. Like GTEST_SKIP,
// a helper that uses it leaves its caller to check IsSkipped() || HasFatalFailure().
#define NUVIK_DEPENDENCY_MISSING(reason)                                                       \
    do {                                                                                       \
        if (::nuvik::testing::DependenciesRequired()) {                                        \
            GTEST_FAIL() << (reason) << " (a missing dependency fails this run: "              \
                         << "NUVIK_REQUIRE_DEPENDENCIES=1)";                                   \
        } else {                                                                               \
            GTEST_SKIP() << (reason) << " (set NUVIK_REQUIRE_DEPENDENCIES=1 to fail instead)"; \
        }                                                                                      \
    } while (false)
