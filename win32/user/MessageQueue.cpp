#include "user/MessageQueue.h"

#include <algorithm>
#include <deque>

#include "user/InputRouting.h"
#include "user/Painting.h"
#include "user/Timers.h"
#include "win32/constants.h"
#include "win32/kernel.h"

namespace win32::user {

namespace {

struct Queue {
    std::deque<MSG> posted;
    bool quitRequested = false;
    int quitCode = 0;
    DWORD lastTime = 0;
    POINT lastPos{0, 0};
    // The tick at which a look found the queue empty, while no message has been taken since.
    bool emptyLookValid = false;
    DWORD emptyLookTick = 0;
};

Queue& TheQueue() {
    static Queue queue;
    return queue;
}

MSG MakeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = timeGetTime();
    msg.pt = CursorPosition();
    return msg;
}

}  // namespace

bool MessageFilter::TakesWindow(HWND hwnd) const {
    if (threadOnly)
        return hwnd == nullptr;
    if (anyWindow)
        return true;
    return TakesWindow(Find(hwnd));
}

bool MessageFilter::TakesWindow(const Window* candidate) const {
    if (threadOnly)
        return candidate == nullptr;
    if (anyWindow)
        return true;
    return candidate != nullptr && IsDescendant(candidate, window);
}

bool MakeFilter(HWND hwnd, UINT min, UINT max, MessageFilter* filter) {
    *filter = MessageFilter{};
    filter->min = min;
    filter->max = max;
    if (hwnd == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) {
        filter->threadOnly = true;
        filter->anyWindow = false;
        return true;
    }
    if (hwnd == nullptr)
        return true;
    filter->window = Find(hwnd);
    filter->anyWindow = false;
    return filter->window != nullptr;
}

void PostToQueue(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TheQueue().posted.push_back(MakeMessage(hwnd, message, wParam, lParam));
}

bool Retrieve(const MessageFilter& filter, bool remove, MSG* msg) {
    Queue& queue = TheQueue();
    if (!queue.posted.empty()) {
        for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
            if (filter.TakesMessage(it->message) && filter.TakesWindow(it->hwnd)) {
                *msg = *it;
                if (remove)
                    queue.posted.erase(it);
                return true;
            }
        }
    }
    // The quit request waits until the posted messages before it are gone, and then comes
    // whatever the filter says, as on Windows.
    if (queue.quitRequested) {
        *msg = MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
        if (remove)
            queue.quitRequested = false;
        return true;
    }
    if (HasQueuedInput() && TakeInputMessage(filter, remove, msg))
        return true;
    if (PendingPaintCount() > 0 && filter.TakesMessage(WM_PAINT) && TakePaintMessage(filter, msg))
        return true;
    if (HasTimers() && filter.TakesMessage(WM_TIMER) && TakeDueTimer(filter, remove, msg))
        return true;
    return false;
}

int MsUntilSomethingDue(const MessageFilter& filter) {
    if (!HasTimers() || !filter.TakesMessage(WM_TIMER))
        return -1;
    return MsUntilNextTimer(filter);
}

void RemovePostedFor(HWND hwnd) {
    auto& posted = TheQueue().posted;
    posted.erase(
        std::remove_if(posted.begin(), posted.end(), [&](const MSG& m) { return m.hwnd == hwnd; }),
        posted.end());
}

void RememberRetrieved(const MSG& msg) {
    TheQueue().lastTime = msg.time;
    TheQueue().lastPos = msg.pt;
    TheQueue().emptyLookValid = false;
}

bool NoteEmptyLook(DWORD tick) {
    Queue& queue = TheQueue();
    bool again = queue.emptyLookValid && queue.emptyLookTick == tick;
    queue.emptyLookValid = true;
    queue.emptyLookTick = tick;
    return again;
}

void ResetQueue() {
    TheQueue() = Queue{};
}

void RequestQuit(int code) {
    TheQueue().quitRequested = true;
    TheQueue().quitCode = code;
}

LONG LastMessageTime() {
    return static_cast<LONG>(TheQueue().lastTime);
}

POINT LastMessagePos() {
    return TheQueue().lastPos;
}

}  // namespace win32::user
