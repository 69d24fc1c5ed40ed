// Shared pieces of the conformance tests: tests that touch only the Win32 API, built for Linux
// against our win32 layer and for Windows against the real one (run there under Wine). The
// test bodies use nothing else; only Conformance.cpp knows which platform it is on.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MessageNames.h"
#include "win32/api.h"

namespace conformance {

// Whether the Win32 implementation underneath is Wine (its ntdll exports wine_get_version).
bool RunningOnWine();

// Every test starts from a window system with no windows of ours and leaves none behind.
class Win32Test : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Pumps with PeekMessageA / DispatchMessageA until the queue is empty; the messages handled.
int Pump();

// A window class whose procedure records what its windows receive, by window name.
struct Seen {
    std::string window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class Recorder {
  public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    static constexpr const char* kClass = "ConformanceRecorder";

    // A window of the recording class; destroyed with the recorder if still alive.
    HWND Create(const std::string& name, DWORD style, int x, int y, int width, int height,
                HWND parent = nullptr, DWORD exStyle = 0);
    std::string NameOf(HWND window) const;

    // The messages seen so far that are in `wanted` (all when empty), as "window:MESSAGE".
    std::vector<std::string> Trace(const std::vector<UINT>& wanted = {}) const;
    void Clear() { seen_.clear(); }

    // Paints every WM_PAINT of `window` with a solid colour (BeginPaint/FillRect/EndPaint).
    void PaintWith(HWND window, COLORREF colour);

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    struct Named {
        HWND window;
        std::string name;
    };
    struct Painter {
        HWND window;
        COLORREF colour;
    };
    std::vector<Named> names_;
    std::vector<Painter> painters_;
    std::vector<Seen> seen_;
    std::string creating_;
};

}  // namespace conformance

// Marks a test whose expectation Wine does not meet, with the reason: on Wine it is reported
// (a "wine_departure" property and a skip carrying the reason, counted by ./test), elsewhere it
// runs.
#define NUVIK_WINE_DEPARTURE(reason)                                   \
    do {                                                               \
        if (::conformance::RunningOnWine()) {                          \
            ::testing::Test::RecordProperty("wine_departure", reason); \
            GTEST_SKIP() << "Wine departure: " << reason;              \
        }                                                              \
    } while (false)
