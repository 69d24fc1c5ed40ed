#include "host/RunnerControls.h"

#include "host/ScreenCapture.h"

#include <cstdio>

#include "win32/constants.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Framebuffer.h"

namespace nuvik::host {

using Kind = ControlEvent::Kind;
using Input = ScriptEvent::Kind;

namespace {

ScriptEvent Recorded(Input kind, int virtualKey = 0,
                     win32::input::MouseButton button = win32::input::MouseButton::Left, int x = 0,
                     int y = 0) {
    ScriptEvent event;
    event.kind = kind;
    event.virtualKey = virtualKey;
    event.button = button;
    event.x = x;
    event.y = y;
    return event;
}

}  // namespace

RunnerControls::RunnerControls(InputSink& program, const SystemHooks& hooks,
                               ControlSettings settings)
    : program_(program),
      hooks_(hooks),
      settings_(std::move(settings)),
      pace_(win32::clock::IsVirtual() ? 1.0 : settings_.speed) {
    win32::clock::SetSpeed(pace_);
}

void RunnerControls::KeyDown(int virtualKey) {
    RecordInput(Recorded(Input::KeyDown, virtualKey));
    Apply({Kind::KeyDown, virtualKey}, [virtualKey](InputSink& sink) { sink.KeyDown(virtualKey); });
}

void RunnerControls::KeyUp(int virtualKey) {
    RecordInput(Recorded(Input::KeyUp, virtualKey));
    Apply({Kind::KeyUp, virtualKey}, [virtualKey](InputSink& sink) { sink.KeyUp(virtualKey); });
}

void RunnerControls::MouseMove(int x, int y) {
    RecordInput(Recorded(Input::MouseMove, 0, win32::input::MouseButton::Left, x, y));
    Apply({Kind::Mouse}, [x, y](InputSink& sink) { sink.MouseMove(x, y); });
}

void RunnerControls::MouseButtonDown(win32::input::MouseButton button, int x, int y) {
    RecordInput(Recorded(Input::MouseDown, 0, button, x, y));
    Apply({Kind::Mouse}, [button, x, y](InputSink& sink) { sink.MouseButtonDown(button, x, y); });
}

void RunnerControls::MouseButtonUp(win32::input::MouseButton button, int x, int y) {
    RecordInput(Recorded(Input::MouseUp, 0, button, x, y));
    Apply({Kind::Mouse}, [button, x, y](InputSink& sink) { sink.MouseButtonUp(button, x, y); });
}

void RunnerControls::RequestClose() {
    RecordInput(Recorded(Input::Close));
    Apply({Kind::Close}, [](InputSink& sink) { sink.RequestClose(); });
}

void RunnerControls::RequestMinimize() {
    RecordInput(Recorded(Input::Minimize));
    Apply({Kind::Window}, [](InputSink& sink) { sink.RequestMinimize(); });
}

void RunnerControls::RequestRestore() {
    RecordInput(Recorded(Input::Restore));
    Apply({Kind::Window}, [](InputSink& sink) { sink.RequestRestore(); });
}

void RunnerControls::RecordInput(ScriptEvent event) {
    // F7 starts and stops the recording itself: in a replay it would only start another.
    if (!inputRecording_ ||
        ((event.kind == Input::KeyDown || event.kind == Input::KeyUp) && event.virtualKey == VK_F7))
        return;
    event.atMs = win32::clock::HostNow() - runStart_;
    inputRecording_->Write(event);
}

void RunnerControls::Apply(const ControlEvent& event, ProgramInput input) {
    ControlStep step = StepControls(state_, event, pace_);
    // Everything moves on before anything is called: input may be dispatched at once, and a
    // handler that opens a message box re-enters the host, and so these controls.
    state_ = step.state;
    win32::clock::SetPaused(step.clockPaused);
    win32::clock::SetSpeed(step.clockSpeed);
    switch (step.delivery) {
        case Delivery::None:
            break;
        case Delivery::Now:
            input(program_);
            break;
        case Delivery::Held:
            held_.push_back(std::move(input));
            break;
        case Delivery::OneHeld: {
            ProgramInput oldest = std::move(held_.front());
            held_.pop_front();
            oldest(program_);
            break;
        }
    }
    switch (step.action) {
        case ControlAction::None:
            break;
        case ControlAction::Screenshot:
            TakeScreenshot();
            break;
        case ControlAction::StartRecording:
            StartRecordingIntoCaptures();
            break;
        case ControlAction::StopRecording:
            StopRecording();
            break;
        case ControlAction::StartInputRecording:
            StartInputRecordingIntoCaptures();
            break;
        case ControlAction::StopInputRecording:
            StopInputRecording();
            break;
        case ControlAction::ToggleOverlay:
            if (toggleOverlay_)
                toggleOverlay_();
            break;
        case ControlAction::ToggleFullScreen:
            if (toggleFullScreen_)
                toggleFullScreen_();
            break;
    }
}

void RunnerControls::StartRecordingIntoCaptures() {
    std::string error;
    if (!StartRecording(NewCapturePath(settings_.capturesDir, "gif"), &error)) {
        std::fprintf(stderr, "recording not started: %s\n", error.c_str());
        failures_.push_back(error);
    }
}

void RunnerControls::StartInputRecordingIntoCaptures() {
    std::string error;
    if (!StartInputRecording(NewCapturePath(settings_.capturesDir, "txt"), &error)) {
        std::fprintf(stderr, "input recording not started: %s\n", error.c_str());
        failures_.push_back(error);
    }
}

bool RunnerControls::StartInputRecording(const std::string& path, std::string* error) {
    StopInputRecording();
    inputRecording_ = InputRecording::Open(path, win32::clock::IsVirtual(), error);
    state_.recordingInput = inputRecording_ != nullptr;
    if (!inputRecording_)
        return false;
    std::fprintf(stderr, "recording input: %s\n", path.c_str());
    return true;
}

void RunnerControls::StopInputRecording() {
    if (!inputRecording_)
        return;
    std::string error;
    if (!inputRecording_->Finish(&error)) {
        std::fprintf(stderr, "input recording not written: %s\n", error.c_str());
        failures_.push_back(error);
    } else {
        std::fprintf(stderr, "recorded input: %s (%d events)\n", inputRecording_->Path().c_str(),
                     inputRecording_->EventsWritten());
    }
    inputRecording_.reset();
    state_.recordingInput = false;
}

bool RunnerControls::StartRecording(const std::string& path, std::string* error) {
    StopRecording();
    recorder_ = GifRecorder::Open(path, settings_.recordArea, error);
    state_.recording = recorder_ != nullptr;
    if (!recorder_)
        return false;
    recordingPath_ = path;
    // The screen as it is when the recording starts is its first frame.
    recorder_->AddFrame(win32::Framebuffer::Instance().Buffer(), win32::clock::Now());
    std::fprintf(stderr, "recording: %s\n", path.c_str());
    return true;
}

void RunnerControls::StopRecording() {
    if (!recorder_)
        return;
    std::string error;
    if (!recorder_->Finish(win32::clock::Now(), &error)) {
        std::fprintf(stderr, "recording not written: %s\n", error.c_str());
        failures_.push_back(error);
    } else {
        std::fprintf(stderr, "recorded: %s (%d frames)\n", recordingPath_.c_str(),
                     recorder_->FramesWritten());
    }
    recorder_.reset();
    state_.recording = false;
}

void RunnerControls::Sample() {
    long long presented = hooks_.framesPresented ? hooks_.framesPresented() : 0;
    if (presented != lastPresented_) {
        lastPresented_ = presented;
        // Every presented frame is offered to the recording, at the program's tick; frames
        // that change nothing on the screen only lengthen the one before.
        if (recorder_)
            recorder_->AddFrame(win32::Framebuffer::Instance().Buffer(), win32::clock::Now());
        Apply({Kind::FramePresented});
    }
    // A pass does nothing but let held input go (this runs on every pass of the loop).
    if (state_.held > 0)
        Apply({Kind::Pass});
}

void RunnerControls::TakeScreenshot() {
    std::string path = NewCapturePath(settings_.capturesDir, "png");
    std::string error;
    if (!WriteScreenPng(path, &error)) {
        std::fprintf(stderr, "screenshot not written: %s\n", error.c_str());
        failures_.push_back(error);
        return;
    }
    std::fprintf(stderr, "screenshot: %s\n", path.c_str());
}

}  // namespace nuvik::host
