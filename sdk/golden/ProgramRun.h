// Running a program's runner to its end for a golden test, with a time limit.
#pragma once

#include <string>
#include <vector>

namespace nuvik::golden {

struct RunOutcome {
    bool started = false;
    bool timedOut = false;  // stopped (killed) at the time limit
    int exitStatus = -1;    // when it exited by itself
    int signal = 0;         // when a signal ended it
    std::string error;      // why it could not start
};

// Runs `command` (the executable, then its arguments) with this process's standard output,
// error and environment, and waits for it at most `timeoutSeconds`.
RunOutcome RunProgram(const std::vector<std::string>& command, int timeoutSeconds);

// One line on how the run ended, for a test's message: "exit status 2", "signal 11 (...)".
std::string Describe(const RunOutcome& outcome);

}  // namespace nuvik::golden
