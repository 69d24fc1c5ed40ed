// Input that waits for the next tick of the host's clock. On the virtual clock a window's input
// goes through here, so that it reaches the program where a script's would, just after the tick
// moved on, and never in the middle of the program's work on a tick: a recorded session then
// replays headless to the same pixels.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>

#include "host/InputSink.h"

namespace nuvik::host {

class TickBoundaryInput final : public InputSink {
  public:
    void KeyDown(int virtualKey) override;
    void KeyUp(int virtualKey) override;
    void MouseMove(int x, int y) override;
    void MouseButtonDown(win32::input::MouseButton button, int x, int y) override;
    void MouseButtonUp(win32::input::MouseButton button, int x, int y) override;
    void RequestClose() override;
    void RequestMinimize() override;
    void RequestRestore() override;

    // Passes on to `to`, in order, what came in before the host's tick `nowTick`.
    void DeliverBefore(std::uint32_t nowTick, InputSink& to);
    void Clear() { waiting_.clear(); }

  private:
    struct Waiting {
        std::uint32_t cameAt;  // the host's tick
        std::function<void(InputSink&)> event;
    };
    void Wait(std::function<void(InputSink&)> event);

    std::deque<Waiting> waiting_;
};

}  // namespace nuvik::host
