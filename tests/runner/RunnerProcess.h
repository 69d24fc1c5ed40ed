// Runs the runner binary to its end and reads what it left: exit code, standard error, the
// JSON report and screenshots.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace runnertest {

struct Run {
    int exitCode = -1;
    std::string errors;  // standard error
    std::string report;  // the JSON report, empty when none was written
    std::filesystem::path directory;
};

// Runs NUVIK_RUNNER with `arguments` plus --report, in a fresh directory; `script` (when not
// empty) is written to script.txt there and passed with --script. Killed after `seconds`.
Run RunRunner(const std::string& name, const std::vector<std::string>& arguments,
              const std::string& script = {}, int seconds = 120);

// A number field of the report ("frame_step"), or -1 when missing.
long long NumberField(const std::string& report, const std::string& field);
// The integers of an array field ("shown_fps").
std::vector<long long> NumberArray(const std::string& report, const std::string& field);

}  // namespace runnertest
