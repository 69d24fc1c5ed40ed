// The runner's command line: options that change the platform the system runs on, never the
// system itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/PadMapping.h"

namespace nuvik::host {

enum class HostKind { Sdl, Headless };
enum class Scaling { Integer, Fit };
enum class Filtering { Nearest, Linear };

struct Options {
    HostKind host = HostKind::Sdl;
    bool windowed = false;
    int windowScale = 1;  // 1..8, meaningful when windowed
    bool windowScaleGiven = false;
    Scaling scaling = Scaling::Integer;
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

// Every option, one or more lines each, for --help.
std::string HelpText(const std::string& programName);
// One line for --version.
std::string VersionText(const std::string& programName);

}  // namespace nuvik::host
