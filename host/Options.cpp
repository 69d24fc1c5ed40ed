#include "host/Options.h"

#include <array>
#include <cstdlib>
#include <initializer_list>
#include <utility>

#include "host/Numbers.h"
#include "win32/platform/Installation.h"

namespace nuvik::host {

namespace {

using Value = OptionSpec::Value;

constexpr std::uint64_t kMaxTick = 0xFFFFFFFFu;

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    quoted.append(text);
    quoted += '\'';
    return quoted;
}

bool Fail(std::string* error, std::string message) {
    *error = std::move(message);
    return false;
}

bool ParseDisplayFormat(std::string_view value, std::uint32_t* mask) {
    if (value == "565") {
        *mask = 0xF800;
        return true;
    }
    if (value == "555") {
        *mask = 0x7C00;
        return true;
    }
    std::uint64_t parsed = 0;
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X') &&
        ParseDecimalOrHex(value, 0xFFFFFFFFu, &parsed)) {
        *mask = static_cast<std::uint32_t>(parsed);
        return true;
    }
    return false;
}

// The parse functions of the table. Options that take a required value are called only with a
// non-empty one; the table's parser answers for a missing value and for a value given to an
// option that takes none.

bool SetHelp(std::string_view, bool, Options* o, std::string*) {
    o->help = true;
    return true;
}

bool SetVersion(std::string_view, bool, Options* o, std::string*) {
    o->version = true;
    return true;
}

bool SetWindow(std::string_view value, bool given, Options* o, std::string* error) {
    o->windowed = true;
    o->windowScale = 1;
    o->windowScaleGiven = true;
    if (!given)
        return true;
    std::uint64_t scale = 0;
    if (!ParseDecimal(value, 8, &scale) || scale < 1)
        return Fail(error, "bad window scale " + Quoted(value) +
                               ": --window=SCALE takes a whole number from 1 to 8");
    o->windowScale = static_cast<int>(scale);
    return true;
}

bool SetHeadless(std::string_view, bool, Options* o, std::string*) {
    o->host = HostKind::Headless;
    return true;
}

// The value among `choices` named `value`; false when none is.
template <typename T>
bool Choose(std::string_view value, std::initializer_list<std::pair<std::string_view, T>> choices,
            T* chosen) {
    for (const auto& [name, choice] : choices) {
        if (value == name) {
            *chosen = choice;
            return true;
        }
    }
    return false;
}

bool SetScale(std::string_view value, bool, Options* o, std::string* error) {
    if (!Choose(value, {{"integer", ScaleMode::Integer}, {"fit", ScaleMode::Fit}}, &o->scaling))
        return Fail(error, "bad scale " + Quoted(value) + ": --scale takes fit or integer");
    return true;
}

bool SetFilter(std::string_view value, bool, Options* o, std::string* error) {
    if (!Choose(value, {{"nearest", Filtering::Nearest}, {"linear", Filtering::Linear}},
                &o->filtering))
        return Fail(error, "bad filter " + Quoted(value) + ": --filter takes nearest or linear");
    return true;
}

bool SetSpeed(std::string_view value, bool, Options* o, std::string* error) {
    std::string text(value);
    char* end = nullptr;
    double factor = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(factor >= 0.25 && factor <= 8))
        return Fail(error, "bad speed " + Quoted(value) +
                               ": --speed takes a factor from 0.25 to 8 (1 is normal)");
    o->speed = factor;
    return true;
}

bool SetRecord(std::string_view value, bool, Options* o, std::string*) {
    o->recordPath = std::string(value);
    return true;
}

bool SetRecordArea(std::string_view value, bool, Options* o, std::string* error) {
    if (!Choose(value, {{"screen", false}, {"console", true}}, &o->recordConsoleOnly))
        return Fail(error, "bad recording area " + Quoted(value) +
                               ": --record-area takes screen or console");
    return true;
}

