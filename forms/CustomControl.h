// A windowed control that paints itself: on every paint its Canvas draws into the paint's
// device context (with the control's font and colour) and Paint runs.
#pragma once

#include <memory>

#include "forms/ControlCanvas.h"
#include "forms/WinControl.h"

namespace forms {

class TCustomControl : public TWinControl {
  public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TCanvas* Canvas() const { return canvas_.get(); }

  protected:
    virtual void Paint();
    void PaintWindow(HDC dc) override;
    void DestroyHandle() override;

  private:
    std::unique_ptr<TControlCanvas> canvas_;
};

}  // namespace forms
