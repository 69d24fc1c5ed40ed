// The framework's small shared types: enumerations and sets of the published properties,
// control styles and states, cursor numbers and the event signatures.
#pragma once

#include <functional>
#include <utility>

#include "forms/Set.h"
#include "win32/api.h"

namespace forms {

class TObject;

// ---- component and control state -----------------------------------------------------------
enum TComponentStateItem {
    csLoading,     // the form resource is being read; cleared by Loaded
    csReading,     // the component's own properties are being read
    csWriting,     // defined properties are being written
    csDestroying,  // the component is about to be destroyed
    csDesigning,
    csUpdating,
};
using TComponentState = TSet<TComponentStateItem>;

enum TControlStyleItem {
    csAcceptsControls,  // may hold child controls
    csCaptureMouse,     // captures the mouse on a button press
    csClickEvents,      // a press and release inside the control is a click
    csFramed,
    csSetCaption,  // the caption follows the name while they are equal
    csOpaque,      // paints its whole client area: no erase before painting
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoStdEvents,  // mouse messages do not raise the OnMouse events
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csFocusing,
    csCreating,  // the window is being created
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csAlignmentNeeded,
};
using TControlState = TSet<TControlStateItem>;

// ---- input ---------------------------------------------------------------------------------
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// ---- layout and looks ----------------------------------------------------------------------
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

// ---- forms ---------------------------------------------------------------------------------
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

// ---- cursors: numbers into the screen's cursor table ------------------------------------------
using TCursor = int;
inline constexpr TCursor crDefault = 0;  // the control's window class cursor
inline constexpr TCursor crNone = -1;    // no cursor at all
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// ---- events --------------------------------------------------------------------------------
using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TMessageEvent = std::function<void(MSG& message, bool& handled)>;

// A handler bound to an object's method: Slot(this, &TMainWin::FormShow) fits TNotifyEvent.
template <class C, class R, class... A>
std::function<R(A...)> Slot(C* object, R (C::*method)(A...)) {
    return [object, method](A... args) -> R { return (object->*method)(std::forward<A>(args)...); };
}

}  // namespace forms
