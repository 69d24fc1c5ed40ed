// nuvik-golden: the golden check of program tests (nuvik_add_program_test runs `test`).
// Exit status 0 when the picture matches, 1 when the check or the run fails, 2 for a bad
// command line or a NUVIK_UPDATE_GOLDENS value it does not understand. Every outcome is said
// in words on standard error (a match on standard output).
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sdk/golden/GoldenCheck.h"
#include "sdk/golden/ProgramRun.h"

namespace {

using nuvik::golden::Area;
using nuvik::golden::CheckOptions;
using nuvik::golden::CheckResult;

constexpr const char* kUsage =
    "usage:\n"
    "  nuvik-golden compare [--area=console|screen] SCREENSHOT.png GOLDEN.png\n"
    "  nuvik-golden test [--area=console|screen] [--timeout=SECONDS] --golden=GOLDEN.png\n"
    "                    --screenshot=PATH --report=PATH -- PROGRAM [RUNNER OPTION...]\n"
    "The area compared is the console's 320 x 240 screen (the default) or the whole 640 x 480\n"
    "picture. `test` runs PROGRAM with its options plus --screenshot and --report, stops it\n"
    "after SECONDS (default 100), then compares. NUVIK_UPDATE_GOLDENS=1 rewrites a golden the\n"
    "picture differs from (and fails, naming it); 0 or unset compares.\n";

constexpr int kDefaultTimeoutSeconds = 100;

struct CommandLine {
    std::string mode;
    CheckOptions check;
    int timeoutSeconds = kDefaultTimeoutSeconds;
    std::string golden;
    std::string screenshot;
    std::string report;
    std::vector<std::string> rest;  // compare: the two pictures; test: the program and options
};

int Refuse(const std::string& why) {
    std::fprintf(stderr, "nuvik-golden: %s\n%s", why.c_str(), kUsage);
    return 2;
}

bool TakeValue(std::string_view argument, std::string_view name, std::string* value) {
    if (argument.substr(0, name.size()) != name)
        return false;
    *value = std::string(argument.substr(name.size()));
    return true;
}

// Empty on success, otherwise what is wrong.
std::string Parse(int argc, char** argv, CommandLine* line) {
    if (argc < 2)
        return "no mode given";
    line->mode = argv[1];
    if (line->mode != "compare" && line->mode != "test")
        return "unknown mode '" + line->mode + "'";
    int at = 2;
    for (; at < argc; ++at) {
        std::string_view argument = argv[at];
        std::string value;
        if (argument == "--") {
            ++at;
            break;
        }
        if (argument.substr(0, 2) != "--") {
            if (line->mode == "test")
                return "the program comes after --";
            line->rest.emplace_back(argument);
        } else if (TakeValue(argument, "--area=", &value)) {
            if (value != "console" && value != "screen")
                return "--area=" + value + ": the area is console or screen";
            line->check.area = value == "console" ? Area::kConsole : Area::kScreen;
        } else if (line->mode == "test" && TakeValue(argument, "--timeout=", &value)) {
            char* end = nullptr;
            long seconds = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || seconds < 1 || seconds > 3600)
                return "--timeout=" + value + ": whole seconds from 1 to 3600";
            line->timeoutSeconds = static_cast<int>(seconds);
        } else if (line->mode == "test" && TakeValue(argument, "--golden=", &line->golden)) {
        } else if (line->mode == "test" &&
                   TakeValue(argument, "--screenshot=", &line->screenshot)) {
        } else if (line->mode == "test" && TakeValue(argument, "--report=", &line->report)) {
        } else {
            return "unknown option " + std::string(argument);
        }
    }
    if (line->mode == "compare") {
        if (at < argc || line->rest.size() != 2)
            return "compare takes a screenshot and a golden";
        line->golden = line->rest[1];
        return {};
    }
    for (; at < argc; ++at)
        line->rest.emplace_back(argv[at]);
    if (line->golden.empty() || line->screenshot.empty() || line->report.empty())
        return "test needs --golden, --screenshot and --report";
    if (line->rest.empty())
        return "test needs the program after --";
    return {};
}

// NUVIK_UPDATE_GOLDENS: nothing when the value is not understood.
std::optional<bool> UpdateRequested(std::string* value) {
    const char* set = std::getenv("NUVIK_UPDATE_GOLDENS");
    *value = set != nullptr ? set : "";
    std::string lower;
    for (char c : *value)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.empty() || lower == "0" || lower == "false" || lower == "no" || lower == "off")
        return false;
    if (lower == "1" || lower == "true" || lower == "yes" || lower == "on")
        return true;
    return std::nullopt;
}

int Report(const CheckResult& result) {
    std::fprintf(result.passed ? stdout : stderr, "%s\n", result.message.c_str());
    return result.passed ? 0 : 1;
}

int Test(const CommandLine& line) {
    std::vector<std::string> command = line.rest;
    command.push_back("--screenshot=" + line.screenshot);
    command.push_back("--report=" + line.report);
    std::remove(line.screenshot.c_str());
    const std::string& program = command.front();
    nuvik::golden::RunOutcome run = nuvik::golden::RunProgram(command, line.timeoutSeconds);
    if (!run.started) {
        std::fprintf(stderr, "%s %s\n", program.c_str(), Describe(run).c_str());
        return 1;
    }
    if (run.timedOut) {
        std::fprintf(stderr,
                     "%s did not end within %d s and was stopped: the test's script must "
                     "close it (a `close` line, or a key that makes it quit) or RUN_FOR must "
                     "end the run\n",
                     program.c_str(), line.timeoutSeconds);
        return 1;
    }
    if (std::FILE* file = std::fopen(line.screenshot.c_str(), "rb")) {
        std::fclose(file);
    } else {
        std::fprintf(stderr, "%s %s and wrote no screenshot; its report: %s\n", program.c_str(),
                     Describe(run).c_str(), line.report.c_str());
        return 1;
    }
    int status = Report(nuvik::golden::CheckGolden(line.screenshot, line.golden, line.check));
    if (run.exitStatus != 0) {
        std::fprintf(stderr, "%s %s; its report: %s\n", program.c_str(), Describe(run).c_str(),
                     line.report.c_str());
        return 1;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    if (std::string wrong = Parse(argc, argv, &line); !wrong.empty())
        return Refuse(wrong);
    std::string value;
    std::optional<bool> update = UpdateRequested(&value);
    if (!update) {
        std::fprintf(stderr,
                     "nuvik-golden: NUVIK_UPDATE_GOLDENS=%s is not understood: 1 rewrites the "
                     "goldens a run differs from, 0 or unset compares\n",
                     value.c_str());
        return 2;
    }
    line.check.update = *update;
    if (line.mode == "compare")
        return Report(nuvik::golden::CheckGolden(line.rest[0], line.golden, line.check));
    return Test(line);
}