bool SetRecordInput(std::string_view value, bool, Options* o, std::string*) {
    o->recordInputPath = std::string(value);
    return true;
}

bool SetPad(std::string_view value, bool, Options* o, std::string* error) {
    return ParsePadMapping(value, &o->padMapping, error);
}

bool SetCaptures(std::string_view value, bool, Options* o, std::string*) {
    o->capturesDir = std::string(value);
    return true;
}

bool SetVirtualClock(std::string_view value, bool given, Options* o, std::string* error) {
    o->virtualClock = true;
    o->clockStartMs = 0;
    if (!given)
        return true;
    std::uint64_t start = 0;
    if (!ParseDecimalOrHex(value, kMaxTick, &start))
        return Fail(error, "bad clock start " + Quoted(value) +
                               ": --virtual-clock=START takes a tick from 0 to 4294967295 "
                               "(decimal or 0x hexadecimal)");
    o->clockStartMs = static_cast<std::uint32_t>(start);
    return true;
}

bool SetBusyLoop(std::string_view, bool, Options* o, std::string*) {
    o->busyLoop = true;
    return true;
}

bool SetRunFor(std::string_view value, bool, Options* o, std::string* error) {
    std::uint64_t ms = 0;
    if (!ParseDecimal(value, kMaxTick, &ms))
        return Fail(error, "bad duration " + Quoted(value) +
                               ": --run-for=MS takes milliseconds from 0 to 4294967295");
    o->runForMs = static_cast<std::uint32_t>(ms);
    return true;
}

bool SetScript(std::string_view value, bool, Options* o, std::string*) {
    o->scriptPath = std::string(value);
    return true;
}

bool SetScreenshot(std::string_view value, bool, Options* o, std::string*) {
    o->screenshotPath = std::string(value);
    return true;
}

bool SetDirectX(std::string_view value, bool, Options* o, std::string* error) {
    DWORD code = 0;
    if (!win32::installation::ParseDirectXVersion(value, &code))
        return Fail(error, "unknown DirectX version " + Quoted(value) +
                               ": --dx takes 0, 1, 2, 3, 5, 6, 6.1, 7, 8.0 or 8.1");
    o->directXVersion = code;
    return true;
}

bool SetDisplayFormat(std::string_view value, bool, Options* o, std::string* error) {
    if (!ParseDisplayFormat(value, &o->redMask16))
        return Fail(error, "bad display format " + Quoted(value) +
                               ": --display-format takes 565, 555 or a red mask such as "
                               "0xF800 (up to 8 hexadecimal digits)");
    return true;
}

bool SetReport(std::string_view value, bool, Options* o, std::string*) {
    o->reportPath = std::string(value);
    return true;
}

