// The Win32 entry points of the message queue.
#include <cstdio>

#include "user/Focus.h"
#include "user/InputRouting.h"
#include "user/MessageQueue.h"
#include "user/Painting.h"
#include "user/Timers.h"
#include "win32/kernel.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Host.h"
#include "win32/user.h"

namespace user = win32::user;

namespace {

void PollHost() {
    if (win32::Host* host = win32::CurrentHost())
        host->Poll();
}

// PeekMessageA found nothing. The first empty look at a tick returns at once, so that the
// caller's idle work runs at every tick; a second one in the same tick, with nothing taken in
// between, belongs to a loop that would only spin until the clock moves.
void IdleAfterEmptyPeek(win32::Host& host) {
    if (user::NoteEmptyLook(win32::clock::Now()))
        host.IdleUntilNextTick();
    else
        host.Idle(0);
}

// The queue is empty and the caller would block for `waitMs` (-1: for ever). With a host the
// host waits (or advances its virtual clock); without one, only a timer can still bring a
// message: the clock is moved to it (virtual) or slept for (real). False when nothing can
// ever arrive, so that a test without a host cannot hang.
bool WaitForSomething(int waitMs) {
    if (win32::Host* host = win32::CurrentHost()) {
        host->Idle(waitMs);
        return true;
    }
    if (waitMs < 0)
        return false;
    if (win32::clock::IsVirtual())
        win32::clock::AdvanceVirtual(waitMs > 0 ? static_cast<DWORD>(waitMs) : 1u);
    else
        Sleep(static_cast<DWORD>(waitMs));
    return true;
}

}  // namespace

BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    user::ApiScope scope;
    PollHost();
    user::MessageFilter filter;
    if (lpMsg == nullptr || !user::MakeFilter(hWnd, wMsgFilterMin, wMsgFilterMax, &filter))
        return FALSE;
    if (user::Retrieve(filter, (wRemoveMsg & PM_REMOVE) != 0, lpMsg)) {
        if (wRemoveMsg & PM_REMOVE)
            user::RememberRetrieved(*lpMsg);
        return TRUE;
    }
    if (win32::Host* host = win32::CurrentHost())
        IdleAfterEmptyPeek(*host);
    return FALSE;
}

BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    user::ApiScope scope;
    user::MessageFilter filter;
    if (lpMsg == nullptr || !user::MakeFilter(hWnd, wMsgFilterMin, wMsgFilterMax, &filter))
        return -1;
    while (true) {
        PollHost();
        if (user::Retrieve(filter, true, lpMsg)) {
            user::RememberRetrieved(*lpMsg);
            return lpMsg->message == WM_QUIT ? FALSE : TRUE;
        }
        if (!WaitForSomething(user::MsUntilSomethingDue(filter))) {
            std::fputs("GetMessageA: the queue is empty and no host or timer can fill it\n",
                       stderr);
            *lpMsg = MSG{};
            return -1;
        }
    }
}

BOOL WaitMessage() {
    user::ApiScope scope;
    user::MessageFilter any;
    while (true) {
        PollHost();
        MSG peeked;
        if (user::Retrieve(any, false, &peeked))
            return TRUE;
        if (!WaitForSomething(user::MsUntilSomethingDue(any)))
            return FALSE;
    }
}

LRESULT DispatchMessageA(const MSG* lpMsg) {
    user::ApiScope scope;
    if (lpMsg == nullptr)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
        // Only a timer procedure that SetTimer registered is called: a WM_TIMER posted by
        // anybody with an arbitrary lParam must not become a jump to that address.
        auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        if (user::IsLiveTimerProc(lpMsg->hwnd, lpMsg->wParam, proc)) {
            proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, timeGetTime());
            return 0;
        }
    }
    user::Window* window = user::Find(lpMsg->hwnd);
    if (window == nullptr)
        return 0;
    if (lpMsg->message != WM_PAINT)
        return user::Send(window, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    window->paintedInDispatch = false;
    LRESULT result = user::Send(window, WM_PAINT, lpMsg->wParam, lpMsg->lParam);
    user::FinishPaintDispatch(window);
    return result;
}

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    user::ApiScope scope;
    return user::Send(user::Find(hWnd), Msg, wParam, lParam);
}

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd != nullptr && user::Find(hWnd) == nullptr)
        return FALSE;
    user::PostToQueue(hWnd, Msg, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int nExitCode) {
    user::RequestQuit(nExitCode);
}

LONG GetMessageTime() {
    return user::LastMessageTime();
}

DWORD GetMessagePos() {
    POINT pos = user::LastMessagePos();
    return static_cast<DWORD>(MAKELONG(pos.x, pos.y));
}

LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    user::ApiScope scope;
    if (lpPrevWndFunc == nullptr)
        return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}
