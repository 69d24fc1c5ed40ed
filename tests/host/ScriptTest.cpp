#include "host/Script.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "win32/constants.h"

namespace {

using nuvik::host::FormatScriptLine;
using nuvik::host::KeyNameOf;
using nuvik::host::LoadScript;
using nuvik::host::ParseScript;
using nuvik::host::ScriptEvent;
using nuvik::host::VirtualKeyFromName;
using Kind = ScriptEvent::Kind;
using win32::input::MouseButton;

ScriptEvent Event(std::uint32_t at, Kind kind) {
    ScriptEvent event;
    event.atMs = at;
    event.kind = kind;
    event.line = 1;
    return event;
}
ScriptEvent Key(std::uint32_t at, Kind kind, int key) {
    ScriptEvent event = Event(at, kind);
    event.virtualKey = key;
    return event;
}
ScriptEvent Mouse(std::uint32_t at, Kind kind, MouseButton button, int x, int y) {
    ScriptEvent event = Event(at, kind);
    event.button = button;
    event.x = x;
    event.y = y;
    return event;
}
ScriptEvent Shot(std::uint32_t at, const char* path) {
    ScriptEvent event = Event(at, Kind::Screenshot);
    event.path = path;
    return event;
}

TEST(RunnerScript, EveryLineFormBecomesItsEvent) {
    struct Case {
        const char* line;
        ScriptEvent expected;
    } cases[] = {
        {"0 key escape down", Key(0, Kind::KeyDown, VK_ESCAPE)},
        {"10 key a up", Key(10, Kind::KeyUp, 'A')},
        {"10 key z down", Key(10, Kind::KeyDown, 'Z')},
        {"10 key 0 down", Key(10, Kind::KeyDown, '0')},
        {"10 key 9 down", Key(10, Kind::KeyDown, '9')},
        {"10 key f1 down", Key(10, Kind::KeyDown, VK_F1)},
        {"10 key f12 up", Key(10, Kind::KeyUp, VK_F12)},
        {"10 key pagedown down", Key(10, Kind::KeyDown, VK_NEXT)},
        {"10 key ctrl down", Key(10, Kind::KeyDown, VK_CONTROL)},
        {"20 mouse move 639 479", Mouse(20, Kind::MouseMove, MouseButton::Left, 639, 479)},
        {"30 mouse down right 1 2", Mouse(30, Kind::MouseDown, MouseButton::Right, 1, 2)},
        {"30 mouse up left 0 0", Mouse(30, Kind::MouseUp, MouseButton::Left, 0, 0)},
        {"40 click 455 26", Mouse(40, Kind::Click, MouseButton::Left, 455, 26)},
        {"50 minimize", Event(50, Kind::Minimize)},
        {"50 restore", Event(50, Kind::Restore)},
        {"4294967295 close", Event(4294967295u, Kind::Close)},
        {"60 screenshot out/a b.png", Shot(60, "out/a b.png")},
        {"60 screenshot  shot.png  # the end", Shot(60, "shot.png")},
        {"\t70   close   # bye", Event(70, Kind::Close)},
        {"80 close\r", Event(80, Kind::Close)},
    };
    for (const Case& c : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        ASSERT_TRUE(ParseScript(c.line, "s.txt", &events, &error)) << c.line << ": " << error;
        ASSERT_EQ(events.size(), 1u) << c.line;
        EXPECT_EQ(events[0], c.expected) << c.line;
    }
}

// What --record-input writes: every event as the line that reads back as it.
TEST(RunnerScript, AnEventWrittenAsALineReadsBackAsTheSameEvent) {
    for (const char* line :
         {"0 key escape down", "10 key f12 up", "10 key pause down", "10 key a up", "10 key 7 down",
          "20 mouse move 639 479", "30 mouse down middle 1 2", "30 mouse up right 0 0",
          "40 click 455 26", "50 minimize", "50 restore", "4294967295 close",
          "60 screenshot out/a b.png", "70 pad dpleft down", "70 pad start up"}) {
        std::vector<ScriptEvent> events;
        std::string error;
        ASSERT_TRUE(ParseScript(line, "s.txt", &events, &error)) << line << ": " << error;
        EXPECT_EQ(FormatScriptLine(events[0]), line);
    }
    std::vector<std::string> names = {"escape", "enter", "space", "tab",  "left",   "right",
                                      "up",     "down",  "home",  "end",  "pageup", "pagedown",
                                      "shift",  "ctrl",  "alt",   "pause"};
    for (char c = 'a'; c <= 'z'; ++c)
        names.emplace_back(1, c);
    for (char c = '0'; c <= '9'; ++c)
        names.emplace_back(1, c);
    for (int f = 1; f <= 12; ++f)
        names.push_back("f" + std::to_string(f));
    for (const std::string& name : names)
        EXPECT_EQ(KeyNameOf(VirtualKeyFromName(name)), name);
    // A key no script can name is kept as a comment, never written as another key.
    EXPECT_EQ(FormatScriptLine(Key(5, Kind::KeyDown, 0x5B)).rfind("# ", 0), 0u);
}

TEST(RunnerScript, BadLinesAreRefusedWithFileAndLine) {
    struct Case {
        const char* line;
        const char* message;
    } cases[] = {
        {"key escape down", "s.txt:1: a line starts with its tick"},
        {"-5 close", "s.txt:1: a line starts with its tick"},
        {"1.5 close", "s.txt:1: a line starts with its tick"},
        {"4294967296 close", "s.txt:1: a line starts with its tick"},
        {"10", "s.txt:1: nothing after the tick"},
        {"10 jump", "s.txt:1: unknown event 'jump'"},
        {"10 Close", "s.txt:1: unknown event 'Close'"},
        {"10 key Escape down", "s.txt:1: unknown key 'Escape'"},
        {"10 key f13 down", "unknown key 'f13'"},
        {"10 key f0 down", "unknown key 'f0'"},
        {"10 key f01 down", "unknown key 'f01'"},
        {"10 key aa down", "unknown key 'aa'"},
        {"10 key a sideways", "expected down or up after the key name, not 'sideways'"},
        {"10 key a", "a key line reads"},
        {"10 key a down now", "unexpected 'now' at the end of the line"},
        {"10 pad z down", "unknown pad button 'z'"},
        {"10 pad A down", "unknown pad button 'A'"},
        {"10 pad a", "a pad line reads"},
        {"10 pad a pressed", "expected down or up after the pad button, not 'pressed'"},
        {"10 mouse", "a mouse line reads"},
        {"10 mouse wiggle 1 2", "expected move, down or up after mouse, not 'wiggle'"},
        {"10 mouse down", "mouse down needs a button"},
        {"10 mouse down wheel 1 2", "expected left, right or middle after mouse down, not 'wheel'"},
        {"10 mouse move 640 0", "X must be a screen pixel from 0 to 639, not '640'"},
        {"10 mouse move 0 480", "Y must be a screen pixel from 0 to 479, not '480'"},
        {"10 mouse move -1 0", "X must be a screen pixel"},
        {"10 mouse move 1", "expected the pointer's screen position X Y after 'move'"},
        {"10 mouse up left 1 2 3", "unexpected '3'"},
        {"10 click 1", "expected the pointer's screen position X Y after 'click'"},
        {"10 click 1 2 3", "unexpected '3'"},
        {"10 close now", "unexpected 'now'"},
        {"10 minimize 1", "unexpected '1'"},
        {"10 screenshot", "screenshot needs a file"},
        {"10 screenshot # no file", "screenshot needs a file"},
    };
    for (const Case& c : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(ParseScript(c.line, "s.txt", &events, &error)) << c.line;
        EXPECT_NE(error.find(c.message), std::string::npos)
            << c.line << "\n got: " << error << "\n expected to contain: " << c.message;
    }
}

TEST(RunnerScript, LineNumbersCountCommentsAndBlankLines) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseScript("# a comment\n\n0 key a down\r\n5 key a up\n   \n7 key a sideways\n",
                             "demo.txt", &events, &error));
    EXPECT_EQ(error.rfind("demo.txt:6: ", 0), 0u) << error;
}

