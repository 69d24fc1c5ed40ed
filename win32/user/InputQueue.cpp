#include <algorithm>
#include <cstdlib>
#include <deque>

#include "user/Focus.h"
#include "user/InputRouting.h"
#include "user/KeyTable.h"
#include "user/MessageQueue.h"
#include "user/WindowOps.h"
#include "win32/constants.h"
#include "win32/kernel.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Input.h"
#include "win32/user.h"

namespace win32::user {

namespace {

constexpr DWORD kDoubleClickMs = 500;
constexpr int kDoubleClickDistance = 4;

enum class Kind { Move, ButtonDown, ButtonUp, KeyDown, KeyUp };

struct RawInput {
    Kind kind = Kind::Move;
    int button = 0;  // 0 left, 1 right, 2 middle
    POINT pt{0, 0};
    int virtualKey = 0;
    LPARAM keyBits = 0;   // lParam of a key message
    bool system = false;  // WM_SYSKEY* rather than WM_KEY*
    bool altHeld = false;
    WPARAM mouseKeys = 0;
    DWORD time = 0;

    // Filled when a retrieval first reaches the event.
    bool resolved = false;
    MSG msg{};
    int hit = HTCLIENT;
    bool viaCapture = false;
};

struct LastClick {
    bool valid = false;
    HWND hwnd = nullptr;
    int button = 0;
    DWORD time = 0;
    POINT pt{0, 0};
};

struct InputState {
    std::deque<RawInput> queue;
    POINT cursor{0, 0};
    LastClick lastClick;
};

InputState& State() {
    static InputState state;
    return state;
}

constexpr UINT kButtonDown[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr int kButtonKey[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

POINT ClampToScreen(int x, int y) {
    return POINT{std::clamp(x, 0, Framebuffer::kWidth - 1),
                 std::clamp(y, 0, Framebuffer::kHeight - 1)};
}

bool IsDoubleClick(const RawInput& event, const Window* target) {
    const LastClick& last = State().lastClick;
    return (target->windowClass->style & CS_DBLCLKS) && last.valid && last.hwnd == target->handle &&
           last.button == event.button && event.time - last.time <= kDoubleClickMs &&
           std::abs(event.pt.x - last.pt.x) <= kDoubleClickDistance &&
           std::abs(event.pt.y - last.pt.y) <= kDoubleClickDistance;
}

UINT MouseMessageOf(const RawInput& event, const Window* target) {
    if (event.kind == Kind::Move)
        return WM_MOUSEMOVE;
    UINT down = kButtonDown[event.button];
    if (event.kind == Kind::ButtonUp)
        return down + 1;
    LastClick& last = State().lastClick;
    if (IsDoubleClick(event, target)) {
        last.valid = false;  // a third press starts a new click
        return down + 2;
    }
    last = LastClick{true, target->handle, event.button, event.time, event.pt};
    return down;
}

// Decides where the event goes. False: nobody takes it (no window there, a disabled window,
// no focus and no active window); the event is then dropped.
bool Resolve(RawInput& event) {
    event.resolved = true;
    event.msg = MSG{};
    event.msg.time = event.time;
    event.msg.pt =
        event.kind == Kind::KeyDown || event.kind == Kind::KeyUp ? State().cursor : event.pt;
    if (event.kind == Kind::KeyDown || event.kind == Kind::KeyUp) {
        Window* target = FocusWindow();
        bool system = event.system;
        if (!IsLive(target)) {
            // With no focus the active window hears keys as system keys, as on Windows.
            target = ActiveWindow();
            system = true;
        }
        if (!IsLive(target))
            return false;
        bool down = event.kind == Kind::KeyDown;
        event.msg.hwnd = target->handle;
        event.msg.message =
            system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
        event.msg.wParam = static_cast<WPARAM>(MessageKey(event.virtualKey));
        event.msg.lParam = event.keyBits | (system && event.altHeld ? (1L << 29) : 0);
        return true;
    }
    Window* target = CaptureWindow();
    event.viaCapture = IsLive(target);
    event.hit = HTCLIENT;
    if (!event.viaCapture)
        target = WindowAtPoint(event.pt, &event.hit);
    if (target == nullptr)
        return false;
    POINT origin = ClientOrigin(target);
    event.msg.hwnd = target->handle;
    event.msg.message = MouseMessageOf(event, target);
    event.msg.wParam = event.mouseKeys;
    event.msg.lParam = MAKELPARAM(static_cast<SHORT>(event.pt.x - origin.x),
                                  static_cast<SHORT>(event.pt.y - origin.y));
    return true;
}

// WM_MOUSEACTIVATE and WM_SETCURSOR, which Windows sends while it takes a mouse message out
// of the queue. False: the message is eaten (a disabled window, or MA_*ANDEAT).
bool Deliver(RawInput& event) {
    if (event.kind == Kind::KeyDown || event.kind == Kind::KeyUp || event.viaCapture)
        return Find(event.msg.hwnd) != nullptr;
    Window* target = Find(event.msg.hwnd);
    if (target == nullptr)
        return false;
    UINT message = event.msg.message;
    bool pressed = message != WM_MOUSEMOVE && ((message - WM_LBUTTONDOWN) % 3) != 1;
    if (pressed && event.hit != HTERROR && Root(target) != ActiveWindow()) {
        Window* top = Root(target);
        LRESULT answer = Send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top->handle),
                              MAKELPARAM(event.hit, message));
        if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && Find(top->handle))
            Activate(top, true);
        if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
            return false;
        if ((target = Find(event.msg.hwnd)) == nullptr)
            return false;
    }
    Send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target->handle),
         MAKELPARAM(event.hit, message));
    return event.hit != HTERROR && Find(event.msg.hwnd) != nullptr;
}

