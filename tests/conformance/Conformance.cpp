#include "Conformance.h"

#include <algorithm>
#include <map>

#ifndef _WIN32
#include "assets/Assets.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Host.h"
#include "win32/platform/WindowSystem.h"
#endif

namespace conformance {

namespace {

Recorder* current = nullptr;

#ifndef _WIN32
// Our layer answers a thread with nothing to do through its host; this one waits on the real
// clock as a window system would, so that timers and message boxes behave as on Windows.
class RealTimeHost : public win32::Host {
  public:
    void Poll() override {}
    void Idle(int waitMs) override {
        if (waitMs != 0)
            Sleep(1);
    }
    void SetCursorShape(HCURSOR) override {}
};

RealTimeHost realTimeHost;
#endif

}  // namespace

bool RunningOnWine() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

void Win32Test::SetUp() {
#ifndef _WIN32
    // Our layer: an empty window system on the real clock, a fresh screen, the program's
    // resources in place as the executable carries them on Windows.
    win32::SetCurrentHost(&realTimeHost);
    nuvik::assets::RegisterAll();
    win32::windowsystem::Reset();
    win32::Framebuffer::Instance().Reset();
    win32::clock::UseRealClock();
#endif
}

void Win32Test::TearDown() {
    Pump();
#ifndef _WIN32
    win32::windowsystem::Reset();
    win32::SetCurrentHost(nullptr);
#endif
}

int Pump() {
    int handled = 0;
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ++handled;
    }
    return handled;
}

Recorder::Recorder() {
    WNDCLASSA existing{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), kClass, &existing)) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Recorder::Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClass;
        RegisterClassA(&windowClass);
    }
    current = this;
}

Recorder::~Recorder() {
    // Children go with their parents; destroy top-level windows last to first.
    for (auto it = names_.rbegin(); it != names_.rend(); ++it) {
        if (IsWindow(it->window) && GetParent(it->window) == nullptr)
            DestroyWindow(it->window);
    }
    Pump();
    current = nullptr;
}

HWND Recorder::Create(const std::string& name, DWORD style, int x, int y, int width, int height,
                      HWND parent, DWORD exStyle) {
    creating_ = name;
    HWND window = CreateWindowExA(exStyle, kClass, name.c_str(), style, x, y, width, height, parent,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    creating_.clear();
    if (window != nullptr && NameOf(window).empty())
        names_.push_back({window, name});
    return window;
}

std::string Recorder::NameOf(HWND window) const {
    for (const Named& named : names_) {
        if (named.window == window)
            return named.name;
    }
    return {};
}

std::vector<std::string> Recorder::Trace(const std::vector<UINT>& wanted) const {
    std::vector<std::string> trace;
    for (const Seen& seen : seen_) {
        if (wanted.empty() ||
            std::find(wanted.begin(), wanted.end(), seen.message) != wanted.end()) {
            trace.push_back(seen.window + ":" + MessageName(seen.message));
        }
    }
    return trace;
}

void Recorder::PaintWith(HWND window, COLORREF colour) {
    painters_.push_back({window, colour});
}

LRESULT CALLBACK Recorder::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (current == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    std::string name = current->NameOf(window);
    if (name.empty()) {
        // The first messages arrive before CreateWindowExA has returned.
        name = current->creating_;
        if (!name.empty())
            current->names_.push_back({window, name});
    }
    current->seen_.push_back({name, message, wParam, lParam});
    if (message == WM_PAINT) {
        for (const Painter& painter : current->painters_) {
            if (painter.window != window)
                continue;
            PAINTSTRUCT paint{};
            HDC dc = BeginPaint(window, &paint);
            RECT client{};
            GetClientRect(window, &client);
            HBRUSH brush = CreateSolidBrush(painter.colour);
            FillRect(dc, &client, brush);
            DeleteObject(brush);
            EndPaint(window, &paint);
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace conformance
