// nuvik-golden as nuvik_add_program_test runs it: the command line, the re-baseline switch,
// and every way a program's run can fail, each answered with exit status and words.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string output;  // standard output and error
};

// Runs nuvik-golden with `arguments` (shell words; $DIR is the test's directory and $PROGRAM
// a runner whose program's set-up never succeeds), NUVIK_UPDATE_GOLDENS set to `update` or
// unset when it is null.
Outcome RunGolden(const fs::path& dir, std::string arguments, const char* update) {
    for (auto [name, value] : {std::pair<std::string, std::string>{"$DIR", dir.string()},
                               {"$PROGRAM", NUVIK_REFUSING_PROGRAM}}) {
        for (std::size_t at = arguments.find(name); at != std::string::npos;
             at = arguments.find(name))
            arguments.replace(at, name.size(), value);
    }
    const fs::path log = dir / "output.txt";
    std::string command = update == nullptr
                              ? std::string("env -u NUVIK_UPDATE_GOLDENS ")
                              : std::string("env NUVIK_UPDATE_GOLDENS='") + update + "' ";
    command += std::string(NUVIK_GOLDEN) + " " + arguments + " >'" + log.string() + "' 2>&1";
    int status = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(log);
    std::ostringstream text;
    text << in.rdbuf();
    outcome.output = text.str();
    return outcome;
}

TEST(GoldenCommandLineTest, EveryRefusalAndFailureIsAnExitStatusAndASentence) {
    const std::string test =
        "test --golden=$DIR/g.png --screenshot=$DIR/s.png --report=$DIR/r.json";
    const std::string run = test + " -- $PROGRAM --headless --virtual-clock";
    struct Case {
        std::string arguments;
        const char* update;
        int status;
        const char* says;
    };
    // In order: the first run writes the golden the later ones compare with.
    const Case cases[] = {
        {"", nullptr, 2, "no mode given"},
        {"compare $DIR/s.png", nullptr, 2, "compare takes a screenshot and a golden"},
        {"compare --area=middle $DIR/s.png $DIR/g.png", nullptr, 2,
         "--area=middle: the area is console or screen"},
        {test + " --timeout=0 -- $PROGRAM", nullptr, 2, "--timeout=0: whole seconds"},
        {test, nullptr, 2, "test needs the program after --"},
        {"test --golden=$DIR/g.png -- $PROGRAM", nullptr, 2,
         "test needs --golden, --screenshot and --report"},
        {test + " -- $DIR/no-such-program", nullptr, 1, "could not start"},
        {run + " --no-such-option", nullptr, 1, "ended with exit status 2 and wrote no screenshot"},
        {test + " --timeout=1 -- $PROGRAM --headless --virtual-clock", nullptr, 1,
         "did not end within 1 s and was stopped"},
        {run + " --run-for=50", nullptr, 1,
         "written from this run (the 320 x 240 console screen): look at it, commit it"},
        {run + " --run-for=50", nullptr, 0, "matches"},
        {run + " --run-for=50", "maybe", 2, "NUVIK_UPDATE_GOLDENS=maybe is not understood"},
        {run + " --run-for=50", "true", 0, "matches"},
        {test + " --area=screen -- $PROGRAM --headless --virtual-clock --run-for=50", "0", 1,
         "is 320 x 240, not the size of the 640 x 480 picture"},
        {"compare --area=screen $DIR/s.png $DIR/g.png", "1", 1, "rewrote"},
        {"compare --area=screen $DIR/s.png $DIR/g.png", "1", 0, "matches"},
    };
    const fs::path dir = fs::temp_directory_path() / "nuvik-golden-command-line-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const Case& c : cases) {
        Outcome outcome = RunGolden(dir, c.arguments, c.update);
        EXPECT_EQ(outcome.status, c.status) << c.arguments << "\n" << outcome.output;
        EXPECT_NE(outcome.output.find(c.says), std::string::npos) << c.arguments << "\n"
                                                                  << outcome.output;
    }
    fs::remove_all(dir);
}

}  // namespace
