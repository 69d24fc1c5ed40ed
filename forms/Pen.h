// The pen lines are drawn with: colour, width and style.
#pragma once

#include "forms/Colors.h"
#include "forms/GraphicsObject.h"

namespace forms {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
  public:
    TPen() = default;
    ~TPen() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);

    HPEN Handle() const;
    void Assign(const TPersistent& source) override;

  protected:
    void FreeHandle() override;

  private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    mutable HPEN handle_ = nullptr;
};

}  // namespace forms
