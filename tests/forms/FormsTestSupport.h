// Shared pieces of the forms tests: a fixture that starts every test from an empty window
// system on a virtual clock with a fresh application, a host that logs how the loop waits
// and runs scripted actions, and builders for the bitmaps and cursors tests register as
// resources.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "win32/api.h"
#include "win32/platform/Host.h"

namespace formstest {

// A host that advances the virtual clock by 1 ms whenever the queue is found empty and logs
// each time: "empty" for a look that does not block (PeekMessageA), "wait" for one that
// would (WaitMessage, GetMessageA). Scripted actions run when the clock reaches their time;
// a message box that comes up is answered with Enter 10 ms later. Long after the script ran out it
// posts WM_QUIT and notes "gave up", so that a loop waiting for nothing fails instead of hanging.
class TestHost : public win32::Host {
  public:
    TestHost();
    ~TestHost() override;

    void Poll() override {}
    void Idle(int waitMs) override;
    void SetCursorShape(HCURSOR cursor) override { cursors.push_back(cursor); }

    // Runs `action` on the first idle at or after `atMs` on the virtual clock.
    void At(DWORD atMs, std::function<void()> action);
    // Runs `action` on the next idle that would wait.
    void OnWait(std::function<void()> action) { onWait_.push_back(std::move(action)); }

    std::vector<std::string>* log = nullptr;
    bool logIdles = false;
    std::vector<HCURSOR> cursors;
    bool gaveUp = false;

  private:
    struct Timed {
        DWORD at;
        std::function<void()> action;
    };
    std::vector<Timed> timed_;
    std::deque<std::function<void()>> onWait_;
    int idleStreak_ = 0;
    bool boxSeen_ = false;
    DWORD boxSeenAt_ = 0;
};

class FormsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// A packed DIB (BITMAPINFOHEADER, colour table, rows) of `bits` per pixel. `pixels` holds one
// value per pixel, top row first: palette indices for 8 bits and fewer, 0x00RRGGBB otherwise.
std::vector<BYTE> MakeDib(int width, int height, int bits,
                          const std::vector<std::uint32_t>& palette,
                          const std::vector<std::uint32_t>& pixels, bool topDown = false);

// A .cur file with one 32 x 32 monochrome cursor and the given hot spot.
std::vector<BYTE> MakeCursorFile(int hotX, int hotY);

// Registers `bytes` (kept alive for the rest of the process) as a resource.
void RegisterResource(LPCSTR type, const char* name, std::vector<BYTE> bytes);
void RegisterResource(LPCSTR type, const char* name, const std::string& text);

// UTF-8 text as the system stores it (CP949 bytes).
std::string Cp949(const std::string& utf8);

// Screen coordinates of a point given in a window's client coordinates.
POINT OnScreen(HWND window, int x, int y);
void Click(POINT at);

}  // namespace formstest
