// MessageBoxA: an application-modal box drawn on the screen like any window (caption bar,
// the text, one OK button), with its own message loop. While it is up every other top-level
// window of the application is disabled, so that none of them gets input. Every box is also
// recorded (caption and text in UTF-8) before it shows.
#include "user/MessageBox.h"

#include <algorithm>
#include <string>
#include <vector>

#include "user/WindowTree.h"
#include "win32/gdi.h"
#include "win32/platform/Diagnostics.h"
#include "win32/platform/Framebuffer.h"
#include "win32/platform/Host.h"
#include "win32/user.h"

namespace win32::user {

namespace {

constexpr char kClassName[] = "#32770";                 // the dialog class, as on Windows
constexpr char kDefaultCaption[] = "\xBF\xC0\xB7\xF9";  // "오류" in CP949
constexpr char kOkLabel[] = "\xC8\xAE\xC0\xCE";         // "확인" in CP949
constexpr char kFontFace[] = "\xB1\xBC\xB8\xB2";        // "굴림" in CP949
constexpr int kFrame = 3;
constexpr int kCaptionHeight = 18;
constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMaxTextWidth = 440;
constexpr int kMinWidth = 180;

int g_openBoxes = 0;

struct Box {
    std::string caption;
    std::string text;
    HFONT font = nullptr;
    HFONT captionFont = nullptr;
    RECT textRect{};
    RECT buttonRect{};
    bool done = false;
    bool pressed = false;
};

Box* BoxOf(HWND hwnd) {
    return reinterpret_cast<Box*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Fill(HDC dc, const RECT& r, int colorIndex) {
    FillRect(dc, &r, GetSysColorBrush(colorIndex));
}

// A classic two-pixel bevel: `light` on the top and left, `dark` on the bottom and right.
void Bevel(HDC dc, RECT r, int outerLight, int outerDark, int innerLight, int innerDark) {
    for (int ring = 0; ring < 2; ++ring) {
        int light = ring == 0 ? outerLight : innerLight;
        int dark = ring == 0 ? outerDark : innerDark;
        Fill(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, light);
        Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, light);
        Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
        Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
        InflateRect(&r, -1, -1);
    }
}

void Paint(HWND hwnd, Box& box) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return;
    RECT client;
    GetClientRect(hwnd, &client);
    Fill(dc, client, COLOR_BTNFACE);
    Bevel(dc, client, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);

    RECT bar{kFrame, kFrame, client.right - kFrame, kFrame + kCaptionHeight};
    Fill(dc, bar, COLOR_ACTIVECAPTION);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, box.captionFont);
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    RECT captionText{bar.left + 4, bar.top, bar.right - 4, bar.bottom};
    DrawTextA(dc, box.caption.c_str(), -1, &captionText,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);

    SelectObject(dc, box.font);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT text = box.textRect;
    DrawTextA(dc, box.text.c_str(), -1, &text, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);

    // The OK button: the default button's black frame, its bevel (sunk while pressed), the
    // label and the focus rectangle.
    RECT button = box.buttonRect;
    FrameRect(dc, &button, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&button, -1, -1);
    if (box.pressed) {
        FrameRect(dc, &button, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        Bevel(dc, button, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW);
    }
    RECT label = button;
    if (box.pressed)
        OffsetRect(&label, 1, 1);
    DrawTextA(dc, kOkLabel, -1, &label, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    RECT focus = button;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

void SetPressed(HWND hwnd, Box& box, bool pressed) {
    if (box.pressed == pressed)
        return;
    box.pressed = pressed;
    InvalidateRect(hwnd, &box.buttonRect, FALSE);
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Box* box = BoxOf(hwnd);
    if (box == nullptr)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_PAINT:
            Paint(hwnd, *box);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_GETDLGCODE:
            return DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_SPACE || wParam == VK_ESCAPE)
                box->done = true;
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (PtInRect(&box->buttonRect, at)) {
                SetCapture(hwnd);
                SetPressed(hwnd, *box, true);
            }
            return 0;
        case WM_MOUSEMOVE:
            if (GetCapture() == hwnd)
                SetPressed(hwnd, *box, PtInRect(&box->buttonRect, at) != FALSE);
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) {
                bool onButton = PtInRect(&box->buttonRect, at) != FALSE;
                ReleaseCapture();
                if (onButton)
                    box->done = true;
            }
            return 0;
        case WM_CAPTURECHANGED:
            SetPressed(hwnd, *box, false);
            return 0;
        case WM_CLOSE:
            // The window manager's close button answers a box with one button.
            box->done = true;
            return 0;
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, IDC_ARROW));
            return TRUE;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

bool EnsureClass() {
    WNDCLASSA existing;
    if (GetClassInfoA(nullptr, kClassName, &existing))
        return true;
    WNDCLASSA cls{};
    cls.lpfnWndProc = BoxProc;
    cls.lpszClassName = kClassName;
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    return RegisterClassA(&cls) != 0;
}