// In the order --help and the README list them.
constexpr std::array kOptions{
    OptionSpec{"--window", Value::Optional, "SCALE", "",
               "in a window instead of full screen, at a whole scale from 1 to 8 (1 when no "
               "scale is given)",
               SetWindow},
    OptionSpec{"--headless", Value::None, "", "", "no window at all: the screen stays in memory",
               SetHeadless},
    OptionSpec{"--scale", Value::Required, "integer|fit", "integer",
               "how the screen fills a larger window or monitor: the largest whole multiple "
               "centred on black (1280 x 960 at (320, 60) on 1920 x 1080), or as large as it "
               "goes with the aspect kept (1440 x 1080)",
               SetScale},
    OptionSpec{"--filter", Value::Required, "nearest|linear", "nearest",
               "sharp pixels or smoothed when scaled", SetFilter},
    OptionSpec{"--speed", Value::Required, "FACTOR", "1",
               "the program's clock at FACTOR times the real pace (0.25 to 8, real clock only): "
               "its own rate line still reads 36, while twice as many frames reach the screen "
               "at 2",
               SetSpeed},
    OptionSpec{"--record", Value::Required, "FILE.gif", "",
               "record every change of the screen as an animated GIF, each frame as long as the "
               "program's clock kept it (the same script on the virtual clock gives the same "
               "bytes)",
               SetRecord},
    OptionSpec{"--record-area", Value::Required, "screen|console", "screen",
               "what a recording holds: the whole 640 x 480 picture or only the console's 320 x "
               "240 screen",
               SetRecordArea},
    OptionSpec{"--record-input", Value::Required, "FILE", "",
               "write every key, click, pad button (as its key), window request and runner key "
               "that reaches the program or the runner, with its tick, into FILE as a script "
               "that --script replays (line by line as it happens: a run that ends in any way "
               "leaves it complete); recorded in a window on the virtual clock, it replays "
               "headless to the same report and pixels",
               SetRecordInput},
    OptionSpec{"--pad", Value::Required, "BUTTON=KEY,...", "",
               "game controller buttons as keys (KEY: the script's key names; BUTTON: a b x y "
               "back guide start leftstick rightstick leftshoulder rightshoulder dpup dpdown "
               "dpleft dpright); by default the D-pad and the left stick are the arrows, A is "
               "Z, B is X, Start is Enter and Back is Space",
               SetPad},
    OptionSpec{"--captures", Value::Required, "DIR", "the pictures folder's Nuvik/, or ./captures",
               "where F12 writes screenshots, F9 recordings and F7 input scripts (the pictures "
               "folder comes from XDG_PICTURES_DIR or user-dirs.dirs)",
               SetCaptures},
    OptionSpec{"--virtual-clock", Value::Optional, "START", "",
               "the millisecond tick starts at START (0 when none is given; decimal or 0x "
               "hexadecimal) and advances by exactly 1 on every message-loop pass that finds "
               "no message, never by itself: runs are reproducible to the pixel; in a window "
               "the tick never runs ahead of real time, so that a person can play, and the "
               "window's input reaches the program between ticks",
               SetVirtualClock},
    OptionSpec{"--busy-loop", Value::None, "", "",
               "on the real clock, never rest: the message loop spins between ticks as on the "
               "original platform (a whole processor core); by default the runner sleeps until "
               "the next millisecond once the program has seen the current one",
               SetBusyLoop},
    OptionSpec{"--run-for", Value::Required, "MS", "",
               "after MS ticks, ask the main window to close, as a window manager would",
               SetRunFor},
    OptionSpec{"--script", Value::Required, "FILE", "",
               "timed input, one event a line (the forms are listed below)", SetScript},
    OptionSpec{"--screenshot", Value::Required, "PATH", "",
               "write the screen (640 x 480, as shown) as PNG at the end", SetScreenshot},
    OptionSpec{"--dx", Value::Required, "VERSION", "8.1",
               "the DirectX installation to simulate: 0, 1, 2, 3, 5, 6, 6.1, 7, 8.0 or 8.1; "
               "below 8.0 the program refuses to run",
               SetDirectX},
    OptionSpec{"--display-format", Value::Required, "565|555|0xMASK", "565",
               "the red mask a 16-bit display reports: 565 (0xF800), 555 (0x7C00) or any mask",
               SetDisplayFormat},
    OptionSpec{"--report", Value::Required, "PATH", "",
               "write a JSON report at the end: exit_code, frames_presented, frame_step, "
               "target_fps, shown_fps (every rate the screen showed, in order), "
               "frame_interval_ms (count, p50, p99 and max of the ticks between presented "
               "frames, once two were presented), message_boxes (caption, text, at_ms: ticks "
               "since the start of the run) and trace (debugger lines); texts in UTF-8",
               SetReport},
    OptionSpec{"--help", Value::None, "", "", "show this text and exit (also -h)", SetHelp},
    OptionSpec{"--version", Value::None, "", "", "show the runner's version and exit", SetVersion},
};

