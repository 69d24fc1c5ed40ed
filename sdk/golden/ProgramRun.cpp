#include "sdk/golden/ProgramRun.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace nuvik::golden {

RunOutcome RunProgram(const std::vector<std::string>& command, int timeoutSeconds) {
    RunOutcome outcome;
    if (command.empty()) {
        outcome.error = "no program to run";
        return outcome;
    }
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    int failed = posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    if (failed != 0) {
        outcome.error = std::strerror(failed);
        return outcome;
    }
    outcome.started = true;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    for (;;) {
        pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child)
            break;
        if (ended < 0 && errno != EINTR) {
            outcome.error = std::strerror(errno);
            return outcome;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            outcome.timedOut = true;
            return outcome;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (WIFEXITED(status))
        outcome.exitStatus = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    return outcome;
}

std::string Describe(const RunOutcome& outcome) {
    if (!outcome.started)
        return "could not start (" + outcome.error + ")";
    if (outcome.timedOut)
        return "was stopped at the time limit";
    if (outcome.signal != 0)
        return "was ended by signal " + std::to_string(outcome.signal) + " (" +
               strsignal(outcome.signal) + ")";
    return "ended with exit status " + std::to_string(outcome.exitStatus);
}

}  // namespace nuvik::golden
