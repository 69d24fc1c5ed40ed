#include "host/InputSink.h"

namespace nuvik::host {

void WindowSystemInput::KeyDown(int virtualKey) {
    win32::input::KeyDown(virtualKey);
}
void WindowSystemInput::KeyUp(int virtualKey) {
    win32::input::KeyUp(virtualKey);
}
void WindowSystemInput::MouseMove(int x, int y) {
    win32::input::MouseMove(x, y);
}
void WindowSystemInput::MouseButtonDown(win32::input::MouseButton button, int x, int y) {
    win32::input::MouseButtonDown(button, x, y);
}
void WindowSystemInput::MouseButtonUp(win32::input::MouseButton button, int x, int y) {
    win32::input::MouseButtonUp(button, x, y);
}
void WindowSystemInput::RequestClose() {
    win32::input::RequestClose();
}
void WindowSystemInput::RequestMinimize() {
    win32::input::RequestMinimize();
}
void WindowSystemInput::RequestRestore() {
    win32::input::RequestRestore();
}

}  // namespace nuvik::host