TEST(RunnerScript, EventsKeepTheirFileOrderAndLines) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseScript("# start\n0 mouse move 1 1\n\n5 click 2 2\n5 key a down\n9 close",
                            "demo.txt", &events, &error))
        << error;
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, Kind::MouseMove);
    EXPECT_EQ(events[0].line, 2);
    EXPECT_EQ(events[1].kind, Kind::Click);
    EXPECT_EQ(events[1].line, 4);
    EXPECT_EQ(events[2].kind, Kind::KeyDown);
    EXPECT_EQ(events[2].line, 5);
    EXPECT_EQ(events[3].kind, Kind::Close);
    EXPECT_EQ(events[3].line, 6);
}

TEST(RunnerScript, ATickBeforeThePreviousLinesIsRefused) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseScript("100 close\n# x\n50 close\n", "t.txt", &events, &error));
    EXPECT_EQ(error,
              "t.txt:3: tick 50 comes before tick 100 of line 1: lines must be in time order");
}

TEST(RunnerScript, AnEmptyScriptIsFine) {
    std::vector<ScriptEvent> events{Event(1, Kind::Close)};
    std::string error;
    EXPECT_TRUE(ParseScript("", "e.txt", &events, &error));
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(ParseScript("# only a comment\n\n", "e.txt", &events, &error));
    EXPECT_TRUE(events.empty());
}

