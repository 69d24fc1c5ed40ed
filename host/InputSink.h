// Where a host's input goes. The runner sends it to the window system; the host's own tests
// record it, to check what was delivered at which tick without a window system underneath.
#pragma once

#include "win32/platform/Input.h"

namespace nuvik::host {

class InputSink {
  public:
    virtual ~InputSink() = default;
    virtual void KeyDown(int virtualKey) = 0;
    virtual void KeyUp(int virtualKey) = 0;
    virtual void MouseMove(int x, int y) = 0;
    virtual void MouseButtonDown(win32::input::MouseButton button, int x, int y) = 0;
    virtual void MouseButtonUp(win32::input::MouseButton button, int x, int y) = 0;
    virtual void RequestClose() = 0;
    virtual void RequestMinimize() = 0;
    virtual void RequestRestore() = 0;
};

// Forwards everything to win32::input.
class WindowSystemInput final : public InputSink {
  public:
    void KeyDown(int virtualKey) override;
    void KeyUp(int virtualKey) override;
    void MouseMove(int x, int y) override;
    void MouseButtonDown(win32::input::MouseButton button, int x, int y) override;
    void MouseButtonUp(win32::input::MouseButton button, int x, int y) override;
    void RequestClose() override;
    void RequestMinimize() override;
    void RequestRestore() override;
};

}  // namespace nuvik::host
