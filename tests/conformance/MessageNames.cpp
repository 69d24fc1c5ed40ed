#include "MessageNames.h"

#include <cstdio>
#include <map>

namespace conformance {

std::string MessageName(UINT message) {
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_SETTEXT, "WM_SETTEXT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_TIMER, "WM_TIMER"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_USER, "WM_USER"},
        {WM_USER + 1, "WM_USER+1"},
        {WM_USER + 2, "WM_USER+2"},
        {WM_GETTEXT, "WM_GETTEXT"},
        {WM_QUIT, "WM_QUIT"},
        {WM_CANCELMODE, "WM_CANCELMODE"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_GETDLGCODE, "WM_GETDLGCODE"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},
        {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
    };
    auto it = names.find(message);
    if (it != names.end())
        return it->second;
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", message);
    return text;
}

}  // namespace conformance
