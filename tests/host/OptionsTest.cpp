#include "host/Options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using nuvik::host::HostKind;
using nuvik::host::Options;
using nuvik::host::ParseOptions;

TEST(RunnerOptions, EveryOptionSetsWhatItNames) {
    struct Case {
        std::vector<std::string> arguments;
        std::function<void(const Options&)> check;
    } cases[] = {
        {{},
         [](const Options& o) {
             EXPECT_EQ(o.host, HostKind::Sdl);
             EXPECT_FALSE(o.windowed);
             EXPECT_FALSE(o.virtualClock);
             EXPECT_FALSE(o.runForMs.has_value());
             EXPECT_EQ(o.directXVersion, 0x801u);
             EXPECT_EQ(o.redMask16, 0xF800u);
             EXPECT_TRUE(o.scriptPath.empty());
             EXPECT_TRUE(o.screenshotPath.empty());
             EXPECT_TRUE(o.reportPath.empty());
             EXPECT_FALSE(o.busyLoop);
             EXPECT_FALSE(o.help);
         }},
        {{"--window"},
         [](const Options& o) {
             EXPECT_TRUE(o.windowed);
             EXPECT_EQ(o.windowScale, 1);
         }},
        {{"--window=3"}, [](const Options& o) { EXPECT_EQ(o.windowScale, 3); }},
        {{"--window=8"}, [](const Options& o) { EXPECT_EQ(o.windowScale, 8); }},
        {{"--window=2", "--window=5"}, [](const Options& o) { EXPECT_EQ(o.windowScale, 5); }},
        {{"--headless"}, [](const Options& o) { EXPECT_EQ(o.host, HostKind::Headless); }},
        {{"--busy-loop"}, [](const Options& o) { EXPECT_TRUE(o.busyLoop); }},
        {{"--scale=fit", "--filter=linear"},
         [](const Options& o) {
             EXPECT_EQ(o.scaling, nuvik::host::ScaleMode::Fit);
             EXPECT_EQ(o.filtering, nuvik::host::Filtering::Linear);
         }},
        {{"--scale=integer", "--filter=nearest"},
         [](const Options& o) {
             EXPECT_EQ(o.scaling, nuvik::host::ScaleMode::Integer);
             EXPECT_EQ(o.filtering, nuvik::host::Filtering::Nearest);
         }},
        {{"--version"}, [](const Options& o) { EXPECT_TRUE(o.version); }},
        {{"--speed=2", "--captures=shots"},
         [](const Options& o) {
             EXPECT_EQ(o.speed, 2.0);
             EXPECT_EQ(o.capturesDir, "shots");
         }},
        {{"--speed=0.25"}, [](const Options& o) { EXPECT_EQ(o.speed, 0.25); }},
        {{"--record=clip.gif", "--record-area=console"},
         [](const Options& o) {
             EXPECT_EQ(o.recordPath, "clip.gif");
             EXPECT_TRUE(o.recordConsoleOnly);
         }},
        {{"--pad=a=enter,start=f1"},
         [](const Options& o) {
             EXPECT_EQ(o.padMapping.KeyFor(nuvik::host::PadButton::A), 0x0D);      // Enter
             EXPECT_EQ(o.padMapping.KeyFor(nuvik::host::PadButton::Start), 0x70);  // F1
             EXPECT_EQ(o.padMapping.KeyFor(nuvik::host::PadButton::B), 'X');
         }},
        {{"--virtual-clock"},
         [](const Options& o) {
             EXPECT_TRUE(o.virtualClock);
             EXPECT_EQ(o.clockStartMs, 0u);
         }},
        {{"--virtual-clock=5000"}, [](const Options& o) { EXPECT_EQ(o.clockStartMs, 5000u); }},
        {{"--virtual-clock=0xFFFFF000"},
         [](const Options& o) { EXPECT_EQ(o.clockStartMs, 0xFFFFF000u); }},
        {{"--virtual-clock=4294967295"},
         [](const Options& o) { EXPECT_EQ(o.clockStartMs, 4294967295u); }},
        {{"--run-for=5000"}, [](const Options& o) { EXPECT_EQ(o.runForMs, 5000u); }},
        {{"--run-for=0"}, [](const Options& o) { EXPECT_EQ(o.runForMs, 0u); }},
        {{"--script=tests/a b.txt"},
         [](const Options& o) { EXPECT_EQ(o.scriptPath, "tests/a b.txt"); }},
        {{"--screenshot=out/shot.png"},
         [](const Options& o) { EXPECT_EQ(o.screenshotPath, "out/shot.png"); }},
        {{"--report=out/r=1.json"},
         [](const Options& o) { EXPECT_EQ(o.reportPath, "out/r=1.json"); }},
        {{"--dx=0"}, [](const Options& o) { EXPECT_EQ(o.directXVersion, 0x000u); }},
        {{"--dx=3"}, [](const Options& o) { EXPECT_EQ(o.directXVersion, 0x300u); }},
        {{"--dx=6.1"}, [](const Options& o) { EXPECT_EQ(o.directXVersion, 0x601u); }},
        {{"--dx=7"}, [](const Options& o) { EXPECT_EQ(o.directXVersion, 0x700u); }},
        {{"--dx=8.0"}, [](const Options& o) { EXPECT_EQ(o.directXVersion, 0x800u); }},
        {{"--dx=8.1"}, [](const Options& o) { EXPECT_EQ(o.directXVersion, 0x801u); }},
        {{"--display-format=565"}, [](const Options& o) { EXPECT_EQ(o.redMask16, 0xF800u); }},
        {{"--display-format=555"}, [](const Options& o) { EXPECT_EQ(o.redMask16, 0x7C00u); }},
        {{"--display-format=0x001F"}, [](const Options& o) { EXPECT_EQ(o.redMask16, 0x001Fu); }},
        {{"--display-format=0XF800"}, [](const Options& o) { EXPECT_EQ(o.redMask16, 0xF800u); }},
        {{"--help"}, [](const Options& o) { EXPECT_TRUE(o.help); }},
        {{"-h"}, [](const Options& o) { EXPECT_TRUE(o.help); }},
        {{"--headless", "--virtual-clock=7", "--run-for=100", "--dx=5", "--display-format=555"},
         [](const Options& o) {
             EXPECT_EQ(o.host, HostKind::Headless);
             EXPECT_EQ(o.clockStartMs, 7u);
             EXPECT_EQ(o.runForMs, 100u);
             EXPECT_EQ(o.directXVersion, 0x500u);
             EXPECT_EQ(o.redMask16, 0x7C00u);
         }},
    };
    for (const Case& c : cases) {
        Options options;
        std::string error;
        std::string joined;
        for (const auto& a : c.arguments)
            joined += a + " ";
        ASSERT_TRUE(ParseOptions(c.arguments, &options, &error)) << joined << ": " << error;
        c.check(options);
    }
}

