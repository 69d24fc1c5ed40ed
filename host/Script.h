// Timed input for a run: one event a line, `AT_MS what ...`, AT_MS counting ticks from the
// start of the run. The runner refuses a bad line with FILE:LINE before anything runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "win32/platform/Input.h"

namespace nuvik::host {

struct ScriptEvent {
    enum class Kind {
        KeyDown,
        KeyUp,
        MouseMove,
        MouseDown,
        MouseUp,
        Click,  // move, left down and left up in the same tick
        Minimize,
        Restore,
        Close,
        Screenshot,
        PadDown,  // a game controller's button, as the key it is mapped to
        PadUp,
    };

    std::uint32_t atMs = 0;
    Kind kind = Kind::Close;
    int virtualKey = 0;                                                  // keys
    int padButton = 0;                                                   // pads: a PadButton
    win32::input::MouseButton button = win32::input::MouseButton::Left;  // mouse down/up
    int x = 0;
    int y = 0;
    std::string path;  // screenshot
    int line = 0;      // where it stands in its file, for messages

    bool operator==(const ScriptEvent&) const = default;
};

// The virtual-key code of a script key name (lower case: "escape", "f1", "a", "0"), or -1.
int VirtualKeyFromName(std::string_view name);

// The script name of a virtual-key code ("escape", "f1", "a", "0"), empty when it has none.
std::string KeyNameOf(int virtualKey);

// `event` as the one script line that reads back as it (without the newline; `line` is not
// kept); a key without a script name becomes a comment.
std::string FormatScriptLine(const ScriptEvent& event);

// Parses a whole script. `fileName` only labels messages ("FILE:LINE: ..."). False with the
// first bad line's message.
bool ParseScript(std::string_view text, const std::string& fileName,
                 std::vector<ScriptEvent>* events, std::string* error);

// Reads and parses a script file.
bool LoadScript(const std::string& path, std::vector<ScriptEvent>* events, std::string* error);

}  // namespace nuvik::host
