#include "UserTestSupport.h"

#include <algorithm>
#include <sstream>

#include "MessageNames.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/WindowSystem.h"

namespace usertest {

namespace {
Recorder* g_recorder = nullptr;
}  // namespace

std::string MessageName(UINT message) {
    // Message 0 marks the notes tests put between the messages they record.
    return message == 0 ? "(note)" : conformance::MessageName(message);
}

Recorder::Recorder() {
    g_recorder = this;
}

Recorder::~Recorder() {
    if (g_recorder == this)
        g_recorder = nullptr;
}

void Recorder::RegisterClass(const char* name, UINT style, HBRUSH background, HCURSOR cursor) {
    WNDCLASSA cls{};
    cls.style = style;
    cls.lpfnWndProc = Recorder::Proc;
    cls.lpszClassName = name;
    cls.hbrBackground = background;
    cls.hCursor = cursor;
    ASSERT_NE(RegisterClassA(&cls), 0) << name;
}

HWND Recorder::Create(const std::string& name, const char* className, DWORD style, int x, int y,
                      int width, int height, HWND parent, DWORD exStyle) {
    // The name is known before CreateWindowExA returns, so that WM_NCCREATE is recorded
    // under it.
    pendingName_ = name;
    HWND hwnd = CreateWindowExA(exStyle, className, name.c_str(), style, x, y, width, height,
                                parent, nullptr, nullptr, nullptr);
    pendingName_.clear();
    if (hwnd != nullptr)
        names_[hwnd] = name;
    return hwnd;
}

std::string Recorder::NameOf(HWND hwnd) const {
    auto it = names_.find(hwnd);
    return it != names_.end() ? it->second : "?";
}

void Recorder::Ignore(std::initializer_list<UINT> messages) {
    ignored_.insert(ignored_.end(), messages.begin(), messages.end());
}

std::vector<Seen> Recorder::Of(UINT message) const {
    std::vector<Seen> matching;
    for (const Seen& s : seen_) {
        if (s.message == message)
            matching.push_back(s);
    }
    return matching;
}

LRESULT CALLBACK Recorder::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Recorder* self = g_recorder;
    if (self == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCCREATE && !self->pendingName_.empty())
        self->names_[hwnd] = self->pendingName_;
    if (std::find(self->ignored_.begin(), self->ignored_.end(), message) == self->ignored_.end())
        self->seen_.push_back({self->NameOf(hwnd), message, wParam, lParam});
    auto reaction = self->reactions_.find(message);
    if (reaction != self->reactions_.end()) {
        LRESULT result = 0;
        if (reaction->second(hwnd, wParam, lParam, &result))
            return result;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

::testing::AssertionResult SameSequence(const std::vector<Seen>& seen,
                                        const std::vector<Step>& expected) {
    std::ostringstream report;
    bool same = seen.size() == expected.size();
    std::size_t rows = std::max(seen.size(), expected.size());
    for (std::size_t i = 0; i < rows; ++i) {
        std::string got =
            i < seen.size() ? seen[i].window + " " + MessageName(seen[i].message) : "(nothing)";
        std::string want = i < expected.size()
                               ? expected[i].window + " " + MessageName(expected[i].message)
                               : "(nothing)";
        bool row = got == want;
        if (row && i < seen.size() && expected[i].checkParams) {
            row = seen[i].wParam == expected[i].wParam && seen[i].lParam == expected[i].lParam;
            if (!row) {
                got += " (" + std::to_string(seen[i].wParam) + ", " +
                       std::to_string(seen[i].lParam) + ")";
                want += " (" + std::to_string(expected[i].wParam) + ", " +
                        std::to_string(expected[i].lParam) + ")";
            }
        }
        same = same && row;
        report << (row ? "   " : "!! ") << i << ": " << got;
        if (!row)
            report << "   expected " << want;
        report << "\n";
    }
    if (same)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "message sequence differs:\n" << report.str();
}

int PumpMessages(int limit) {
    MSG msg;
    int count = 0;
    while (count < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++count;
    }
    return count;
}

ScriptedHost::ScriptedHost() {
    win32::SetCurrentHost(this);
}

ScriptedHost::~ScriptedHost() {
    if (win32::CurrentHost() == this)
        win32::SetCurrentHost(nullptr);
}

void ScriptedHost::Idle(int) {
    ++idles;
    win32::clock::AdvanceVirtual(1);
    if (next_ < actions_.size())
        actions_[next_++]();
    else if (++idlesAfterScript_ == 10000)
        PostQuitMessage(99);
}

void UserTest::SetUp() {
    win32::SetCurrentHost(nullptr);
    win32::windowsystem::Reset();
    win32::Framebuffer::Instance().Reset();
    win32::diagnostics::Clear();
    win32::clock::UseVirtualClock(100000);
}

void UserTest::TearDown() {
    win32::windowsystem::Reset();
    win32::SetCurrentHost(nullptr);
    win32::clock::UseRealClock();
}

}  // namespace usertest
