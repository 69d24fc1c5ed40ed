// A control without a window of its own: its parent paints it (through Paint, on a canvas
// whose origin is the control's top-left corner) and passes it the mouse messages that fall
// on it.
#pragma once

#include <memory>

#include "forms/Control.h"
#include "forms/ControlCanvas.h"

namespace forms {

class TGraphicControl : public TControl {
  public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TCanvas* Canvas() const { return canvas_.get(); }

    // Paints the control into `dc`, whose origin and clipping its parent has prepared.
    void PaintTo(HDC dc);

  protected:
    virtual void Paint();

  private:
    std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace forms
