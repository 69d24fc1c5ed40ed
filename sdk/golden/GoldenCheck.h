// Comparing a program's picture with its golden, for nuvik_add_program_test.
#pragma once

#include <string>

namespace nuvik::golden {

// What is compared: the console's 320 x 240 screen, taken from the screen opening of the
// 640 x 480 picture, or that whole picture.
enum class Area { kConsole, kScreen };

struct CheckOptions {
    Area area = Area::kConsole;
    bool update = false;  // rewrite a golden this run differs from
};

struct CheckResult {
    bool passed = false;
    std::string message;  // what the test prints, a line or two
};

// Compares the area of the PNG at `screenshotPath` with the PNG at `goldenPath`. A missing
// golden is written from the screenshot and the check fails: a new golden is looked at before
// it is kept. A mismatch writes <golden>-ACTUAL.png (the area as this run drew it) and
// <golden>-DIFF.png (see DiffPicture) beside the golden and fails. With `update`, a golden the
// run differs from is rewritten and the check fails naming it, for the same reason; one it
// matches is left alone. A match removes the -ACTUAL and -DIFF pictures of an earlier mismatch.
CheckResult CheckGolden(const std::string& screenshotPath, const std::string& goldenPath,
                        const CheckOptions& options);

}  // namespace nuvik::golden
