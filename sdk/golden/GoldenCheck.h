// Comparing a program's screen with its golden picture, for nuvik_add_program_test.
#pragma once

#include <string>

namespace nuvik::golden {

struct CheckResult {
    bool passed = false;
    std::string message;  // one line for the test's output
};

// Compares the PNG at `actualPath` with the PNG at `goldenPath`. A missing golden is written
// from the actual picture and the check fails (a new golden is looked at before it is kept).
// A mismatch writes <golden>-ACTUAL.png and <golden>-DIFF.png (the golden dimmed, differing
// pixels red) beside the golden. `update` rewrites the golden from the actual picture and
// passes. A match removes the -ACTUAL and -DIFF pictures of an earlier mismatch.
CheckResult CheckGolden(const std::string& actualPath, const std::string& goldenPath, bool update);

}  // namespace nuvik::golden
