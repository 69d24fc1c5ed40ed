// The application's message loop, pass by pass: which hook sees what, in which order, and when
// the loop waits.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "FormsTestSupport.h"
#include "forms/Application.h"
#include "forms/ClassInfo.h"

namespace formstest {
namespace {

using namespace forms;

// A hidden form that notes the application messages dispatched to it.
class TLoopForm : public TForm {
  public:
    TLoopForm(TComponent* owner, std::vector<std::string>& log) : TForm(owner), log_(log) {}

    void WndProc(TMessage& message) override {
        if (message.Msg > WM_USER && message.Msg < WM_USER + 100)
            log_.push_back("dispatch " + std::to_string(message.Msg - WM_USER));
        TForm::WndProc(message);
    }

  private:
    std::vector<std::string>& log_;
};

struct LoopCase {
    const char* what;
    std::vector<int> posted;  // WM_USER + n, queued before the loop starts
    bool quitAfterPosting = false;
    std::set<int> handled;  // what the message hook marks handled
    // The idle hook's own work on its `count`th call (1-based).
    std::function<void(int count, bool& done, HWND window)> idle;
    std::vector<int> postedOnWait;  // posted by the host, one on each wait
    std::vector<std::string> expected;
};

class ApplicationLoopTest : public FormsTest {};

TEST_F(ApplicationLoopTest, HooksAndMessagesComeInTheDocumentedOrder) {
    auto terminateOn = [](int last, bool clearDone) {
        return [last, clearDone](int count, bool& done, HWND) {
            if (clearDone)
                done = false;
            if (count == last)
                Application->Terminate();
        };
    };
    const std::vector<LoopCase> cases = {
        {"the message hook sees each message once, before it is dispatched, handled false",
         {1, 2, 3},
         false,
         {},
         terminateOn(1, true),
         {},
         {"hook 1 handled=0", "dispatch 1", "hook 2 handled=0", "dispatch 2", "hook 3 handled=0",
          "dispatch 3", "empty", "idle done=1"}},
        {"a message the hook handles is not dispatched",
         {1, 2},
         false,
         {1},
         terminateOn(1, true),
         {},
         {"hook 1 handled=0", "hook 2 handled=0", "dispatch 2", "empty", "idle done=1"}},
        {"the idle hook runs only on an empty queue",
         {},
         false,
         {},
         [](int count, bool& done, HWND window) {
             done = false;
             if (count == 1)
                 PostMessageA(window, WM_USER + 5, 0, 0);
             else
                 Application->Terminate();
         },
         {},
         {"empty", "idle done=1", "hook 5 handled=0", "dispatch 5", "empty", "idle done=1"}},
        {"clearing done keeps the loop spinning without waiting",
         {},
         false,
         {},
         terminateOn(3, true),
         {},
         {"empty", "idle done=1", "empty", "idle done=1", "empty", "idle done=1"}},
        {"leaving done true waits for the next message",
         {},
         false,
         {},
         [](int count, bool& done, HWND) {
             if (count == 3) {
                 done = false;
                 Application->Terminate();
             }
         },
         {7, 8},
         {"empty", "idle done=1", "wait", "hook 7 handled=0", "dispatch 7", "empty", "idle done=1",
          "wait", "hook 8 handled=0", "dispatch 8", "empty", "idle done=1"}},
        {"the quit message ends the loop after the messages posted before it, unseen by the hook",
         {1, 2},
         true,
         {},
         terminateOn(1, true),
         {},
         {"hook 1 handled=0", "dispatch 1", "hook 2 handled=0", "dispatch 2"}},
    };
    for (const LoopCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> log;
        TestHost host;
        host.log = &log;
        host.logIdles = true;
        Application->Initialize();
        auto* form = new TLoopForm(Application, log);
        HWND window = form->Handle();
        int idles = 0;
        Application->OnMessage = [&](MSG& message, bool& handled) {
            int n = static_cast<int>(message.message) - WM_USER;
            log.push_back((n > 0 && n < 100 ? "hook " + std::to_string(n)
                                            : "hook other " + std::to_string(message.message)) +
                          " handled=" + std::to_string(handled));
            if (c.handled.count(n) != 0)
                handled = true;
        };
        Application->OnIdle = [&](TObject* sender, bool& done) {
            EXPECT_EQ(sender, static_cast<TApplication*>(Application));
            log.push_back("idle done=" + std::to_string(done));
            c.idle(++idles, done, window);
        };
        for (int n : c.posted)
            PostMessageA(window, WM_USER + static_cast<UINT>(n), 0, 0);
        if (c.quitAfterPosting)
            Application->Terminate();
        for (int n : c.postedOnWait)
            host.OnWait(
                [window, n] { PostMessageA(window, WM_USER + static_cast<UINT>(n), 0, 0); });

        Application->Run();

        EXPECT_EQ(log, c.expected);
        EXPECT_TRUE(Application->Terminated());
        EXPECT_FALSE(host.gaveUp);
        Application->DestroyForms();
    }
}

TEST_F(ApplicationLoopTest, InitializeMakesTheApplicationReadyForAnotherRun) {
    TestHost host;
    Application->OnIdle = [](TObject*, bool& done) {
        done = false;
        Application->Terminate();
    };
    Application->Run();
    ASSERT_TRUE(Application->Terminated());
    Application->Initialize();
    EXPECT_FALSE(Application->Terminated());
    EXPECT_FALSE(static_cast<bool>(Application->OnIdle));
    EXPECT_FALSE(static_cast<bool>(Application->OnMessage));
}

}  // namespace
}  // namespace formstest
