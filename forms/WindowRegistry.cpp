#include "forms/WindowRegistry.h"

#include <unordered_map>

#include "forms/Application.h"
#include "forms/WinControl.h"

namespace forms::detail {

namespace {

struct Registry {
    std::unordered_map<HWND, TWinControl*> windows;
    TWinControl* creating = nullptr;
    TControl* capture = nullptr;
};

Registry& State() {
    static Registry registry;
    return registry;
}

}  // namespace

void AttachWindow(HWND window, TWinControl* control) {
    State().windows[window] = control;
}

void DetachWindow(HWND window) {
    State().windows.erase(window);
}

TWinControl* ControlOfWindow(HWND window) {
    if (window == nullptr)
        return nullptr;
    auto& windows = State().windows;
    auto found = windows.find(window);
    return found != windows.end() ? found->second : nullptr;
}

void SetCreatingControl(TWinControl* control) {
    State().creating = control;
}

TWinControl* CreatingControl() {
    return State().creating;
}

void SetCaptureControl(TControl* control) {
    State().capture = control;
}

TControl* CaptureControl() {
    TControl* control = State().capture;
    if (control == nullptr)
        return nullptr;
    HWND captured = GetCapture();
    TWinControl* window = ControlOfWindow(captured);
    if (window == nullptr || (window != control && window != control->Parent())) {
        State().capture = nullptr;
        return nullptr;
    }
    return control;
}

void ForgetControl(const TControl* control) {
    if (State().capture == control)
        State().capture = nullptr;
    if (State().creating == control)
        State().creating = nullptr;
    Application->ControlDestroyed(control);
}

}  // namespace forms::detail
