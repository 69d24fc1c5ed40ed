#include "runner/RunnerProcess.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace runnertest {

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace

Run RunRunner(const std::string& name, const std::vector<std::string>& arguments,
              const std::string& script, int seconds) {
    Run run;
    run.directory = fs::temp_directory_path() / ("nuvik-runner-test-" + name);
    fs::remove_all(run.directory);
    fs::create_directories(run.directory);
    std::string command = "timeout -s KILL " + std::to_string(seconds) + " " + Quote(NUVIK_RUNNER);
    for (const std::string& argument : arguments)
        command += " " + Quote(argument);
    if (!script.empty()) {
        std::string text = script;
        for (std::size_t at = text.find("$DIR"); at != std::string::npos; at = text.find("$DIR"))
            text.replace(at, 4, run.directory.string());
        std::ofstream(run.directory / "script.txt") << text;
        command += " --script=" + Quote((run.directory / "script.txt").string());
    }
    fs::path report = run.directory / "report.json";
    command += " --report=" + Quote(report.string());
    command += " >" + Quote((run.directory / "out.txt").string());
    command += " 2>" + Quote((run.directory / "err.txt").string());
    int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.errors = ReadFile(run.directory / "err.txt");
    if (fs::exists(report))
        run.report = ReadFile(report);
    return run;
}

long long NumberField(const std::string& report, const std::string& field) {
    std::string key = "\"" + field + "\":";
    std::size_t at = report.find(key);
    if (at == std::string::npos)
        return -1;
    at += key.size();
    while (at < report.size() && report[at] == ' ')
        ++at;
    return std::strtoll(report.c_str() + at, nullptr, 10);
}

std::vector<long long> NumberArray(const std::string& report, const std::string& field) {
    std::vector<long long> numbers;
    std::string key = "\"" + field + "\":";
    std::size_t at = report.find(key);
    if (at == std::string::npos)
        return numbers;
    at = report.find('[', at);
    std::size_t end = report.find(']', at);
    if (at == std::string::npos || end == std::string::npos)
        return numbers;
    std::istringstream items(report.substr(at + 1, end - at - 1));
    std::string item;
    while (std::getline(items, item, ',')) {
        if (item.find_first_of("0123456789") != std::string::npos)
            numbers.push_back(std::strtoll(item.c_str(), nullptr, 10));
    }
    return numbers;
}

}  // namespace runnertest
