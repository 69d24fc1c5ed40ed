// A label: its caption drawn in its font (the parent's unless set), on its colour or, when
// transparent, on whatever lies beneath. With AutoSize it keeps itself as large as its text.
#pragma once

#include "forms/GraphicControl.h"

namespace forms {

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner);

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool show);

  protected:
    void Paint() override;
    void Loaded() override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

  private:
    UINT TextFormat() const;
    // The rectangle the caption needs within `width` (the text of an empty caption is one
    // space high).
    RECT MeasureText(HDC dc, int width) const;
    void AdjustBounds();

    bool autoSize_ = true;
    bool transparent_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};

}  // namespace forms
