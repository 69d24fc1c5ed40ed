#include "host/RunnerControls.h"

#include "host/ScreenCapture.h"

#include <cstdio>

#include "win32/constants.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Framebuffer.h"

namespace nuvik::host {

namespace {

constexpr double kFastForward = 4.0;

bool IsRunnerKey(int virtualKey) {
    switch (virtualKey) {
        case VK_PAUSE:
        case VK_F8:
        case VK_TAB:
        case VK_F3:
        case VK_F9:
        case VK_F11:
        case VK_F12:
            return true;
        default:
            return false;
    }
}

}  // namespace

RunnerControls::RunnerControls(InputSink& program, const SystemHooks& hooks,
                               ControlSettings settings)
    : program_(program), hooks_(hooks), settings_(std::move(settings)) {
    if (!win32::clock::IsVirtual())
        win32::clock::SetSpeed(settings_.speed);
}

void RunnerControls::KeyDown(int virtualKey) {
    if (!IsRunnerKey(virtualKey)) {
        Deliver([virtualKey](InputSink& sink) { sink.KeyDown(virtualKey); });
        return;
    }
    switch (virtualKey) {
        case VK_PAUSE:
            SetPaused(!paused_);
            break;
        case VK_F8:
            if (paused_ && !advancing_) {
                advancing_ = true;
                advanceFrom_ = hooks_.framesPresented ? hooks_.framesPresented() : 0;
                win32::clock::SetPaused(false);
            }
            break;
        case VK_TAB:
            if (!fastForward_) {
                fastForward_ = true;
                win32::clock::SetSpeed(win32::clock::Speed() * kFastForward);
            }
            break;
        case VK_F3:
            if (toggleOverlay_)
                toggleOverlay_();
            break;
        case VK_F11:
            if (toggleFullScreen_)
                toggleFullScreen_();
            break;
        case VK_F12:
            TakeScreenshot();
            break;
        case VK_F9:
            if (recorder_) {
                StopRecording();
            } else {
                std::string error;
                if (!StartRecording(NewCapturePath(settings_.capturesDir, "gif"), &error)) {
                    std::fprintf(stderr, "recording not started: %s\n", error.c_str());
                    failures_.push_back(error);
                }
            }
            break;
        default:
            break;
    }
}

void RunnerControls::KeyUp(int virtualKey) {
    if (!IsRunnerKey(virtualKey)) {
        Deliver([virtualKey](InputSink& sink) { sink.KeyUp(virtualKey); });
        return;
    }
    if (virtualKey == VK_TAB && fastForward_) {
        fastForward_ = false;
        win32::clock::SetSpeed(win32::clock::Speed() / kFastForward);
    }
}

void RunnerControls::MouseMove(int x, int y) {
    Deliver([x, y](InputSink& sink) { sink.MouseMove(x, y); });
}

void RunnerControls::MouseButtonDown(win32::input::MouseButton button, int x, int y) {
    Deliver([button, x, y](InputSink& sink) { sink.MouseButtonDown(button, x, y); });
}

void RunnerControls::MouseButtonUp(win32::input::MouseButton button, int x, int y) {
    Deliver([button, x, y](InputSink& sink) { sink.MouseButtonUp(button, x, y); });
}

void RunnerControls::RequestClose() {
    // Closing is answered by the program: a paused one is let go first.
    SetPaused(false);
    program_.RequestClose();
}

void RunnerControls::RequestMinimize() {
    program_.RequestMinimize();
}

void RunnerControls::RequestRestore() {
    program_.RequestRestore();
}

bool RunnerControls::StartRecording(const std::string& path, std::string* error) {
    StopRecording();
    recorder_ = GifRecorder::Open(path, settings_.recordArea, error);
    if (!recorder_)
        return false;
    recordingPath_ = path;
    // The screen as it is when the recording starts is its first frame.
    recordedPresents_ = hooks_.framesPresented ? hooks_.framesPresented() : 0;
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
}

void RunnerControls::Sample() {
    // Every presented frame is offered to the recording, at the program's tick; frames that
    // change nothing on the screen only lengthen the one before.
    if (recorder_ && hooks_.framesPresented) {
        long long presented = hooks_.framesPresented();
        if (presented != recordedPresents_) {
            recordedPresents_ = presented;
            recorder_->AddFrame(win32::Framebuffer::Instance().Buffer(), win32::clock::Now());
        }
    }
    // Held input goes on one event a pass, so that the program sees a key that went down and
    // up while it was paused as down for a pass of its own.
    if (!paused_ && replayed_ < held_.size()) {
        held_[replayed_++](program_);
        if (replayed_ == held_.size()) {
            held_.clear();
            replayed_ = 0;
        }
    }
    if (!advancing_ || !hooks_.framesPresented)
        return;
    if (hooks_.framesPresented() != advanceFrom_) {
        advancing_ = false;
        win32::clock::SetPaused(true);
    }
}

void RunnerControls::SetPaused(bool paused) {
    if (paused == paused_)
        return;
    paused_ = paused;
    advancing_ = false;
    win32::clock::SetPaused(paused);
}

void RunnerControls::Deliver(std::function<void(InputSink&)> event) {
    // Behind held input, new input waits its turn too.
    if (paused_ || !held_.empty())
        held_.push_back(std::move(event));
    else
        event(program_);
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
