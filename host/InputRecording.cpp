#include "host/InputRecording.h"

#include <cerrno>
#include <cstring>

namespace nuvik::host {

std::unique_ptr<InputRecording> InputRecording::Open(const std::string& path, bool virtualClock,
                                                     std::string* error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        *error = "cannot write input recording " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<InputRecording> recording(new InputRecording(file, path));
    recording->Put(std::string("# Input recorded by the runner on the ") +
                   (virtualClock ? "virtual" : "real") +
                   " clock: ticks since the start of the run.\n"
                   "# Replay it with --script=FILE (and --virtual-clock for the same pixels).\n");
    return recording;
}

InputRecording::~InputRecording() {
    if (file_)
        std::fclose(file_);
}

void InputRecording::Write(const ScriptEvent& event) {
    Put(FormatScriptLine(event) + "\n");
    ++events_;
}

void InputRecording::Put(const std::string& text) {
    if (!file_)
        return;
    // Flushed line by line: whatever ends the run, the lines so far are in the file.
    if ((std::fwrite(text.data(), 1, text.size(), file_) != text.size() ||
         std::fflush(file_) != 0) &&
        error_.empty())
        error_ = "cannot write input recording " + path_ + ": " + std::strerror(errno);
}

bool InputRecording::Finish(std::string* error) {
    if (file_ && std::fclose(file_) != 0 && error_.empty())
        error_ = "cannot write input recording " + path_ + ": " + std::strerror(errno);
    file_ = nullptr;
    if (!error_.empty()) {
        *error = error_;
        return false;
    }
    return true;
}

}  // namespace nuvik::host
