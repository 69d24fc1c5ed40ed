// The runner's own keys and what they control, whichever way a key comes (the window or a
// script): Pause holds the program (its clock stops, no frame is drawn, its input waits in
// order), F8 while paused lets it run to its next presented frame, Tab held runs its clock four
// times as fast, F12 writes the screen into the captures folder, F9 starts and stops a GIF
// recording there, F11 asks the host to switch
// between full screen and a window, F3 shows or hides the host's overlay. None of these is a key
// the program's key record reads; every other key, and the mouse, goes on to the program.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/GifRecorder.h"
#include "host/InputSink.h"
#include "host/SystemHooks.h"

namespace nuvik::host {

struct ControlSettings {
    double speed = 1.0;                          // the program's pace on the real clock (--speed)
    std::string capturesDir;                     // where F12 and F9 write (made when first needed)
    RecordArea recordArea = RecordArea::Screen;  // what a recording holds
};

class RunnerControls final : public InputSink {
  public:
    RunnerControls(InputSink& program, const SystemHooks& hooks, ControlSettings settings);

    void KeyDown(int virtualKey) override;
    void KeyUp(int virtualKey) override;
    void MouseMove(int x, int y) override;
    void MouseButtonDown(win32::input::MouseButton button, int x, int y) override;
    void MouseButtonUp(win32::input::MouseButton button, int x, int y) override;
    void RequestClose() override;
    void RequestMinimize() override;
    void RequestRestore() override;

    // True while the program must not run: paused, and not advancing to a frame. A host then
    // keeps its own loop going (events, script, showing the screen) without returning to it.
    bool HoldsProgram() const { return paused_ && !advancing_; }
    bool Paused() const { return paused_; }
    // Called on every pass: passes on one held event, ends a frame advance once the frame
    // was presented.
    void Sample();

    // F11: the host's full-screen switch (none headless).
    void OnToggleFullScreen(std::function<void()> toggle) { toggleFullScreen_ = std::move(toggle); }
    // F3: the host's overlay (none headless).
    void OnToggleOverlay(std::function<void()> toggle) { toggleOverlay_ = std::move(toggle); }
    // Records every presented change of the screen into `path` from now on (--record; F9
    // records into the captures folder). False with `error` when the file cannot be made.
    bool StartRecording(const std::string& path, std::string* error);
    // Ends the recording, if one runs; a failure to write it is kept with the others.
    void StopRecording();
    bool Recording() const { return recorder_ != nullptr; }

    // Screenshots and recordings that could not be written, for the exit code.
    const std::vector<std::string>& Failures() const { return failures_; }

  private:
    void SetPaused(bool paused);
    void Deliver(std::function<void(InputSink&)> event);
    void TakeScreenshot();

    InputSink& program_;
    SystemHooks hooks_;
    ControlSettings settings_;
    bool paused_ = false;
    bool advancing_ = false;
    long long advanceFrom_ = 0;  // frames presented when the advance began
    bool fastForward_ = false;
    // Input that came while paused (and after it, until it has all gone on), in order.
    std::vector<std::function<void(InputSink&)>> held_;
    std::size_t replayed_ = 0;
    std::function<void()> toggleFullScreen_;
    std::function<void()> toggleOverlay_;
    std::vector<std::string> failures_;
    std::unique_ptr<GifRecorder> recorder_;
    std::string recordingPath_;
    long long recordedPresents_ = 0;  // frames presented when the recording last looked
};

}  // namespace nuvik::host