constexpr std::array kRunnerKeys{
    RunnerKeySpec{"Pause",
                  "pause the program: its clock stops, no frame is drawn, keys and clicks wait "
                  "and reach it in order when it goes on; Pause again to go on"},
    RunnerKeySpec{"F8", "while paused: run the program to its next presented frame"},
    RunnerKeySpec{"Tab (held)", "fast-forward: the program's clock at 4x"},
    RunnerKeySpec{"F3",
                  "show or hide an overlay with the real presented rate, the time a frame took "
                  "and the processor share (over the picture, never in screenshots)"},
    RunnerKeySpec{"F11",
                  "switch between full screen and a window (at the --window scale, 2 if none "
                  "was given)"},
    RunnerKeySpec{"F12",
                  "write the screen as PNG into the captures folder (nuvik-DATE-TIME-N.png, "
                  "never overwriting; one line on standard error names it)"},
    RunnerKeySpec{"F9", "start or stop a GIF recording into the captures folder"},
    RunnerKeySpec{"F7",
                  "start or stop recording the input as a script into the captures folder "
                  "(nuvik-DATE-TIME-N.txt; one line on standard error names it): ticks count "
                  "from the start of the run"},
};

const OptionSpec* FindOption(std::string_view name) {
    for (const OptionSpec& option : kOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

// Applies one "--name[=value]" argument through its entry in the table.
bool ApplyArgument(const std::string& whole, Options* options, std::string* error) {
    const std::size_t equals = whole.find('=');
    const std::string_view text = whole;
    const std::string_view name = text.substr(0, equals);
    const bool given = equals != std::string::npos;
    const std::string_view value = given ? text.substr(equals + 1) : std::string_view();

    const OptionSpec* option = FindOption(name);
    if (option == nullptr)
        return Fail(error, "unknown option " + Quoted(whole) + " (--help lists the options)");
    switch (option->value) {
        case Value::None:
            if (given)
                return Fail(error, "option " + std::string(name) + " takes no value (got " +
                                       Quoted(whole) + ")");
            break;
        case Value::Required:
            if (value.empty())
                return Fail(error,
                            "option " + std::string(name) + " needs a value: " + option->Usage());
            break;
        case Value::Optional:
            break;
    }
    return option->apply(value, given, options, error);
}

// `text` broken into lines of at most `width` characters at spaces, each line but the first
// indented by `indent` spaces, ending in a newline.
std::string Wrapped(std::string_view text, std::size_t width, std::size_t indent) {
    std::string out;
    std::size_t lineLength = 0;
    while (!text.empty()) {
        std::size_t space = text.find(' ');
        std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            out += '\n';
            out.append(indent, ' ');
            lineLength = 0;
        } else if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out.append(word);
        lineLength += word.size();
    }
    out += '\n';
    return out;
}

// One entry of --help: the name in a column of its own, the text wrapped beside it.
std::string HelpEntry(std::string_view left, std::string_view text) {
    constexpr std::size_t kColumn = 28;
    constexpr std::size_t kWidth = 80;
    std::string entry = "  ";
    entry.append(left);
    if (entry.size() + 2 > kColumn) {
        entry += '\n';
        entry.append(kColumn, ' ');
    } else {
        entry.append(kColumn - entry.size(), ' ');
    }
    return entry + Wrapped(text, kWidth - kColumn, kColumn);
}

std::string HelpOf(const OptionSpec& option) {
    std::string text(option.help);
    if (!option.defaultValue.empty())
        text += " (default: " + std::string(option.defaultValue) + ")";
    return text;
}

// A Markdown table cell: '|' would end it.
std::string MarkdownCell(std::string_view text) {
    std::string cell;
    for (char c : text) {
        if (c == '|')
            cell += '\\';
        cell += c;
    }
    return cell;
}

}  // namespace

std::string OptionSpec::Usage() const {
    std::string usage(name);
    switch (value) {
        case Value::None:
            break;
        case Value::Optional:
            usage += "[=" + std::string(syntax) + "]";
            break;
        case Value::Required:
            usage += "=" + std::string(syntax);
            break;
    }
    return usage;
}

