// Shared pieces of the window-system tests: a fixture that starts every test from an empty
// window system on a virtual clock, a recording window procedure with per-window reactions,
// and a host that tests script from inside message loops.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "win32/api.h"
#include "win32/platform/Host.h"

namespace usertest {

// One message as a window procedure saw it.
struct Seen {
    std::string window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// An expected step. `wParam`/`lParam` are compared only when `checkParams` is set.
struct Step {
    std::string window;
    UINT message;
    bool checkParams = false;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

std::string MessageName(UINT message);

class Recorder {
  public:
    Recorder();
    ~Recorder();

    // Registers the recording class `name` (once per test) with the given class style.
    static void RegisterClass(const char* name, UINT style = 0, HBRUSH background = nullptr,
                              HCURSOR cursor = nullptr);

    HWND Create(const std::string& name, const char* className, DWORD style, int x, int y,
                int width, int height, HWND parent = nullptr, DWORD exStyle = 0);
    void Name(HWND hwnd, const std::string& name) { names_[hwnd] = name; }
    std::string NameOf(HWND hwnd) const;

    // Runs before DefWindowProcA; returning true answers the message with `*result`.
    using Reaction = std::function<bool(HWND, WPARAM, LPARAM, LRESULT* result)>;
    void React(UINT message, Reaction reaction) { reactions_[message] = std::move(reaction); }

    // Messages not worth recording in this test.
    void Ignore(std::initializer_list<UINT> messages);
    void Clear() { seen_.clear(); }
    const std::vector<Seen>& SeenMessages() const { return seen_; }
    std::vector<Seen> Of(UINT message) const;
    void Note(const std::string& what) { seen_.push_back({what, 0, 0, 0}); }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    std::map<HWND, std::string> names_;
    std::map<UINT, Reaction> reactions_;
    std::vector<UINT> ignored_;
    std::vector<Seen> seen_;
    std::string pendingName_;
};

// Compares the recorded sequence with the table, step by step, naming the messages.
::testing::AssertionResult SameSequence(const std::vector<Seen>& seen,
                                        const std::vector<Step>& expected);

// Pumps with PeekMessageA / DispatchMessageA until the queue is empty (at most `limit`).
int PumpMessages(int limit = 1000);

// A host for tests: every Idle advances the virtual clock by 1 ms and runs the next queued
// action. Long after the last action it posts WM_QUIT (code 99), so that a loop waiting for
// something that never comes fails instead of hanging.
class ScriptedHost : public win32::Host {
  public:
    ScriptedHost();
    ~ScriptedHost() override;
    void Poll() override { ++polls; }
    void Idle(int waitMs) override;
    void SetCursorShape(HCURSOR cursor) override { cursors.push_back(cursor); }

    void Then(std::function<void()> action) { actions_.push_back(std::move(action)); }

    int polls = 0;
    int idles = 0;
    std::vector<HCURSOR> cursors;

  private:
    std::vector<std::function<void()>> actions_;
    std::size_t next_ = 0;
    int idlesAfterScript_ = 0;
};

class UserTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace usertest