// The key or button of an event taken from the queue (delivered or dropped) now counts as
// pressed or released for GetKeyState.
void Synchronize(const RawInput& event) {
    switch (event.kind) {
        case Kind::KeyDown:
        case Kind::KeyUp:
            RecordKey(KeyView::Sync, event.virtualKey, event.kind == Kind::KeyDown);
            break;
        case Kind::ButtonDown:
        case Kind::ButtonUp:
            RecordKey(KeyView::Sync, kButtonKey[event.button], event.kind == Kind::ButtonDown);
            break;
        case Kind::Move:
            break;
    }
}

void Push(RawInput event) {
    event.time = timeGetTime();
    State().queue.push_back(event);
}

LPARAM KeyBits(int virtualKey, bool down, bool wasDown) {
    DWORD bits = 1;  // repeat count
    bits |= (ScanCodeOf(virtualKey) & 0xFF) << 16;
    if (IsExtendedKey(virtualKey))
        bits |= 1u << 24;
    if (wasDown)
        bits |= 1u << 30;
    if (!down)
        bits |= 1u << 31;
    return static_cast<LPARAM>(bits);
}

void QueueKey(int virtualKey, bool down) {
    if (virtualKey <= 0 || virtualKey > 255)
        return;
    bool altBefore = KeyIsDown(KeyView::Async, VK_MENU);
    bool wasDown = RecordKey(KeyView::Async, virtualKey, down);
    RawInput event;
    event.kind = down ? Kind::KeyDown : Kind::KeyUp;
    event.virtualKey = virtualKey;
    event.keyBits = KeyBits(virtualKey, down, down ? wasDown : true);
    // Alt (and F10) make system keys unless Ctrl is held too; Alt's own release counts as
    // made with Alt held.
    bool alt = down ? KeyIsDown(KeyView::Async, VK_MENU) : altBefore;
    event.altHeld = alt;
    event.system = !KeyIsDown(KeyView::Async, VK_CONTROL) && (alt || virtualKey == VK_F10);
    Push(event);
}

void QueueButton(input::MouseButton button, int x, int y, bool down) {
    input::MouseMove(x, y);
    int index = button == input::MouseButton::Left    ? 0
                : button == input::MouseButton::Right ? 1
                                                      : 2;
    RecordKey(KeyView::Async, kButtonKey[index], down);
    RawInput event;
    event.kind = down ? Kind::ButtonDown : Kind::ButtonUp;
    event.button = index;
    event.pt = State().cursor;
    event.mouseKeys = MouseKeyFlags();
    Push(event);
}

}  // namespace

