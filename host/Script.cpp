#include "host/Script.h"

#include <optional>

#include "host/PadMapping.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "host/Numbers.h"
#include "win32/constants.h"
#include "win32/platform/Framebuffer.h"

namespace nuvik::host {

namespace {

using Kind = ScriptEvent::Kind;
using win32::input::MouseButton;

struct Token {
    std::string_view text;
    std::size_t offset = 0;  // in the line, so that a path can take the rest of it
};

std::vector<Token> Tokenize(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t')
            ++at;
        if (at > start)
            tokens.push_back({line.substr(start, at - start), start});
    }
    return tokens;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    quoted.append(text);
    quoted += '\'';
    return quoted;
}

// Parses one line that holds an event; false with a message (without FILE:LINE).
class LineParser {
  public:
    LineParser(std::string_view line, std::vector<Token> tokens)
        : line_(line), tokens_(std::move(tokens)) {}

    bool Parse(ScriptEvent* event, std::string* error) {
        error_ = error;
        std::uint64_t at = 0;
        if (!ParseDecimal(tokens_[0].text, 0xFFFFFFFFu, &at))
            return Fail(
                "a line starts with its tick (whole milliseconds since the start of the "
                "run, 0 to 4294967295), not " +
                Quoted(tokens_[0].text));
        event->atMs = static_cast<std::uint32_t>(at);
        if (tokens_.size() < 2)
            return Fail(
                "nothing after the tick: expected key, pad, mouse, click, minimize, "
                "restore, close or screenshot");
        std::string_view what = tokens_[1].text;
        if (what == "key")
            return ParseKey(event);
        if (what == "pad")
            return ParsePad(event);
        if (what == "mouse")
            return ParseMouse(event);
        if (what == "click") {
            event->kind = Kind::Click;
            return ParsePoint(2, event) && End(4);
        }
        if (what == "minimize" || what == "restore" || what == "close") {
            event->kind = what == "minimize"  ? Kind::Minimize
                          : what == "restore" ? Kind::Restore
                                              : Kind::Close;
            return End(2);
        }
        if (what == "screenshot") {
            if (tokens_.size() < 3)
                return Fail("screenshot needs a file: AT_MS screenshot PATH");
            event->kind = Kind::Screenshot;
            event->path = std::string(TrimRight(line_.substr(tokens_[2].offset)));
            return true;
        }
        return Fail("unknown event " + Quoted(what) +
                    ": expected key, pad, mouse, click, minimize, restore, close or screenshot");
    }

  private:
    bool Fail(std::string message) {
        *error_ = std::move(message);
        return false;
    }

    bool End(std::size_t expectedTokens) {
        if (tokens_.size() > expectedTokens)
            return Fail("unexpected " + Quoted(tokens_[expectedTokens].text) +
                        " at the end of the line");
        return true;
    }

    bool ParseKey(ScriptEvent* event) {
        if (tokens_.size() < 4)
            return Fail("a key line reads AT_MS key NAME down (or up)");
        event->virtualKey = VirtualKeyFromName(tokens_[2].text);
        if (event->virtualKey < 0)
            return Fail("unknown key " + Quoted(tokens_[2].text) +
                        ": key names are escape, enter, space, tab, left, right, up, down, "
                        "home, end, pageup, pagedown, shift, ctrl, alt, pause, f1 to f12, a to z "
                        "and 0 to 9, in lower case");
        std::string_view direction = tokens_[3].text;
        if (direction == "down")
            event->kind = Kind::KeyDown;
        else if (direction == "up")
            event->kind = Kind::KeyUp;
        else
            return Fail("expected down or up after the key name, not " + Quoted(direction));
        return End(4);
    }