// Sizes the box around its text and places it in the middle of the screen.
RECT Layout(Box& box) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, box.font);
    RECT text{0, 0, kMaxTextWidth, 0};
    DrawTextA(dc, box.text.c_str(), -1, &text,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, box.captionFont);
    SIZE caption{0, 0};
    GetTextExtentPoint32A(dc, box.caption.c_str(), static_cast<int>(box.caption.size()), &caption);
    SelectObject(dc, old);
    DeleteDC(dc);

    int textWidth = std::max<int>(text.right - text.left, 0);
    int textHeight = std::max<int>(text.bottom - text.top, 0);
    int width = std::max({textWidth + 2 * kMargin, static_cast<int>(caption.cx) + 24,
                          kButtonWidth + 2 * kMargin, kMinWidth}) +
                2 * kFrame;
    width = std::min(width, Framebuffer::kWidth);
    int top = kFrame + kCaptionHeight + kMargin;
    int height = top + textHeight + kMargin + kButtonHeight + kMargin + kFrame;
    height = std::min(height, Framebuffer::kHeight);
    box.textRect = RECT{kFrame + kMargin, top, width - kFrame - kMargin, top + textHeight};
    int buttonTop = height - kFrame - kMargin - kButtonHeight;
    int buttonLeft = (width - kButtonWidth) / 2;
    box.buttonRect =
        RECT{buttonLeft, buttonTop, buttonLeft + kButtonWidth, buttonTop + kButtonHeight};
    int x = (Framebuffer::kWidth - width) / 2;
    int y = (Framebuffer::kHeight - height) / 2;
    return RECT{x, y, x + width, y + height};
}

// Every enabled top-level window is disabled for the box's lifetime; the handles of those
// it disabled are returned, to be enabled again afterwards (and no others).
std::vector<HWND> DisableApplication() {
    std::vector<HWND> tops;
    for (Window* top : TopLevels()) {
        if (top->life == Life::Alive && !(top->style & WS_DISABLED))
            tops.push_back(top->handle);
    }
    for (HWND top : tops)
        EnableWindow(top, FALSE);
    return tops;
}

// The modal loop. Without a host nobody can answer the box: what is queued now (its own
// painting among it) is handled and the box is taken as answered.
void RunModalLoop(Box& box, HWND hwnd, bool* quit, int* quitCode) {
    MSG msg;
    while (!box.done && IsWindow(hwnd)) {
        BOOL got;
        if (CurrentHost() != nullptr) {
            got = GetMessageA(&msg, nullptr, 0, 0);
        } else {
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                return;
            got = msg.message == WM_QUIT ? FALSE : TRUE;
        }
        if (got == 0) {
            // WM_QUIT ends the box; it is posted again for the loop outside.
            *quit = true;
            *quitCode = static_cast<int>(msg.wParam);
            return;
        }
        if (got < 0)
            return;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

int OpenMessageBoxes() {
    return g_openBoxes;
}

void ResetMessageBoxes() {
    g_openBoxes = 0;
}

}  // namespace win32::user

namespace user = win32::user;

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT) {
    user::Box box;
    box.caption = lpCaption != nullptr ? lpCaption : user::kDefaultCaption;
    box.text = lpText != nullptr ? lpText : "";
    win32::diagnostics::RecordMessageBox(box.caption.c_str(), box.text.c_str());
    if (!user::EnsureClass())
        return 0;

    box.font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, HANGEUL_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, user::kFontFace);
    box.captionFont =
        CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, HANGEUL_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, user::kFontFace);
    RECT place = user::Layout(box);

    HWND owner = hWnd != nullptr ? hWnd : GetActiveWindow();
    std::vector<HWND> disabled = user::DisableApplication();
    HWND hwnd =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, user::kClassName, box.caption.c_str(),
                        WS_POPUP, place.left, place.top, place.right - place.left,
                        place.bottom - place.top, owner, nullptr, nullptr, &box);
    bool quit = false;
    int quitCode = 0;
    bool destroyedFromOutside = false;
    if (hwnd != nullptr) {
        ShowWindow(hwnd, SW_SHOW);
        ++user::g_openBoxes;
        user::RunModalLoop(box, hwnd, &quit, &quitCode);
        --user::g_openBoxes;
        // Its owner destroyed (say, on a close request the owner took), the box went with it.
        destroyedFromOutside = !IsWindow(hwnd);
    }
    // The application comes back before the box goes, so that activation returns to it.
    for (HWND top : disabled) {
        if (IsWindow(top))
            EnableWindow(top, TRUE);
    }
    if (hwnd != nullptr && IsWindow(hwnd))
        DestroyWindow(hwnd);
    DeleteObject(box.font);
    DeleteObject(box.captionFont);
    if (quit)
        PostQuitMessage(quitCode);
    // A box that never opened, or was destroyed before it was answered, answers nothing.
    return hwnd != nullptr && !destroyedFromOutside ? IDOK : 0;
}
