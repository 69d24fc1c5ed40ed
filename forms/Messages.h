// A window message as the controls see it, and the framework's own control notices. Notices
// are sent with TControl::Perform and never reach the platform's queue; their numbers lie in
// the application range so that they can never be mistaken for a system message.
#pragma once

#include "win32/api.h"

namespace forms {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

inline constexpr UINT CM_BASE = 0xB000;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 1;
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 2;
inline constexpr UINT CM_COLORCHANGED = CM_BASE + 3;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 4;
inline constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 5;
inline constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 6;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 7;
inline constexpr UINT CM_CURSORCHANGED = CM_BASE + 8;
// Sent to every control of a form after the keyboard focus moved inside it; LParam is the
// newly focused TWinControl* (the form itself when the form took the focus).
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 9;
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 10;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 11;
// Posted to a form that asked to be destroyed once its current message is done.
inline constexpr UINT CM_RELEASE = CM_BASE + 12;

}  // namespace forms
