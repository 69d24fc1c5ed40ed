// A person's input written down as a script as it happens (--record-input, F7): one line per
// event, in the grammar --script reads, so that the file can be read, edited and replayed.
// Every line is on disk as soon as it is written: a run that ends in a crash or a kill keeps
// everything up to it.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "host/Script.h"

namespace nuvik::host {

class InputRecording {
  public:
    // Null with `error` set when the file cannot be made. `virtualClock` only labels the file.
    static std::unique_ptr<InputRecording> Open(const std::string& path, bool virtualClock,
                                                std::string* error);
    ~InputRecording();
    InputRecording(const InputRecording&) = delete;
    InputRecording& operator=(const InputRecording&) = delete;

    // Adds `event` as one line. A failed write is kept for Finish.
    void Write(const ScriptEvent& event);
    // Closes the file; false with `error` when any line could not be written.
    bool Finish(std::string* error);

    const std::string& Path() const { return path_; }
    int EventsWritten() const { return events_; }

  private:
    InputRecording(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
    void Put(const std::string& text);

    std::FILE* file_;
    std::string path_;
    int events_ = 0;
    std::string error_;  // the first failure to write
};

}  // namespace nuvik::host