    bool ParsePad(ScriptEvent* event) {
        if (tokens_.size() < 4)
            return Fail("a pad line reads AT_MS pad BUTTON down (or up)");
        std::optional<PadButton> button = PadButtonFromName(tokens_[2].text);
        if (!button)
            return Fail("unknown pad button " + Quoted(tokens_[2].text) +
                        ": buttons are a, b, x, y, back, guide, start, leftstick, rightstick, "
                        "leftshoulder, rightshoulder, dpup, dpdown, dpleft and dpright");
        event->padButton = static_cast<int>(*button);
        std::string_view direction = tokens_[3].text;
        if (direction == "down")
            event->kind = Kind::PadDown;
        else if (direction == "up")
            event->kind = Kind::PadUp;
        else
            return Fail("expected down or up after the pad button, not " + Quoted(direction));
        return End(4);
    }

    bool ParseMouse(ScriptEvent* event) {
        if (tokens_.size() < 3)
            return Fail(
                "a mouse line reads AT_MS mouse move X Y, or AT_MS mouse down (or up) "
                "left (or right, middle) X Y");
        std::string_view action = tokens_[2].text;
        if (action == "move") {
            event->kind = Kind::MouseMove;
            return ParsePoint(3, event) && End(5);
        }
        if (action != "down" && action != "up")
            return Fail("expected move, down or up after mouse, not " + Quoted(action));
        event->kind = action == "down" ? Kind::MouseDown : Kind::MouseUp;
        if (tokens_.size() < 4)
            return Fail("mouse " + std::string(action) + " needs a button: left, right or middle");
        std::string_view button = tokens_[3].text;
        if (button == "left")
            event->button = MouseButton::Left;
        else if (button == "right")
            event->button = MouseButton::Right;
        else if (button == "middle")
            event->button = MouseButton::Middle;
        else
            return Fail("expected left, right or middle after mouse " + std::string(action) +
                        ", not " + Quoted(button));
        return ParsePoint(4, event) && End(6);
    }

    bool ParsePoint(std::size_t first, ScriptEvent* event) {
        if (tokens_.size() < first + 2)
            return Fail("expected the pointer's screen position X Y after " +
                        Quoted(tokens_[first - 1].text));
        return ParseCoordinate(tokens_[first].text, "X", win32::Framebuffer::kWidth, &event->x) &&
               ParseCoordinate(tokens_[first + 1].text, "Y", win32::Framebuffer::kHeight,
                               &event->y);
    }

    bool ParseCoordinate(std::string_view text, const char* axis, int size, int* value) {
        std::uint64_t parsed = 0;
        if (!ParseDecimal(text, static_cast<std::uint64_t>(size - 1), &parsed))
            return Fail(std::string(axis) + " must be a screen pixel from 0 to " +
                        std::to_string(size - 1) + ", not " + Quoted(text));
        *value = static_cast<int>(parsed);
        return true;
    }

    std::string_view line_;
    std::vector<Token> tokens_;
    std::string* error_ = nullptr;
};

}  // namespace

namespace {

struct NamedKey {
    std::string_view name;
    int key;
};
constexpr NamedKey kNamedKeys[] = {
    {"escape", VK_ESCAPE}, {"enter", VK_RETURN}, {"space", VK_SPACE},  {"tab", VK_TAB},
    {"left", VK_LEFT},     {"right", VK_RIGHT},  {"up", VK_UP},        {"down", VK_DOWN},
    {"home", VK_HOME},     {"end", VK_END},      {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT},
    {"shift", VK_SHIFT},   {"ctrl", VK_CONTROL}, {"alt", VK_MENU},     {"pause", VK_PAUSE},
};

std::string_view ButtonName(MouseButton button) {
    switch (button) {
        case MouseButton::Left:
            return "left";
        case MouseButton::Right:
            return "right";
        case MouseButton::Middle:
            return "middle";
    }
    return "left";
}

}  // namespace

int VirtualKeyFromName(std::string_view name) {
    for (const NamedKey& named : kNamedKeys) {
        if (named.name == name)
            return named.key;
    }
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
        return 'A' + (name[0] - 'a');
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9')
        return name[0];
    if (name.size() >= 2 && name[0] == 'f' && name[1] != '0') {
        std::uint64_t number = 0;
        if (ParseDecimal(name.substr(1), 12, &number) && number >= 1)
            return VK_F1 + static_cast<int>(number) - 1;
    }
    return -1;
}