std::span<const OptionSpec> OptionTable() {
    return kOptions;
}

std::span<const RunnerKeySpec> RunnerKeyTable() {
    return kRunnerKeys;
}

bool ParseOptions(const std::vector<std::string>& arguments, Options* options, std::string* error) {
    Options parsed;
    for (const std::string& whole : arguments) {
        if (whole == "-h") {
            parsed.help = true;
            continue;
        }
        if (whole.size() < 3 || whole.compare(0, 2, "--") != 0)
            return Fail(error, "unexpected argument " + Quoted(whole) +
                                   ": the runner takes only options (--help lists them)");
        if (!ApplyArgument(whole, &parsed, error))
            return false;
    }
    if (parsed.windowed && parsed.host == HostKind::Headless)
        return Fail(error, "--window and --headless cannot be used together");
    *options = std::move(parsed);
    return true;
}

std::string HelpText(const std::string& programName) {
    std::string help = "Usage: " + programName +
                       " [OPTION]...\n"
                       "Runs a Nuvik SDK program on this desktop. The options change the "
                       "platform underneath\n"
                       "the program, never the program itself.\n"
                       "\n"
                       "Options:\n";
    help += HelpEntry("(no option)",
                      "full screen, the 640 x 480 picture scaled with its aspect kept (the "
                      "monitor's mode is not changed)");
    for (const OptionSpec& option : kOptions)
        help += HelpEntry(option.Usage(), HelpOf(option));
    help +=
        "\n"
        "Script lines (AT_MS: ticks since the start of the run; X Y: screen pixels, 0..639\n"
        "and 0..479; '#' starts a comment; lines in time order):\n"
        "  AT_MS key NAME down|up          NAME: escape enter space tab left right up down\n"
        "                                  home end pageup pagedown shift ctrl alt pause\n"
        "                                  f1..f12 a..z 0..9\n"
        "  AT_MS pad BUTTON down|up        a game controller's button, as its key\n"
        "  AT_MS mouse move X Y\n"
        "  AT_MS mouse down left|right|middle X Y\n"
        "  AT_MS mouse up left|right|middle X Y\n"
        "  AT_MS click X Y                 move there, left button down and up\n"
        "  AT_MS minimize | restore | close\n"
        "  AT_MS screenshot PATH           write the screen as PNG\n"
        "\n"
        "Keys of the runner itself (the program never sees them; scripts reach them by the\n"
        "same key names):\n";
    for (const RunnerKeySpec& key : kRunnerKeys)
        help += HelpEntry(key.key, key.help);
    help +=
        "\n"
        "Without --headless, a message box waits for you. With --headless it is drawn into\n"
        "the screen and closed by the script (Enter, Space, Escape or a click on OK) or\n"
        "otherwise by Enter 500 ticks after it appeared.\n"
        "\n"
        "Exit status: the program's own (0 for a normal end); 1 when no window can be opened\n"
        "or an output file cannot be written; 2 for a bad option or script line; 130 or 143\n"
        "when Ctrl-C or SIGTERM closed the main window; the signal's own status (139 for\n"
        "SIGSEGV) when the program crashed, after the report is written.\n";
    return help;
}

std::string OptionsMarkdownRows() {
    std::string rows;
    for (const OptionSpec& option : kOptions)
        rows +=
            "| `" + MarkdownCell(option.Usage()) + "` | " + MarkdownCell(HelpOf(option)) + " |\n";
    return rows;
}

std::string RunnerKeysMarkdownRows() {
    std::string rows;
    for (const RunnerKeySpec& key : kRunnerKeys)
        rows += "| " + MarkdownCell(key.key) + " | " + MarkdownCell(key.help) + " |\n";
    return rows;
}

std::string VersionText(const std::string& programName) {
    return programName + " " NUVIK_VERSION_TEXT
                         " (Nuvik SDK Ver 0.2 runner; SDL2 window, FreeType text)\n";
}

}  // namespace nuvik::host
