// The brush areas are filled with: a solid colour, or clear (nothing is filled and text is
// drawn without a background).
#pragma once

#include "forms/Colors.h"
#include "forms/GraphicsObject.h"

namespace forms {

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
  public:
    TBrush() = default;
    ~TBrush() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

    HBRUSH Handle() const;
    void Assign(const TPersistent& source) override;

  protected:
    void FreeHandle() override;

  private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    mutable HBRUSH handle_ = nullptr;
};

}  // namespace forms
