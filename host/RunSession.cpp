#include "host/RunSession.h"

#include "host/ProcessSignals.h"
#include "host/ScreenCapture.h"

#include <algorithm>
#include <cstdio>

#include "win32/constants.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"

namespace nuvik::host {

using Kind = ScriptEvent::Kind;

RunSession::RunSession(SessionSettings settings, const SystemHooks& hooks, InputSink& input)
    : settings_(std::move(settings)), hooks_(hooks), input_(input) {}

void RunSession::Start() {
    startTick_ = win32::clock::HostNow();
    nextEvent_ = 0;
    closeRequested_ = false;
    shownFps_.clear();
    intervals_.Clear();
    lastPresented_ = 0;
    boxesSeen_ = win32::diagnostics::MessageBoxes().size();
    openBoxes_.clear();
    failures_.clear();
    atNextTick_.Clear();
    if (controls_ != nullptr)
        controls_->SetRunStart(startTick_);
}

void RunSession::SampleShownFps() {
    if (controls_ != nullptr)
        controls_->Sample();
    if (!hooks_.framesPresented || !hooks_.shownFps)
        return;
    // Before the first present the screen shows no rate at all, whatever the variable holds.
    long long presented = hooks_.framesPresented();
    if (presented <= 0)
        return;
    if (presented != lastPresented_) {
        std::uint32_t now = win32::clock::Now();
        if (lastPresented_ > 0)
            intervals_.Add(now - lastPresentTick_);
        lastPresented_ = presented;
        lastPresentTick_ = now;
    }
    int shown = hooks_.shownFps();
    if (shownFps_.empty() || shownFps_.back() != shown)
        shownFps_.push_back(shown);
}

std::uint32_t RunSession::ElapsedMs() const {
    return win32::clock::HostNow() - startTick_;
}

void RunSession::Update() {
    SampleShownFps();
    if (settings_.dismissMessageBoxes)
        WatchMessageBoxes();

    // Every step below moves its own state on before calling out: input can be dispatched
    // at once, and a handler that opens a message box re-enters this host from its modal loop.
    std::uint32_t elapsed = ElapsedMs();
    while (nextEvent_ < settings_.script.size() && settings_.script[nextEvent_].atMs <= elapsed) {
        const ScriptEvent& event = settings_.script[nextEvent_++];
        Deliver(event);
    }
    atNextTick_.DeliverBefore(win32::clock::HostNow(), input_);
    if (settings_.runForMs && !closeRequested_ && elapsed >= *settings_.runForMs) {
        closeRequested_ = true;
        input_.RequestClose();
    }
    WatchStalledClock();
    // Ctrl-C and SIGTERM close the main window as a window manager would.
    if (!interruptAnswered_ && InterruptSignal() != 0) {
        interruptAnswered_ = true;
        input_.RequestClose();
    }
    if (settings_.dismissMessageBoxes) {
        WatchMessageBoxes();
        AnswerOverdueMessageBox(win32::clock::Now());
    }
}

void RunSession::Poll() {
    // Poll runs on every PeekMessageA; the clock is read on every this-many calls only.
    constexpr unsigned kPollsPerUpdate = 64;
    SampleShownFps();
    if (polls_++ % kPollsPerUpdate == 0)
        Update();
}

void RunSession::NextVirtualTick() {
    win32::clock::AdvanceVirtual(1);
    Update();
}

std::uint32_t RunSession::MsUntilNextDue() const {
    std::uint32_t elapsed = ElapsedMs();
    std::uint32_t soonest = kNothingDue;
    auto consider = [&](std::uint32_t dueAt) {
        soonest = std::min(soonest, dueAt > elapsed ? dueAt - elapsed : 0u);
    };
    if (nextEvent_ < settings_.script.size())
        consider(settings_.script[nextEvent_].atMs);
    if (settings_.runForMs && !closeRequested_)
        consider(*settings_.runForMs);
    if (settings_.dismissMessageBoxes && !openBoxes_.empty()) {
        std::uint32_t open = win32::clock::Now() - openBoxes_.back().appearedAt;
        soonest =
            std::min(soonest, open >= kMessageBoxTimeoutMs ? 0u : kMessageBoxTimeoutMs - open);
    }
    return soonest;
}

void RunSession::WatchStalledClock() {
    if (!win32::clock::IsVirtual())
        return;
    const std::uint32_t now = win32::clock::Now();
    if (now != stalledAt_) {
        stalledAt_ = now;
        updatesAtTick_ = 0;
        return;
    }
    if (++updatesAtTick_ != kStalledUpdates)
        return;
    // The virtual clock moves only on a pass that finds the queue empty: something refills
    // it on every pass, and the run would never reach --run-for or a later script line.
    std::fprintf(stderr,
                 "nuvik: the message queue has not been empty for %u passes, so the virtual "
                 "clock stands at tick %u%s\n",
                 kStalledUpdates, now,
                 settings_.runForMs ? "; closing the main window as --run-for would" : "");
    if (settings_.runForMs && !closeRequested_) {
        closeRequested_ = true;
        input_.RequestClose();
    }
}

void RunSession::Deliver(const ScriptEvent& event) {
    // Enter, Space, Escape and a left click are the ways a script answers a message box; the
    // innermost open box is then no longer waiting for the host to answer it.
    auto answered = [&]() {
        if (!openBoxes_.empty())
            openBoxes_.pop_back();
    };
    switch (event.kind) {
        case Kind::KeyDown:
            if (event.virtualKey == VK_RETURN || event.virtualKey == VK_SPACE ||
                event.virtualKey == VK_ESCAPE)
                answered();
            input_.KeyDown(event.virtualKey);
            break;
        case Kind::KeyUp:
            input_.KeyUp(event.virtualKey);
            break;
        case Kind::MouseMove:
            input_.MouseMove(event.x, event.y);
            break;
        case Kind::MouseDown:
            input_.MouseButtonDown(event.button, event.x, event.y);
            break;
        case Kind::MouseUp:
            if (event.button == win32::input::MouseButton::Left)
                answered();
            input_.MouseButtonUp(event.button, event.x, event.y);
            break;
        case Kind::Click:
            answered();
            input_.MouseMove(event.x, event.y);
            input_.MouseButtonDown(win32::input::MouseButton::Left, event.x, event.y);
            input_.MouseButtonUp(win32::input::MouseButton::Left, event.x, event.y);
            break;
        case Kind::Minimize:
            input_.RequestMinimize();
            break;
        case Kind::Restore:
            input_.RequestRestore();
            break;
        case Kind::Close:
            input_.RequestClose();
            break;
        case Kind::Screenshot:
            TakeScreenshot(event);
            break;
        case Kind::PadDown:
        case Kind::PadUp:
            if (int key = settings_.padMapping.KeyFor(static_cast<PadButton>(event.padButton))) {
                if (event.kind == Kind::PadDown)
                    input_.KeyDown(key);
                else
                    input_.KeyUp(key);
            }
            break;
    }
}

void RunSession::WatchMessageBoxes() {
    const auto& boxes = win32::diagnostics::MessageBoxes();
    if (boxes.size() < boxesSeen_)
        boxesSeen_ = boxes.size();  // the record was cleared
    while (boxesSeen_ < boxes.size())
        openBoxes_.push_back({boxes[boxesSeen_++].atMs});
    // A box closed by other means (a click on OK, the program itself) needs no answer.
    if (!openBoxes_.empty() && settings_.messageBoxOpen && !settings_.messageBoxOpen())
        openBoxes_.clear();
}

void RunSession::AnswerOverdueMessageBox(std::uint32_t now) {
    if (openBoxes_.empty() || now - openBoxes_.back().appearedAt < kMessageBoxTimeoutMs)
        return;
    openBoxes_.pop_back();
    input_.KeyDown(VK_RETURN);
    input_.KeyUp(VK_RETURN);
}

void RunSession::TakeScreenshot(const ScriptEvent& event) {
    std::string error;
    if (!WriteScreenPng(event.path, &error))
        failures_.push_back("cannot write screenshot " + event.path + " (script line " +
                            std::to_string(event.line) + "): " + error);
}

}  // namespace nuvik::host
