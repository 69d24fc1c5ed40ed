// A panel: a windowed container painted in its colour, with outer and inner bevels, a border
// and a caption drawn in its font. Aligned children share the area inside the bevels.
#pragma once

#include "forms/CustomControl.h"

namespace forms {

class TPanel : public TCustomControl {
  public:
    explicit TPanel(TComponent* owner);

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut bevel);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut bevel);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);

  protected:
    void Paint() override;
    void AdjustClientRect(RECT& rect) override;

  private:
    void BevelChanged();

    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

}  // namespace forms