bool TakeInputMessage(const MessageFilter& filter, bool remove, MSG* msg) {
    auto& queue = State().queue;
    for (std::size_t i = 0; i < queue.size();) {
        RawInput& event = queue[i];
        if (!event.resolved && !Resolve(event)) {
            Synchronize(event);
            queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (event.hit == HTERROR) {
            // Over a disabled window: it only learns about the cursor.
            Synchronize(event);
            RawInput dropped = event;
            queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
            Deliver(dropped);
            continue;
        }
        if (!filter.TakesMessage(event.msg.message) || !filter.TakesWindow(event.msg.hwnd)) {
            ++i;
            continue;
        }
        if (!remove) {
            *msg = event.msg;
            return true;
        }
        RawInput taken = event;
        queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
        Synchronize(taken);
        if (!Deliver(taken))
            continue;
        *msg = taken.msg;
        return true;
    }
    return false;
}

bool HasQueuedInput() {
    return !State().queue.empty();
}

POINT CursorPosition() {
    return State().cursor;
}

WPARAM MouseKeyFlags() {
    const KeyView async = KeyView::Async;
    WPARAM flags = 0;
    if (KeyIsDown(async, VK_LBUTTON))
        flags |= MK_LBUTTON;
    if (KeyIsDown(async, VK_RBUTTON))
        flags |= MK_RBUTTON;
    if (KeyIsDown(async, VK_MBUTTON))
        flags |= MK_MBUTTON;
    if (KeyIsDown(async, VK_SHIFT))
        flags |= MK_SHIFT;
    if (KeyIsDown(async, VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

void ResetInput() {
    State() = InputState{};
    ResetKeys();
}

}  // namespace win32::user

namespace user = win32::user;

namespace win32::input {

void KeyDown(int virtualKey) {
    user::QueueKey(virtualKey, true);
}

void KeyUp(int virtualKey) {
    user::QueueKey(virtualKey, false);
}

void MouseMove(int x, int y) {
    auto& state = user::State();
    POINT pt = user::ClampToScreen(x, y);
    if (pt.x == state.cursor.x && pt.y == state.cursor.y)
        return;
    state.cursor = pt;
    // Moves not yet looked at merge into one, as on Windows: only the latest position counts.
    if (!state.queue.empty() && state.queue.back().kind == user::Kind::Move &&
        !state.queue.back().resolved) {
        state.queue.back().pt = pt;
        state.queue.back().mouseKeys = user::MouseKeyFlags();
        state.queue.back().time = timeGetTime();
        return;
    }
    user::RawInput event;
    event.kind = user::Kind::Move;
    event.pt = pt;
    event.mouseKeys = user::MouseKeyFlags();
    user::Push(event);
}

void MouseButtonDown(MouseButton button, int x, int y) {
    user::QueueButton(button, x, y, true);
}

void MouseButtonUp(MouseButton button, int x, int y) {
    user::QueueButton(button, x, y, false);
}

void RequestClose() {
    user::Window* target = user::MainWindow();
    if (target == nullptr)
        return;
    // Always the main window's, even while a message box has it disabled: the box's loop
    // hands the request on and the window's own answer (closing the program, say) ends the box.
    user::PostToQueue(target->handle, WM_CLOSE, 0, 0);
}

void RequestMinimize() {
    user::ApiScope scope;
    if (user::Window* main = user::MainWindow())
        user::ShowWindowOn(main, SW_MINIMIZE);
}

void RequestRestore() {
    user::ApiScope scope;
    if (user::Window* main = user::MainWindow())
        user::ShowWindowOn(main, SW_RESTORE);
}

bool AnyTopLevelIconic() {
    for (user::Window* top : user::TopLevels()) {
        if (top->life == user::Life::Alive && (top->style & WS_MINIMIZE))
            return true;
    }
    return false;
}

namespace {
void (*asyncKeyQueryObserver)(int virtualKey) = nullptr;
}  // namespace

void SetAsyncKeyQueryObserver(void (*observer)(int virtualKey)) {
    asyncKeyQueryObserver = observer;
}

void Reset() {
    user::ResetInput();
    user::ResetFocus();
    asyncKeyQueryObserver = nullptr;
}

}  // namespace win32::input

SHORT GetAsyncKeyState(int vKey) {
    SHORT state = user::KeyIsDown(user::KeyView::Async, vKey) ? static_cast<SHORT>(0x8000) : 0;
    if (win32::input::asyncKeyQueryObserver != nullptr)
        win32::input::asyncKeyQueryObserver(vKey);
    return state;
}

SHORT GetKeyState(int nVirtKey) {
    const user::KeyView sync = user::KeyView::Sync;
    int state = (user::KeyIsDown(sync, nVirtKey) ? 0xFF80 : 0) |
                (user::KeyIsToggled(sync, nVirtKey) ? 1 : 0);
    return static_cast<SHORT>(state);
}

BOOL GetCursorPos(LPPOINT lpPoint) {
    if (lpPoint == nullptr)
        return FALSE;
    *lpPoint = user::CursorPosition();
    return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
    win32::input::MouseMove(X, Y);
    return TRUE;
}

BOOL TranslateMessage(const MSG* lpMsg) {
    if (lpMsg == nullptr)
        return FALSE;
    switch (lpMsg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            int character = user::CharacterOf(static_cast<int>(lpMsg->wParam));
            if (character != 0) {
                UINT message = lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
                user::PostToQueue(lpMsg->hwnd, message, static_cast<WPARAM>(character),
                                  lpMsg->lParam);
            }
            return TRUE;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return TRUE;
        default:
            return FALSE;
    }
}
