// The order in which the queue hands out posted, quit, paint and timer messages.
#include <functional>
#include <string>

#include "UserTestSupport.h"
#include "win32/platform/Clock.h"

namespace usertest {
namespace {

class MessageQueue : public UserTest {
  protected:
    void SetUp() override {
        UserTest::SetUp();
        Recorder::RegisterClass("Rec");
        main = rec.Create("main", "Rec", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
        PumpMessages();
        rec.Clear();
    }

    // What a PeekMessageA loop takes, in order, until the queue is empty.
    std::vector<UINT> Drain() {
        std::vector<UINT> taken;
        MSG msg;
        while (taken.size() < 50 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            taken.push_back(msg.message);
            if (msg.message != WM_QUIT)
                DispatchMessageA(&msg);
        }
        return taken;
    }

    Recorder rec;
    HWND main = nullptr;
};

TEST_F(MessageQueue, SeveralInvalidationsGiveOnePaintCoveringAllOfThem) {
    RECT a{10, 10, 20, 20}, b{50, 40, 60, 45}, c{15, 15, 30, 30};
    InvalidateRect(main, &a, FALSE);
    InvalidateRect(main, &b, FALSE);
    InvalidateRect(main, &c, FALSE);
    RECT painted{};
    rec.React(WM_PAINT, [&](HWND hwnd, WPARAM, LPARAM, LRESULT*) {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        painted = ps.rcPaint;
        EXPECT_FALSE(ps.fErase);
        EndPaint(hwnd, &ps);
        return true;
    });
    EXPECT_EQ(Drain(), std::vector<UINT>{WM_PAINT});
    EXPECT_EQ(painted.left, 10);
    EXPECT_EQ(painted.top, 10);
    EXPECT_EQ(painted.right, 60);
    EXPECT_EQ(painted.bottom, 45);
    // Nothing of the window is left to paint: GetUpdateRect agrees.
    RECT update;
    EXPECT_FALSE(GetUpdateRect(main, &update, FALSE));
}

TEST_F(MessageQueue, PaintComesOnlyAfterPostedMessagesAndTimersLast) {
    SetTimer(main, 7, 100, nullptr);
    win32::clock::AdvanceVirtual(100);
    InvalidateRect(main, nullptr, TRUE);
    PostMessageA(main, WM_USER, 0, 0);
    PostMessageA(main, WM_USER + 1, 0, 0);
    EXPECT_EQ(Drain(), (std::vector<UINT>{WM_USER, WM_USER + 1, WM_PAINT, WM_TIMER}));
}

TEST_F(MessageQueue, TimerFiresOnlyOnAnEmptyQueueOncePerDueTimeByTheClock) {
    ASSERT_EQ(SetTimer(main, 1, 400, nullptr), 1u);
    struct Step {
        DWORD advanceMs;
        bool postFirst;
        std::vector<UINT> expected;
    } steps[] = {
        {399, false, {}},                // not yet due
        {1, true, {WM_USER, WM_TIMER}},  // due: after the posted message
        {399, false, {}},                // the period restarts when it was taken
        {1201, false, {WM_TIMER}},       // three periods late: still one message
        {400, false, {WM_TIMER}},
    };
    for (const Step& step : steps) {
        win32::clock::AdvanceVirtual(step.advanceMs);
        if (step.postFirst)
            PostMessageA(main, WM_USER, 0, 0);
        EXPECT_EQ(Drain(), step.expected) << "after " << step.advanceMs << " ms";
    }
    auto timers = rec.Of(WM_TIMER);
    ASSERT_EQ(timers.size(), 3u);
    EXPECT_EQ(timers[0].wParam, 1u);
    EXPECT_TRUE(KillTimer(main, 1));
    EXPECT_FALSE(KillTimer(main, 1));
    win32::clock::AdvanceVirtual(10000);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(MessageQueue, PeekWithNoRemoveLeavesTimerAndPostedMessagesInPlace) {
    SetTimer(main, 3, 50, nullptr);
    win32::clock::AdvanceVirtual(50);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    PostMessageA(main, WM_USER, 1, 0);
    PostMessageA(main, WM_USER + 5, 2, 0);
    // A range filter passes over what it does not want.
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(Drain(), std::vector<UINT>{WM_USER});
}

TEST_F(MessageQueue, WindowFilterTakesTheWindowAndItsChildrenOnly) {
    HWND child = rec.Create("child", "Rec", WS_CHILD, 0, 0, 10, 10, main);
    HWND other = rec.Create("other", "Rec", WS_POPUP, 0, 0, 10, 10);
    PostMessageA(other, WM_USER, 0, 0);
    PostMessageA(child, WM_USER + 1, 0, 0);
    PostMessageA(nullptr, WM_USER + 2, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, main, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, child);
    EXPECT_FALSE(PeekMessageA(&msg, main, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(Drain(), std::vector<UINT>{WM_USER});
}

TEST_F(MessageQueue, QuitComesAfterThePostedMessagesAndBeforePaint) {
    PostMessageA(main, WM_USER, 0, 0);
    PostQuitMessage(3);
    PostMessageA(main, WM_USER + 1, 0, 0);
    InvalidateRect(main, nullptr, FALSE);
    MSG msg;
    std::vector<UINT> taken;
    BOOL result;
    while ((result = GetMessageA(&msg, nullptr, 0, 0)) > 0)
        taken.push_back(msg.message);
    EXPECT_EQ(result, FALSE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(taken, (std::vector<UINT>{WM_USER, WM_USER + 1}));
    EXPECT_EQ(Drain(), std::vector<UINT>{WM_PAINT});  // the quit request was used up
}

TEST_F(MessageQueue, APaintHandlerThatDoesNotPaintIsNotAskedAgainAndAgain) {
    rec.React(WM_PAINT, [](HWND, WPARAM, LPARAM, LRESULT*) { return true; });
    InvalidateRect(main, nullptr, TRUE);
    EXPECT_EQ(Drain(), std::vector<UINT>{WM_PAINT});
}

TEST_F(MessageQueue, UpdateWindowPaintsAtOnceAndOnlyWhenSomethingIsPending) {
    UpdateWindow(main);
    EXPECT_TRUE(rec.SeenMessages().empty());
    InvalidateRect(main, nullptr, FALSE);
    UpdateWindow(main);
    EXPECT_TRUE(SameSequence(rec.SeenMessages(), {{"main", WM_PAINT}}));
    EXPECT_TRUE(Drain().empty());
}

TEST_F(MessageQueue, InvalidatingAHiddenWindowAsksForNoPaint) {
    ShowWindow(main, SW_HIDE);
    InvalidateRect(main, nullptr, TRUE);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(MessageQueue, GetMessageWithoutHostWaitsForTheNextTimerOnTheVirtualClock) {
    SetTimer(main, 9, 250, nullptr);
    DWORD before = timeGetTime();
    MSG msg;
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    EXPECT_EQ(timeGetTime() - before, 250u);
}

TEST_F(MessageQueue, GetMessageWithoutHostOrTimerReportsAnErrorInsteadOfHanging) {
    MSG msg;
    EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), -1);
    EXPECT_FALSE(WaitMessage());
}

TEST_F(MessageQueue, HostIsPolledOnEveryCallAndToldWhenTheQueueIsEmpty) {
    ScriptedHost host;
    MSG msg;
    PostMessageA(main, WM_USER, 0, 0);
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(host.polls, 1);
    EXPECT_EQ(host.idles, 0);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(host.polls, 2);
    EXPECT_EQ(host.idles, 1);
    // GetMessageA idles (each pass 1 ms here) until the host delivers something.
    host.Then([] {});
    host.Then([&] { PostMessageA(main, WM_USER + 3, 0, 0); });
    ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), TRUE);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    EXPECT_EQ(host.idles, 3);
}

// A host on a clock that only the test moves, noting how each empty PeekMessageA idles:
// 'i' for Idle(0), 'r' for a rest until the next tick.
class RestNotingHost final : public win32::Host {
  public:
    RestNotingHost() { win32::SetCurrentHost(this); }
    ~RestNotingHost() override { win32::SetCurrentHost(nullptr); }
    void Poll() override {}
    void Idle(int) override { calls += 'i'; }
    void IdleUntilNextTick() override { calls += 'r'; }
    void SetCursorShape(HCURSOR) override {}
    std::string calls;
};

TEST_F(MessageQueue, AnEmptyQueueSeenTwiceInOneTickLetsTheHostRestUntilTheNext) {
    RestNotingHost host;
    MSG msg;
    auto peek = [&] { PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); };
    const struct {
        const char* what;
        std::function<void()> before;
        int peeks;
        std::string calls;
    } steps[] = {
        {"the first empty look at a tick idles; later ones rest", [] {}, 3, "irr"},
        {"a new tick is seen once before resting again", [] { win32::clock::AdvanceVirtual(1); }, 2,
         "ir"},
        {"a message taken in between gives the caller a pass of its own",
         [&] { PostMessageA(main, WM_USER, 0, 0); }, 3, "ir"},
    };
    for (const auto& step : steps) {
        host.calls.clear();
        step.before();
        for (int i = 0; i < step.peeks; ++i)
            peek();
        EXPECT_EQ(host.calls, step.calls) << step.what;
    }
}

TEST_F(MessageQueue, DispatchCallsOnlyTimerProceduresThatSetTimerRegistered) {
    static int calls = 0;
    TIMERPROC proc = [](HWND, UINT, UINT_PTR, DWORD) { ++calls; };
    SetTimer(main, 4, 10, proc);
    win32::clock::AdvanceVirtual(10);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&msg);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(rec.Of(WM_TIMER).empty());  // the procedure took it instead of the window
    // A forged WM_TIMER naming some address reaches the window procedure, not the address.
    MSG forged{main, WM_TIMER, 5, reinterpret_cast<LPARAM>(proc), 0, {0, 0}};
    DispatchMessageA(&forged);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(rec.Of(WM_TIMER).size(), 1u);
}

TEST_F(MessageQueue, DestroyingAWindowDropsItsPostedMessagesAndTimers) {
    HWND other = rec.Create("other", "Rec", WS_POPUP, 0, 0, 10, 10);
    PostMessageA(other, WM_USER, 0, 0);
    SetTimer(other, 1, 10, nullptr);
    DestroyWindow(other);
    win32::clock::AdvanceVirtual(100);
    EXPECT_TRUE(Drain().empty());
    EXPECT_FALSE(PostMessageA(other, WM_USER, 0, 0));
}

}  // namespace
}  // namespace usertest
