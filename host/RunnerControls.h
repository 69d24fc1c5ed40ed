// The runner's own keys and what they control, whichever way a key comes (the window or a
// script): Pause holds the program (its clock stops, no frame is drawn, its input waits in
// order), F8 while paused lets it run to its next presented frame, Tab held runs its clock four
// times as fast, F12 writes the screen into the captures folder, F9 starts and stops a GIF
// recording there, F7 starts and stops writing the input down as a script there, F11 asks the
// host to switch
// between full screen and a window, F3 shows or hides the host's overlay. None of these is a key
// the program's key record reads; every other key, and the mouse, goes on to the program.
// The rules themselves are host/ControlRules; this class carries them out.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/ControlRules.h"
#include "host/GifRecorder.h"
#include "host/InputRecording.h"
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
    bool HoldsProgram() const { return state_.paused && !state_.advancing; }
    bool Paused() const { return state_.paused; }
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

    // The run began at this tick of the host's clock; recorded input counts from it.
    void SetRunStart(std::uint32_t hostTick) { runStart_ = hostTick; }
    // Writes everything that reaches these controls, with its tick, into `path` as a script
    // from now on (--record-input; F7 writes into the captures folder). False with `error`
    // when the file cannot be made.
    bool StartInputRecording(const std::string& path, std::string* error);
    // Ends the input recording, if one runs; a failure to write it is kept with the others.
    void StopInputRecording();

    // Screenshots and recordings that could not be written, for the exit code.
    const std::vector<std::string>& Failures() const { return failures_; }

  private:
    using ProgramInput = std::function<void(InputSink&)>;
    // Steps the rules with `event` and carries out the step; `input` is what the program would
    // see of the event.
    void Apply(const ControlEvent& event, ProgramInput input = {});
    void TakeScreenshot();
    void StartRecordingIntoCaptures();
    void StartInputRecordingIntoCaptures();
    // Writes the event down when the input is being recorded.
    void RecordInput(ScriptEvent event);

    InputSink& program_;
    SystemHooks hooks_;
    ControlSettings settings_;
    double pace_ = 1.0;  // the program's pace without fast-forward
    ControlState state_;
    long long lastPresented_ = 0;  // frames presented when the last pass looked
    // Input that came while paused (and after it, until it has all gone on), in order.
    std::deque<ProgramInput> held_;
    std::function<void()> toggleFullScreen_;
    std::function<void()> toggleOverlay_;
    std::vector<std::string> failures_;
    std::unique_ptr<GifRecorder> recorder_;
    std::string recordingPath_;
    std::unique_ptr<InputRecording> inputRecording_;
    std::uint32_t runStart_ = 0;
};

}  // namespace nuvik::host