TEST(RunnerScript, KeyNamesCoverTheWholeDocumentedSet) {
    struct Case {
        const char* name;
        int key;
    } cases[] = {
        {"escape", VK_ESCAPE},
        {"enter", VK_RETURN},
        {"space", VK_SPACE},
        {"tab", VK_TAB},
        {"left", VK_LEFT},
        {"right", VK_RIGHT},
        {"up", VK_UP},
        {"down", VK_DOWN},
        {"home", VK_HOME},
        {"end", VK_END},
        {"pageup", VK_PRIOR},
        {"pagedown", VK_NEXT},
        {"shift", VK_SHIFT},
        {"ctrl", VK_CONTROL},
        {"alt", VK_MENU},
        {"f1", VK_F1},
        {"f9", VK_F9},
        {"f10", VK_F10},
        {"f12", VK_F12},
        {"a", 'A'},
        {"m", 'M'},
        {"z", 'Z'},
        {"0", '0'},
        {"9", '9'},
        {"", -1},
        {"A", -1},
        {"return", -1},
        {"esc", -1},
        {"f", 'F'},
        {"f123", -1},
        {"-", -1},
        {"escape ", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromName(c.name), c.key) << "'" << c.name << "'";
}

TEST(RunnerScript, LoadingNamesTheFileItCannotRead) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(LoadScript("/nonexistent/script.txt", &events, &error));
    EXPECT_EQ(error, "cannot read script /nonexistent/script.txt: No such file or directory");

    std::filesystem::path directory = std::filesystem::temp_directory_path();
    EXPECT_FALSE(LoadScript(directory.string(), &events, &error));
    EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;
}

TEST(RunnerScript, LoadingReadsTheWholeFileAndReportsItsName) {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / "nuvik-host-script-test.txt";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::string text;
    // Longer than one read chunk, so that a reader stopping early would lose the bad line.
    for (int i = 0; i < 400; ++i)
        text += std::to_string(i) + " mouse move 1 1\n";
    text += "400 fly\n";
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);

    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(LoadScript(path.string(), &events, &error));
    EXPECT_EQ(error.rfind(path.string() + ":401: unknown event 'fly'", 0), 0u) << error;
    std::filesystem::remove(path);
}

}  // namespace
