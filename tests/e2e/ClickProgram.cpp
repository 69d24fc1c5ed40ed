// A small program for the runner's end-to-end tests: one window with a button area. It logs
// every input message it gets to standard output (one line each, client coordinates), turns
// the button green with a mark where it was clicked, and a tenth of a second after a click on
// the button closes its window and ends with exit code 0. Escape ends it with exit code 3.
#include <cstdarg>
#include <cstdio>

#include "host/Runner.h"
#include "win32/api.h"

namespace {

const RECT kButton{220, 180, 420, 300};
constexpr UINT_PTR kCloseTimer = 1;
constexpr COLORREF kBackground = RGB(0, 0, 128);
constexpr COLORREF kButtonUp = RGB(192, 192, 192);
constexpr COLORREF kButtonClicked = RGB(0, 255, 0);

bool g_clicked = false;
POINT g_clickedAt{};
int g_exitCode = 0;

void Log(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::putchar('\n');
    std::fflush(stdout);
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    Fill(dc, client, kBackground);
    Fill(dc, kButton, g_clicked ? kButtonClicked : kButtonUp);
    if (g_clicked) {
        RECT mark{g_clickedAt.x - 3, g_clickedAt.y - 3, g_clickedAt.x + 4, g_clickedAt.y + 4};
        Fill(dc, mark, RGB(0, 0, 0));
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_MOUSEMOVE:
            Log("move %d %d", x, y);
            return 0;
        case WM_LBUTTONDOWN:
            Log("down left %d %d", x, y);
            if (!g_clicked && PtInRect(&kButton, POINT{x, y})) {
                g_clicked = true;
                g_clickedAt = POINT{x, y};
                InvalidateRect(window, nullptr, FALSE);
                SetTimer(window, kCloseTimer, 100, nullptr);
            }
            return 0;
        case WM_LBUTTONUP:
            Log("up left %d %d", x, y);
            return 0;
        case WM_RBUTTONDOWN:
            Log("down right %d %d", x, y);
            return 0;
        case WM_RBUTTONUP:
            Log("up right %d %d", x, y);
            return 0;
        case WM_KEYDOWN:
            Log("key down %d", static_cast<int>(wParam));
            if (wParam == VK_ESCAPE) {
                g_exitCode = 3;
                DestroyWindow(window);
            }
            return 0;
        case WM_KEYUP:
            Log("key up %d", static_cast<int>(wParam));
            return 0;
        case WM_CHAR:
            Log("char %c", static_cast<char>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kCloseTimer) {
                KillTimer(window, kCloseTimer);
                DestroyWindow(window);
            }
            return 0;
        case WM_DESTROY:
            Log("destroyed");
            PostQuitMessage(g_exitCode);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int Run() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "NuvikClickProgram";
    if (!RegisterClassA(&windowClass))
        return 10;
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, "NuvikClickProgram", "Click", WS_POPUP | WS_VISIBLE, 0, 0,
                        640, 480, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 11;
    UpdateWindow(window);
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got < 0 ? 12 : static_cast<int>(message.wParam);
}

}  // namespace

// D-Bus, which SDL starts for the screen saver, keeps a buffer for the life of the process that
// nobody can free; the address sanitizer's leak check is told so, and nothing else.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

int main(int argc, char** argv) {
    nuvik::host::SystemHooks hooks;
    hooks.run = Run;
    return nuvik::host::RunRunner(argc, argv, hooks);
}
