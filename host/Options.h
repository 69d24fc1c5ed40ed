// The runner's command line: options that change the platform the system runs on, never the
// system itself.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/PadMapping.h"
#include "host/sdl/Viewport.h"

namespace nuvik::host {

enum class HostKind { Sdl, Headless };
enum class Filtering { Nearest, Linear };

struct Options {
    HostKind host = HostKind::Sdl;
    bool windowed = false;
    int windowScale = 1;  // 1..8, meaningful when windowed
    bool windowScaleGiven = false;
    ScaleMode scaling = ScaleMode::Integer;
    Filtering filtering = Filtering::Nearest;
    bool virtualClock = false;
    std::uint32_t clockStartMs = 0;
    // On the real clock, let the message loop spin instead of resting between ticks.
    bool busyLoop = false;
    double speed = 1.0;       // 0.25..8, the program's pace on the real clock
    std::string capturesDir;  // empty: the default captures folder
    PadMapping padMapping;    // game controller buttons to keys
    std::string recordPath;   // --record: a GIF of the whole run
    bool recordConsoleOnly = false;
    std::string recordInputPath;  // --record-input: everything the input did, as a script
    std::optional<std::uint32_t> runForMs;
    std::string scriptPath;
    std::string screenshotPath;
    std::uint32_t directXVersion = 0x801;  // major << 8 | minor
    std::uint32_t redMask16 = 0xF800;
    std::string reportPath;
    bool help = false;
    bool version = false;
};

// Parses the arguments after the program name. False with a message naming the offending
// argument when one is unknown, lacks a required value or has a bad one.
bool ParseOptions(const std::vector<std::string>& arguments, Options* options, std::string* error);

// One option of the runner, declared once: the parser, --help and the README's table are made
// from these.
struct OptionSpec {
    enum class Value { None, Optional, Required };

    std::string_view name;          // "--window"
    Value value;                    // whether it takes "=VALUE"
    std::string_view syntax;        // what the value looks like ("SCALE"), empty when it takes none
    std::string_view defaultValue;  // what holds without the option; empty when nothing does
    std::string_view help;          // one paragraph, plain text
    // Applies the option; `given` tells "--x" from "--x=". False with `error` set to refuse.
    bool (*apply)(std::string_view value, bool given, Options* options, std::string* error);

    // "--window[=SCALE]", "--run-for=MS", "--headless".
    std::string Usage() const;
};

// A key of the runner itself (never one of the keys the program reads).
struct RunnerKeySpec {
    std::string_view key;  // as a person names it: "Pause", "Tab (held)"
    std::string_view help;
};

std::span<const OptionSpec> OptionTable();
std::span<const RunnerKeySpec> RunnerKeyTable();

// Every option and runner key with its help, the script's forms, the exit status, for --help.
std::string HelpText(const std::string& programName);
// The README's two tables, options and keys, as Markdown rows (no header rows).
std::string OptionsMarkdownRows();
std::string RunnerKeysMarkdownRows();
// One line for --version.
std::string VersionText(const std::string& programName);

}  // namespace nuvik::host
