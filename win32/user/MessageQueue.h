// The thread's message queue: posted messages, the quit request, and the order in which a
// retrieval looks at them and at input, paint and timer messages.
#pragma once

#include "user/WindowTree.h"
#include "win32/types.h"

namespace win32::user {

// What PeekMessageA / GetMessageA asked for.
struct MessageFilter {
    Window* window = nullptr;  // with its descendants
    bool threadOnly = false;   // hWnd == (HWND)-1: messages posted with no window
    bool anyWindow = true;
    UINT min = 0;
    UINT max = 0;

    bool TakesMessage(UINT message) const {
        return (min == 0 && max == 0) || (message >= min && message <= max);
    }
    bool TakesWindow(HWND hwnd) const;
    bool TakesWindow(const Window* window) const;
};

// Fills `filter` from the Win32 arguments; false for an invalid window handle.
bool MakeFilter(HWND hwnd, UINT min, UINT max, MessageFilter* filter);

void PostToQueue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Posted messages first, then the quit request, input, paint and timer messages.
bool Retrieve(const MessageFilter& filter, bool remove, MSG* msg);
// How long until a message for `filter` can appear by itself (a timer); -1: never.
int MsUntilSomethingDue(const MessageFilter& filter);
void RemovePostedFor(HWND hwnd);
void RequestQuit(int code);
void RememberRetrieved(const MSG& msg);  // for GetMessageTime / GetMessagePos
// A look found the queue empty at `tick`. True when one already had at that tick, with no
// message taken since: the caller has had its pass at this tick and would only spin.
bool NoteEmptyLook(DWORD tick);
LONG LastMessageTime();
POINT LastMessagePos();
void ResetQueue();

}  // namespace win32::user