TEST(RunnerOptions, BadOptionsAreRefusedWithAMessageNamingThem) {
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--Headless"}, "unknown option '--Headless'"},
        {{"-x"}, "unexpected argument '-x'"},
        {{"file.txt"}, "unexpected argument 'file.txt'"},
        {{"--"}, "unexpected argument '--'"},
        {{"--headless=yes"}, "--headless takes no value"},
        {{"--help=1"}, "--help takes no value"},
        {{"--busy-loop=yes"}, "--busy-loop takes no value"},
        {{"--scale=2"}, "bad scale '2': --scale takes fit or integer"},
        {{"--scale"}, "--scale needs a value"},
        {{"--filter=bilinear"}, "bad filter 'bilinear'"},
        {{"--version=2"}, "--version takes no value"},
        {{"--speed=9"}, "bad speed '9': --speed takes a factor from 0.25 to 8"},
        {{"--speed=0.2"}, "bad speed '0.2'"},
        {{"--speed=2x"}, "bad speed '2x'"},
        {{"--speed=nan"}, "bad speed 'nan'"},
        {{"--captures"}, "--captures needs a value"},
        {{"--pad=q=z"}, "unknown"},
        {{"--record-area=window"}, "bad recording area 'window'"},
        {{"--record"}, "--record needs a value"},
        {{"--window=0"}, "bad window scale '0'"},
        {{"--window=9"}, "bad window scale '9'"},
        {{"--window=2x"}, "bad window scale '2x'"},
        {{"--window="}, "bad window scale ''"},
        {{"--window", "--headless"}, "cannot be used together"},
        {{"--virtual-clock=-1"}, "bad clock start '-1'"},
        {{"--virtual-clock=4294967296"}, "bad clock start '4294967296'"},
        {{"--virtual-clock=0x100000000"}, "bad clock start '0x100000000'"},
        {{"--virtual-clock=1e3"}, "bad clock start '1e3'"},
        {{"--run-for"}, "--run-for needs a value"},
        {{"--run-for="}, "--run-for needs a value"},
        {{"--run-for=1.5"}, "bad duration '1.5'"},
        {{"--run-for=+5"}, "bad duration '+5'"},
        {{"--run-for=99999999999999999999999"}, "bad duration"},
        {{"--script"}, "--script needs a value"},
        {{"--screenshot="}, "--screenshot needs a value"},
        {{"--report"}, "--report needs a value"},
        {{"--dx=4"}, "unknown DirectX version '4'"},
        {{"--dx=9"}, "unknown DirectX version '9'"},
        {{"--dx=8.2"}, "unknown DirectX version '8.2'"},
        {{"--dx="}, "--dx needs a value"},
        {{"--display-format=565x"}, "bad display format '565x'"},
        {{"--display-format=F800"}, "bad display format 'F800'"},
        {{"--display-format=0x"}, "bad display format '0x'"},
        {{"--display-format=0xG1"}, "bad display format '0xG1'"},
        {{"--display-format=0x123456789"}, "bad display format '0x123456789'"},
        {{"--headless", "--oops"}, "unknown option '--oops'"},
    };
    for (const Case& c : cases) {
        Options options;
        std::string error;
        EXPECT_FALSE(ParseOptions(c.arguments, &options, &error)) << c.arguments[0];
        EXPECT_NE(error.find(c.message), std::string::npos)
            << "got: " << error << "\nexpected to contain: " << c.message;
    }
}

