#include "host/web/WebHost.h"

#include <emscripten.h>

#include <algorithm>

#include "win32/platform/Clock.h"

// The page's side lives in nuvik-page.js (Module.nuvikPage); these are its doors.

// (EM_JS bodies pass through the preprocessor, which splits "!==" into "!= =": loose
// comparisons only.)
EM_JS(int, nuvik_page_available, (),
      { return (typeof document != 'undefined' && Module['nuvikPage']) ? 1 : 0; });

EM_JS(double, nuvik_page_now, (), { return performance.now(); });

// Suspends the program until `atMs` on performance.now(), letting the browser run.
EM_JS(void, nuvik_page_yield_until, (double atMs),
      { Asyncify.handleSleep(function(wakeUp) { Module['nuvikPage'].wakeAt(atMs, wakeUp); }); });

// Copies up to `capacity` queued input events (four ints each) to `events`; returns how many.
EM_JS(int, nuvik_page_take_input, (int* events, int capacity),
      { return Module['nuvikPage'].takeInput(events, capacity); });

EM_JS(void, nuvik_page_show, (const void* rgba, int x, int y, int width, int height),
      { Module['nuvikPage'].show(rgba, x, y, width, height); });

namespace nuvik::host {

namespace {

using win32::Framebuffer;

// How often the picture is shown at most (about the display's refresh), and how long the
// virtual clock runs before the page gets its turn.
constexpr double kPresentIntervalMs = 16;
constexpr double kVirtualSliceMs = 16;
constexpr unsigned kPollsPerService = 64;
// A program that presents at a steady period is woken this many ticks before its next frame
// is due, and then on every tick; it rests at most this long in one go.
constexpr std::uint32_t kWakeLeadTicks = 3;
constexpr std::uint32_t kLongestRestTicks = 100;
constexpr std::uint32_t kShortestPeriodTicks = 8;

enum EventKind {
    kKeyDown = 1,
    kKeyUp = 2,
    kMouseMove = 3,
    kMouseDown = 4,
    kMouseUp = 5,
    kPadDown = 6,
    kPadUp = 7,
    kClose = 8,
    kMinimize = 9,
    kRestore = 10,
};

win32::input::MouseButton ButtonOf(int code) {
    switch (code) {
        case 1:
            return win32::input::MouseButton::Middle;
        case 2:
            return win32::input::MouseButton::Right;
        default:
            return win32::input::MouseButton::Left;
    }
}

}  // namespace

bool WebHost::PageAvailable() {
    return nuvik_page_available() != 0;
}

WebHost::WebHost(WebSettings settings, RunSession& session, InputSink& input)
    : settings_(settings), session_(session), input_(input) {
    rgba_.assign(static_cast<std::size_t>(Framebuffer::kWidth) * Framebuffer::kHeight, 0);
    lastYieldMs_ = nuvik_page_now();
}

void WebHost::YieldUntil(double atMs) {
    PresentIfDue(nuvik_page_now());
    nuvik_page_yield_until(atMs);
    lastYieldMs_ = nuvik_page_now();
    TakeInput();
}

void WebHost::TakeInput() {
    int events[4 * 64];
    int count = 0;
    while ((count = nuvik_page_take_input(events, 64)) > 0) {
        for (int i = 0; i < count; ++i) {
            const int* event = events + 4 * i;
            switch (event[0]) {
                case kKeyDown:
                    input_.KeyDown(event[1]);
                    break;
                case kKeyUp:
                    input_.KeyUp(event[1]);
                    break;
                case kMouseMove:
                    input_.MouseMove(event[2], event[3]);
                    break;
                case kMouseDown:
                    input_.MouseButtonDown(ButtonOf(event[1]), event[2], event[3]);
                    break;
                case kMouseUp:
                    input_.MouseButtonUp(ButtonOf(event[1]), event[2], event[3]);
                    break;
                case kPadDown:
                case kPadUp:
                    if (event[1] >= 0 && event[1] < kPadButtonCount) {
                        int key = settings_.padMapping.KeyFor(static_cast<PadButton>(event[1]));
                        if (key != 0 && event[0] == kPadDown)
                            input_.KeyDown(key);
                        else if (key != 0)
                            input_.KeyUp(key);
                    }
                    break;
                case kClose:
                    input_.RequestClose();
                    break;
                case kMinimize:
                    input_.RequestMinimize();
                    break;
                case kRestore:
                    input_.RequestRestore();
                    break;
                default:
                    break;
            }
        }
    }
}

void WebHost::Poll() {
    session_.SampleShownFps();
    if (polls_++ % kPollsPerService != 0)
        return;
    session_.Update();
    // A loop that never finds its queue empty still lets the page draw and take input.
    double now = nuvik_page_now();
    if (now - lastYieldMs_ >= kVirtualSliceMs)
        YieldUntil(0);
}

void WebHost::HoldWhilePaused() {
    while (session_.HoldsProgram()) {
        if (settings_.virtualClock)
            win32::clock::AdvanceVirtual(1);
        session_.Update();
        YieldUntil(nuvik_page_now() + 10);
    }
}

void WebHost::Idle(int waitMs) {
    if (session_.HoldsProgram()) {
        HoldWhilePaused();
        return;
    }
    if (settings_.virtualClock) {
        // Time is the loop's: one tick per empty pass. The page's turn takes no tick.
        win32::clock::AdvanceVirtual(1);
        session_.Update();
        if (polls_++ % kPollsPerService == 0 && nuvik_page_now() - lastYieldMs_ >= kVirtualSliceMs)
            YieldUntil(0);
        return;
    }
    session_.SampleShownFps();
    if (waitMs == 0) {
        Poll();
        return;
    }
    session_.Update();
    // A caller willing to block (a modal loop) waits a millisecond at a time for input.
    YieldUntil(nuvik_page_now() + 1);
    session_.Update();
}

void WebHost::IdleUntilNextTick() {
    if (settings_.virtualClock || settings_.busyLoop || session_.HoldsProgram()) {
        Idle(0);
        return;
    }
    // The program has seen this tick with nothing queued: the browser has the rest of it, and
    // more when the program's frames come at a steady period and the next is not near. Every
    // turn of the browser costs far more than a pass of the program (a task of its own, the
    // program's stack put away and brought back), so waking on every tick would cost a tenth
    // of a core for nothing. Input that arrives meanwhile wakes the program at once.
    double nextTickMs = static_cast<double>(win32::clock::NextRealTickNs()) / 1e6;
    YieldUntil(nextTickMs + RestBeyondNextTick());
    session_.Update();
}

std::uint32_t WebHost::RestBeyondNextTick() {
    long long presented = session_.FramesPresented();
    std::uint32_t now = win32::clock::Now();
    if (presented != lastPresented_) {
        framePeriod_ = presented == lastPresented_ + 1 ? now - lastPresentTick_ : 0;
        lastPresented_ = presented;
        lastPresentTick_ = now;
    }
    // Only at the program's own pace, and only for a period seen just now.
    if (framePeriod_ < kShortestPeriodTicks || framePeriod_ > kLongestRestTicks ||
        win32::clock::Speed() != 1.0 || win32::clock::IsPaused())
        return 0;
    std::uint32_t since = now - lastPresentTick_;
    if (since + kWakeLeadTicks + 1 >= framePeriod_)
        return 0;
    std::uint32_t rest = framePeriod_ - kWakeLeadTicks - 1 - since;
    std::uint32_t due = session_.MsUntilNextDue();
    return std::min({rest, due > 0 ? due - 1 : 0, kLongestRestTicks});
}

void WebHost::PresentIfDue(double nowMs) {
    const Framebuffer& framebuffer = Framebuffer::Instance();
    if (!framebuffer.IsDirty() && presentedOnce_ && tableFormat_ == framebuffer.Format())
        return;
    if (presentedOnce_ && nowMs - lastPresentMs_ < kPresentIntervalMs)
        return;
    lastPresentMs_ = nowMs;
    Present();
}

void WebHost::BuildColourTable(const win32::PixelFormat& format) {
    tableFormat_ = format;
    tableBuilt_ = format.bitsPerPixel == 16;
    if (!tableBuilt_)
        return;
    // The same widening as screenshots (win32::UnpackColor), as the canvas's R, G, B, A bytes.
    table16_.resize(65536);
    for (std::uint32_t pixel = 0; pixel < 65536; ++pixel) {
        COLORREF colour = win32::UnpackColor(format, pixel);
        table16_[pixel] = 0xFF000000u | static_cast<std::uint32_t>(GetBValue(colour)) << 16 |
                          static_cast<std::uint32_t>(GetGValue(colour)) << 8 | GetRValue(colour);
    }
}

void WebHost::Present() {
    Framebuffer& framebuffer = Framebuffer::Instance();
    const win32::PixelBuffer& buffer = framebuffer.Buffer();
    RECT dirty = framebuffer.TakeDirty();
    if (!presentedOnce_ || !(tableFormat_ == buffer.format)) {
        BuildColourTable(buffer.format);
        dirty = {0, 0, Framebuffer::kWidth, Framebuffer::kHeight};
    }
    presentedOnce_ = true;
    dirty.left = std::max<LONG>(dirty.left, 0);
    dirty.top = std::max<LONG>(dirty.top, 0);
    dirty.right = std::min<LONG>(dirty.right, std::min(buffer.width, Framebuffer::kWidth));
    dirty.bottom = std::min<LONG>(dirty.bottom, std::min(buffer.height, Framebuffer::kHeight));
    if (dirty.right <= dirty.left || dirty.bottom <= dirty.top)
        return;
    for (LONG y = dirty.top; y < dirty.bottom; ++y) {
        std::uint32_t* out = rgba_.data() + static_cast<std::size_t>(y) * Framebuffer::kWidth;
        if (tableBuilt_) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(
                buffer.bits + static_cast<std::size_t>(y) * buffer.pitch);
            for (LONG x = dirty.left; x < dirty.right; ++x)
                out[x] = table16_[row[x]];
        } else {
            for (LONG x = dirty.left; x < dirty.right; ++x) {
                COLORREF colour = win32::UnpackColor(buffer.format, win32::ReadPixel(buffer, x, y));
                out[x] = 0xFF000000u | static_cast<std::uint32_t>(GetBValue(colour)) << 16 |
                         static_cast<std::uint32_t>(GetGValue(colour)) << 8 | GetRValue(colour);
            }
        }
    }
    nuvik_page_show(rgba_.data(), dirty.left, dirty.top, dirty.right - dirty.left,
                    dirty.bottom - dirty.top);
}

}  // namespace nuvik::host
