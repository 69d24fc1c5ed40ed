#include "host/TickBoundaryInput.h"

#include "win32/platform/Clock.h"

namespace nuvik::host {

void TickBoundaryInput::KeyDown(int virtualKey) {
    Wait([virtualKey](InputSink& sink) { sink.KeyDown(virtualKey); });
}
void TickBoundaryInput::KeyUp(int virtualKey) {
    Wait([virtualKey](InputSink& sink) { sink.KeyUp(virtualKey); });
}
void TickBoundaryInput::MouseMove(int x, int y) {
    Wait([x, y](InputSink& sink) { sink.MouseMove(x, y); });
}
void TickBoundaryInput::MouseButtonDown(win32::input::MouseButton button, int x, int y) {
    Wait([button, x, y](InputSink& sink) { sink.MouseButtonDown(button, x, y); });
}
void TickBoundaryInput::MouseButtonUp(win32::input::MouseButton button, int x, int y) {
    Wait([button, x, y](InputSink& sink) { sink.MouseButtonUp(button, x, y); });
}
void TickBoundaryInput::RequestClose() {
    Wait([](InputSink& sink) { sink.RequestClose(); });
}
void TickBoundaryInput::RequestMinimize() {
    Wait([](InputSink& sink) { sink.RequestMinimize(); });
}
void TickBoundaryInput::RequestRestore() {
    Wait([](InputSink& sink) { sink.RequestRestore(); });
}

void TickBoundaryInput::Wait(std::function<void(InputSink&)> event) {
    waiting_.push_back({win32::clock::HostNow(), std::move(event)});
}

void TickBoundaryInput::DeliverBefore(std::uint32_t nowTick, InputSink& to) {
    // Taken off before it is passed on: the program may answer it in a modal loop that comes
    // back here.
    while (!waiting_.empty() && waiting_.front().cameAt != nowTick) {
        std::function<void(InputSink&)> event = std::move(waiting_.front().event);
        waiting_.pop_front();
        event(to);
    }
}

}  // namespace nuvik::host