TEST(RunnerOptions, HelpListsEveryOptionEveryRunnerKeyAndEveryScriptLineForm) {
    std::string help = nuvik::host::HelpText("nuvik");
    std::vector<std::string> expected = {"Usage: nuvik",
                                         "key NAME down|up",
                                         "pad BUTTON down|up",
                                         "mouse move X Y",
                                         "mouse down left|right|middle X Y",
                                         "mouse up left|right|middle X Y",
                                         "click X Y",
                                         "minimize | restore | close",
                                         "screenshot PATH",
                                         "pagedown",
                                         "f1..f12"};
    for (const auto& option : nuvik::host::OptionTable())
        expected.push_back("\n  " + option.Usage());
    for (const auto& key : nuvik::host::RunnerKeyTable())
        expected.push_back("\n  " + std::string(key.key));
    for (const std::string& text : expected)
        EXPECT_NE(help.find(text), std::string::npos) << text;
}

// The README's tables are the table the parser and --help are made from: a new option or key
// that is not in the README, or a README row that drifted, fails here with the rows to paste.
TEST(RunnerOptions, TheReadmeTablesOfOptionsAndKeysAreTheOnesHelpIsMadeFrom) {
    std::ifstream file("README.md");
    ASSERT_TRUE(file) << "README.md not found from " << std::filesystem::current_path();
    std::stringstream readme;
    readme << file.rdbuf();
    for (const std::string& rows :
         {nuvik::host::OptionsMarkdownRows(), nuvik::host::RunnerKeysMarkdownRows()}) {
        EXPECT_NE(readme.str().find(rows), std::string::npos)
            << "README.md should hold these rows, in this order, as one block:\n"
            << rows;
    }
}

}  // namespace