std::string KeyNameOf(int virtualKey) {
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == virtualKey)
            return std::string(named.name);
    }
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return std::string(1, static_cast<char>('a' + (virtualKey - 'A')));
    if (virtualKey >= '0' && virtualKey <= '9')
        return std::string(1, static_cast<char>(virtualKey));
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12)
        return "f" + std::to_string(virtualKey - VK_F1 + 1);
    return "";
}

std::string FormatScriptLine(const ScriptEvent& event) {
    std::string line = std::to_string(event.atMs) + " ";
    auto point = [&] { return std::to_string(event.x) + " " + std::to_string(event.y); };
    switch (event.kind) {
        case Kind::KeyDown:
        case Kind::KeyUp: {
            std::string name = KeyNameOf(event.virtualKey);
            if (name.empty())
                return "# " + line + "key " + std::to_string(event.virtualKey) +
                       " (no script name)";
            return line + "key " + name + (event.kind == Kind::KeyDown ? " down" : " up");
        }
        case Kind::MouseMove:
            return line + "mouse move " + point();
        case Kind::MouseDown:
        case Kind::MouseUp:
            return line + "mouse " + (event.kind == Kind::MouseDown ? "down " : "up ") +
                   std::string(ButtonName(event.button)) + " " + point();
        case Kind::Click:
            return line + "click " + point();
        case Kind::Minimize:
            return line + "minimize";
        case Kind::Restore:
            return line + "restore";
        case Kind::Close:
            return line + "close";
        case Kind::Screenshot:
            return line + "screenshot " + event.path;
        case Kind::PadDown:
        case Kind::PadUp:
            return line + "pad " +
                   std::string(PadButtonName(static_cast<PadButton>(event.padButton))) +
                   (event.kind == Kind::PadDown ? " down" : " up");
    }
    return "# " + line;
}

bool ParseScript(std::string_view text, const std::string& fileName,
                 std::vector<ScriptEvent>* events, std::string* error) {
    std::vector<ScriptEvent> parsed;
    int lineNumber = 0;
    int previousLine = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;

        std::size_t comment = line.find('#');
        if (comment != std::string_view::npos)
            line = line.substr(0, comment);
        line = TrimRight(line);
        std::vector<Token> tokens = Tokenize(line);
        if (tokens.empty())
            continue;

        auto where = [&]() { return fileName + ":" + std::to_string(lineNumber) + ": "; };
        ScriptEvent event;
        event.line = lineNumber;
        std::string message;
        if (!LineParser(line, std::move(tokens)).Parse(&event, &message)) {
            *error = where() + message;
            return false;
        }
        // Out-of-order lines are almost always a mistyped tick; refusing them says so at once
        // instead of running a script that quietly does something else.
        if (!parsed.empty() && event.atMs < parsed.back().atMs) {
            *error = where() + "tick " + std::to_string(event.atMs) + " comes before tick " +
                     std::to_string(parsed.back().atMs) + " of line " +
                     std::to_string(previousLine) + ": lines must be in time order";
            return false;
        }
        previousLine = lineNumber;
        parsed.push_back(std::move(event));
    }
    *events = std::move(parsed);
    return true;
}

bool LoadScript(const std::string& path, std::vector<ScriptEvent>* events, std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *error = "cannot read script " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string contents;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        contents.append(chunk, got);
    // A directory opens fine and fails only on reading: it must not pass for an empty script.
    bool failed = std::ferror(file) != 0;
    int readError = errno;
    std::fclose(file);
    if (failed) {
        *error = "cannot read script " + path + ": " + std::strerror(readError);
        return false;
    }
    return ParseScript(contents, path, events, error);
}

}  // namespace nuvik::host
