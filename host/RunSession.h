// The bookkeeping of one run that both hosts share: the start tick, scripted input delivered
// when due, the close request of --run-for, the shown frame rates, and (headless) message
// boxes that nobody answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/FrameIntervals.h"
#include "host/InputSink.h"
#include "host/PadMapping.h"
#include "host/RunnerControls.h"
#include "host/Script.h"
#include "host/SystemHooks.h"
#include "host/TickBoundaryInput.h"

namespace nuvik::host {

struct SessionSettings {
    std::optional<std::uint32_t> runForMs;
    std::vector<ScriptEvent> script;
    // Answer a message box with Enter when the script has not answered it in time.
    bool dismissMessageBoxes = false;
    // Whether a message box is still up; without it, a box counts as up until the script
    // answers it (Enter, Space, Escape or a left click) or it is answered for the script.
    bool (*messageBoxOpen)() = nullptr;
    // What a scripted pad button stands for.
    PadMapping padMapping{};
};

class RunSession {
  public:
    static constexpr std::uint32_t kMessageBoxTimeoutMs = 500;
    static constexpr std::uint32_t kNothingDue = 0xFFFFFFFFu;

    RunSession(SessionSettings settings, const SystemHooks& hooks, InputSink& input);

    // The runner's controls, when the run has them (pause, frame advance).
    void SetControls(RunnerControls* controls) { controls_ = controls; }
    // True while the runner holds the program (paused): a host does not return to it.
    bool HoldsProgram() const { return controls_ != nullptr && controls_->HoldsProgram(); }

    // The run starts now. The script, --run-for and screenshots keep the host's time, which
    // goes on while the program's is paused or scaled.
    void Start();

    // Records the rate on screen when it changed, and the interval since the last presented
    // frame when one was presented. Cheap: a host calls it on every pass.
    void SampleShownFps();

    // Reads the clock and does what has become due: scripted input, input that waited for
    // this tick, the --run-for close request, answering a forgotten message box. Samples the
    // shown rate too.
    void Update();

    // One PeekMessageA of the program's loop: samples on every call and updates on every 64th.
    void Poll();
    // The virtual clock's step on a pass that found no message: one tick, then what is due.
    // Every host steps through these two alike, so that a run in a window and its replay
    // headless hand the program the same input at the same points.
    void NextVirtualTick();
    // Where a host sends input that must wait for the next tick (a window on the virtual clock).
    InputSink& InputAtNextTick() { return atNextTick_; }

    std::uint32_t StartTick() const { return startTick_; }
    long long FramesPresented() const {
        return hooks_.framesPresented ? hooks_.framesPresented() : 0;
    }
    std::uint32_t ElapsedMs() const;
    // Ticks until the next thing Update would do, 0 when overdue, kNothingDue when nothing is
    // scheduled; a host that may sleep sleeps no longer than this.
    std::uint32_t MsUntilNextDue() const;

    const std::vector<int>& ShownFps() const { return shownFps_; }
    // Ticks between successive presented frames, as first seen by SampleShownFps.
    const FrameIntervals& Intervals() const { return intervals_; }
    // Screenshots of the script that could not be written.
    const std::vector<std::string>& Failures() const { return failures_; }

  private:
    struct OpenBox {
        std::uint32_t appearedAt;  // clock tick
    };

    void Deliver(const ScriptEvent& event);
    void WatchStalledClock();
    void WatchMessageBoxes();
    void AnswerOverdueMessageBox(std::uint32_t now);
    void TakeScreenshot(const ScriptEvent& event);

    SessionSettings settings_;
    SystemHooks hooks_;
    InputSink& input_;
    RunnerControls* controls_ = nullptr;
    std::uint32_t startTick_ = 0;
    std::size_t nextEvent_ = 0;
    bool closeRequested_ = false;
    bool interruptAnswered_ = false;
    static constexpr unsigned kStalledUpdates = 50000;
    std::uint32_t stalledAt_ = 0;
    unsigned updatesAtTick_ = 0;
    std::vector<int> shownFps_;
    FrameIntervals intervals_;
    long long lastPresented_ = 0;
    std::uint32_t lastPresentTick_ = 0;
    std::size_t boxesSeen_ = 0;
    std::vector<OpenBox> openBoxes_;  // innermost last
    std::vector<std::string> failures_;
    TickBoundaryInput atNextTick_;
    unsigned polls_ = 0;
};

}  // namespace nuvik::host
