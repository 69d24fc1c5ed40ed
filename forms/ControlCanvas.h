// The canvas of a control. While the control paints, it draws into the paint's device
// context; at other times it gets the window's own context (for a windowless control, its
// parent's, moved to the control's origin and clipped to its bounds) and gives it back when
// the application goes idle.
#pragma once

#include "forms/Canvas.h"

namespace forms {

class TControl;

class TControlCanvas : public TCanvas {
  public:
    explicit TControlCanvas(TControl& control);
    ~TControlCanvas() override;

    // Draws on a context the caller owns (the paint's); null ends that.
    void SetPaintHandle(HDC dc);
    // Gives back a context the canvas got for itself.
    void FreeHandle();
    // Gives back the contexts of every control canvas (the application's idle work).
    static void FreeDeviceContexts();

  protected:
    void CreateHandle() override;

  private:
    TControl& control_;
    HWND window_ = nullptr;
    HDC ownDC_ = nullptr;
};

}  // namespace forms
