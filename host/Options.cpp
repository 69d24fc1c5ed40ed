#include "host/Options.h"

#include <cstdlib>
#include <string_view>

#include "host/Numbers.h"
#include "win32/platform/Installation.h"

namespace nuvik::host {

namespace {

constexpr std::uint64_t kMaxTick = 0xFFFFFFFFu;

struct Argument {
    std::string_view name;  // "--window"
    bool hasValue = false;  // an '=' was given
    std::string_view value;
};

Argument Split(std::string_view text) {
    Argument argument;
    std::size_t equals = text.find('=');
    argument.name = text.substr(0, equals);
    if (equals != std::string_view::npos) {
        argument.hasValue = true;
        argument.value = text.substr(equals + 1);
    }
    return argument;
}

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

// One option; false with `error` set when it is refused.
bool ApplyOption(const Argument& arg, const std::string& whole, Options* options,
                 std::string* error) {
    auto noValue = [&]() {
        if (arg.hasValue)
            return Fail(error, "option " + std::string(arg.name) + " takes no value (got " +
                                   Quoted(whole) + ")");
        return true;
    };
    auto needsValue = [&](const char* what) {
        if (!arg.hasValue || arg.value.empty())
            return Fail(error, "option " + std::string(arg.name) +
                                   " needs a value: " + std::string(arg.name) + "=" + what);
        return true;
    };

    if (arg.name == "--help") {
        options->help = true;
        return noValue();
    }
    if (arg.name == "--headless") {
        options->host = HostKind::Headless;
        return noValue();
    }
    if (arg.name == "--busy-loop") {
        options->busyLoop = true;
        return noValue();
    }
    if (arg.name == "--speed") {
        if (!needsValue("FACTOR"))
            return false;
        std::string text(arg.value);
        char* end = nullptr;
        double factor = text.empty() ? 0 : std::strtod(text.c_str(), &end);
        if (text.empty() || end != text.c_str() + text.size() || !(factor >= 0.25 && factor <= 8))
            return Fail(error, "bad speed " + Quoted(arg.value) +
                                   ": --speed takes a factor from 0.25 to 8 (1 is normal)");
        options->speed = factor;
        return true;
    }
    if (arg.name == "--pad") {
        if (!needsValue("BUTTON=KEY,..."))
            return false;
        std::string why;
        if (!ParsePadMapping(arg.value, &options->padMapping, &why))
            return Fail(error, why);
        return true;
    }
    if (arg.name == "--record") {
        if (!needsValue("FILE.gif"))
            return false;
        options->recordPath = std::string(arg.value);
        return true;
    }
    if (arg.name == "--record-area") {
        if (!needsValue("screen|console"))
            return false;
        if (arg.value != "screen" && arg.value != "console")
            return Fail(error, "bad recording area " + Quoted(arg.value) +
                                   ": --record-area takes screen or console");
        options->recordConsoleOnly = arg.value == "console";
        return true;
    }
    if (arg.name == "--captures") {
        if (!needsValue("DIR"))
            return false;
        options->capturesDir = std::string(arg.value);
        return true;
    }
    if (arg.name == "--version") {
        options->version = true;
        return noValue();
    }
    if (arg.name == "--scale") {
        if (!needsValue("fit|integer"))
            return false;
        if (arg.value == "integer")
            options->scaling = Scaling::Integer;
        else if (arg.value == "fit")
            options->scaling = Scaling::Fit;
        else
            return Fail(error, "bad scale " + Quoted(arg.value) + ": --scale takes fit or integer");
        return true;
    }
    if (arg.name == "--filter") {
        if (!needsValue("nearest|linear"))
            return false;
        if (arg.value == "nearest")
            options->filtering = Filtering::Nearest;
        else if (arg.value == "linear")
            options->filtering = Filtering::Linear;
        else
            return Fail(error,
                        "bad filter " + Quoted(arg.value) + ": --filter takes nearest or linear");
        return true;
    }
    if (arg.name == "--window") {
        options->windowed = true;
        options->windowScale = 1;
        options->windowScaleGiven = true;
        if (!arg.hasValue)
            return true;
        std::uint64_t scale = 0;
        if (!ParseDecimal(arg.value, 8, &scale) || scale < 1)
            return Fail(error, "bad window scale " + Quoted(arg.value) +
                                   ": --window=SCALE takes a whole number from 1 to 8");
        options->windowScale = static_cast<int>(scale);
        return true;
    }
    if (arg.name == "--virtual-clock") {
        options->virtualClock = true;
        options->clockStartMs = 0;
        if (!arg.hasValue)
            return true;
        std::uint64_t start = 0;
        if (!ParseDecimalOrHex(arg.value, kMaxTick, &start))
            return Fail(error, "bad clock start " + Quoted(arg.value) +
                                   ": --virtual-clock=START takes a tick from 0 to 4294967295 "
                                   "(decimal or 0x hexadecimal)");
        options->clockStartMs = static_cast<std::uint32_t>(start);
        return true;
    }
    if (arg.name == "--run-for") {
        if (!needsValue("MS"))
            return false;
        std::uint64_t ms = 0;
        if (!ParseDecimal(arg.value, kMaxTick, &ms))
            return Fail(error, "bad duration " + Quoted(arg.value) +
                                   ": --run-for=MS takes milliseconds from 0 to 4294967295");
        options->runForMs = static_cast<std::uint32_t>(ms);
        return true;
    }
    if (arg.name == "--script") {
        if (!needsValue("FILE"))
            return false;
        options->scriptPath = std::string(arg.value);
        return true;
    }
    if (arg.name == "--screenshot") {
        if (!needsValue("PATH"))
            return false;
        options->screenshotPath = std::string(arg.value);
        return true;
    }
    if (arg.name == "--report") {
        if (!needsValue("PATH"))
            return false;
        options->reportPath = std::string(arg.value);
        return true;
    }
    if (arg.name == "--dx") {
        if (!needsValue("VERSION"))
            return false;
        DWORD code = 0;
        if (!win32::installation::ParseDirectXVersion(arg.value, &code))
            return Fail(error, "unknown DirectX version " + Quoted(arg.value) +
                                   ": --dx takes 0, 1, 2, 3, 5, 6, 6.1, 7, 8.0 or 8.1");
        options->directXVersion = code;
        return true;
    }
    if (arg.name == "--display-format") {
        if (!needsValue("565|555|0xMASK"))
            return false;
        if (!ParseDisplayFormat(arg.value, &options->redMask16))
            return Fail(error, "bad display format " + Quoted(arg.value) +
                                   ": --display-format takes 565, 555 or a red mask such as "
                                   "0xF800 (up to 8 hexadecimal digits)");
        return true;
    }
    return Fail(error, "unknown option " + Quoted(whole) + " (--help lists the options)");
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, Options* options, std::string* error) {
    Options parsed;
    for (const std::string& whole : arguments) {
        if (whole.size() < 3 || whole.compare(0, 2, "--") != 0) {
            if (whole == "-h")
                parsed.help = true;
            else
                return Fail(error, "unexpected argument " + Quoted(whole) +
                                       ": the runner takes only options (--help lists them)");
            continue;
        }
        if (!ApplyOption(Split(whole), whole, &parsed, error))
            return false;
    }
    if (parsed.windowed && parsed.host == HostKind::Headless)
        return Fail(error, "--window and --headless cannot be used together");
    *options = std::move(parsed);
    return true;
}

std::string HelpText(const std::string& programName) {
    return "Usage: " + programName +
           " [OPTION]...\n"
           "Runs a Nuvik SDK program on this desktop. The options change the platform underneath\n"
           "the program, never the program itself.\n"
           "\n"
           "  (no option)              full screen (picture scaled, aspect kept; the monitor's\n"
           "                           mode is not changed)\n"
           "  --window[=SCALE]         in a window instead, at a whole scale from 1 to 8\n"
           "                           (default 1)\n"
           "  --headless               no window at all: the screen stays in memory\n"
           "  --scale=MODE             how the screen fills a larger window or monitor: integer\n"
           "                           (the default: the largest whole multiple, centred on\n"
           "                           black) or fit (as large as it goes, aspect kept)\n"
           "  --filter=FILTER          nearest (the default: sharp pixels) or linear (smoothed)\n"
           "  --speed=FACTOR           run the program's clock FACTOR times as fast (0.25 to 8;\n"
           "                           real clock only): its frames come that much more often\n"
           "  --pad=BUTTON=KEY,...     map game controller buttons to keys (KEY: the script's\n"
           "                           key names; BUTTON: a b x y back guide start leftstick\n"
           "                           rightstick leftshoulder rightshoulder dpup dpdown\n"
           "                           dpleft dpright). By default the D-pad and the left\n"
           "                           stick are the arrows, A is Z, B is X, Start is Enter\n"
           "                           and Back is Space\n"
           "  --record=FILE.gif        record every change of the screen as an animated GIF,\n"
           "                           each frame as long as the program's clock kept it\n"
           "  --record-area=AREA       screen (the whole 640 x 480, the default) or console\n"
           "                           (only the console's 320 x 240 screen)\n"
           "  --captures=DIR           where F12 writes screenshots (default: the pictures\n"
           "                           folder's Nuvik/, or ./captures)\n"
           "  --virtual-clock[=START]  the millisecond tick starts at START (default 0; decimal\n"
           "                           or 0x hexadecimal) and advances by exactly 1 on every\n"
           "                           message-loop pass that finds no message, never by itself:\n"
           "                           runs are reproducible to the pixel\n"
           "  --busy-loop              on the real clock, never rest: the message loop spins\n"
           "                           between ticks as on the original platform (a whole\n"
           "                           processor core); by default the runner sleeps until the\n"
           "                           next millisecond once the program has seen the current one\n"
           "  --run-for=MS             after MS ticks, ask the main window to close (as its\n"
           "                           window manager would)\n"
           "  --script=FILE            timed input, one event a line (see below)\n"
           "  --screenshot=PATH        write the screen (640 x 480, as shown) as PNG at the end\n"
           "  --dx=VERSION             the DirectX installation to simulate: 0, 1, 2, 3, 5, 6,\n"
           "                           6.1, 7, 8.0 or 8.1 (default 8.1)\n"
           "  --display-format=FORMAT  the red mask the display reports at 16 bits per pixel:\n"
           "                           565 (0xF800, the default), 555 (0x7C00) or 0xMASK\n"
           "  --report=PATH            write a JSON report at the end: exit_code,\n"
           "                           frames_presented, frame_step, target_fps, shown_fps\n"
           "                           (every rate the screen showed, in order),\n"
           "                           frame_interval_ms (count, p50, p99 and max of the ticks\n"
           "                           between presented frames, once two were presented),\n"
           "                           message_boxes\n"
           "                           (caption, text, at_ms: ticks since the start of the run)\n"
           "                           and trace (debugger lines); texts in UTF-8\n"
           "  --help                   show this text and exit\n"
           "  --version                show the runner's version and exit\n"
           "\n"
           "Script lines (AT_MS: ticks since the start of the run; X Y: screen pixels, 0..639\n"
           "and 0..479; '#' starts a comment; lines in time order):\n"
           "  AT_MS key NAME down|up          NAME: escape enter space tab left right up down\n"
           "                                  home end pageup pagedown shift ctrl alt pause "
           "f1..f12\n"
           "                                  a..z 0..9\n"
           "  AT_MS pad BUTTON down|up        a game controller's button, as its key\n"
           "  AT_MS mouse move X Y\n"
           "  AT_MS mouse down left|right X Y\n"
           "  AT_MS mouse up left|right X Y\n"
           "  AT_MS click X Y                 move there, left button down and up\n"
           "  AT_MS minimize | restore | close\n"
           "  AT_MS screenshot PATH           write the screen as PNG\n"
           "\n"
           "Keys of the runner itself (the program never sees them; scripts reach them by the\n"
           "same key names):\n"
           "  Pause                           pause the program (its clock stops, its input\n"
           "                                  waits) or go on\n"
           "  F8                              while paused: run to the next presented frame\n"
           "  F3                              show or hide the overlay: the real presented rate,\n"
           "                                  the time a frame took, the processor share\n"
           "  Tab (held)                      fast-forward: the program's clock at 4x\n"
           "  F11                             switch between full screen and a window (at the\n"
           "                                  --window scale, 2 if none was given)\n"
           "  F12                             write the screen as PNG into the captures folder\n"
           "  F9                              start or stop a GIF recording into the captures\n"
           "                                  folder\n"
           "\n"
           "Without --headless, a message box waits for you. With --headless it is drawn into\n"
           "the screen and closed by the script (Enter, Space, Escape or a click on OK) or\n"
           "otherwise by Enter 500 ticks after it appeared.\n"
           "\n"
           "Exit status: the program's own (0 for a normal end); 1 when no window can be opened\n"
           "or an output file cannot be written; 2 for a bad option or script line.\n";
}

std::string VersionText(const std::string& programName) {
    return programName + " " NUVIK_VERSION_TEXT
                         " (Nuvik SDK Ver 0.2 runner; SDL2 window, FreeType text)\n";
}

}  // namespace nuvik::host
