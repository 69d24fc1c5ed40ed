#include "forms/Panel.h"

#include "forms/ClassBuilder.h"

namespace forms {

const TClassInfo& TPanel::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TPanel>::Define(
        "TPanel", &TCustomControl::ClassInfo(), [](TClassBuilder<TPanel>& c) {
            c.Enum("BevelOuter", &TPanel::SetBevelOuter, BevelCutNames());
            c.Enum("BevelInner", &TPanel::SetBevelInner, BevelCutNames());
            c.Integer("BevelWidth", &TPanel::SetBevelWidth);
            c.Integer("BorderWidth", &TPanel::SetBorderWidth);
            c.Enum("Alignment", &TPanel::SetAlignment, AlignmentNames());
        });
    return info;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + csAcceptsControls + csOpaque);
    SetColor(clBtnFace);
    SetBounds(0, 0, 185, 41);
}

void TPanel::BevelChanged() {
    Realign();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut bevel) {
    if (bevel == bevelOuter_)
        return;
    bevelOuter_ = bevel;
    BevelChanged();
}

void TPanel::SetBevelInner(TBevelCut bevel) {
    if (bevel == bevelInner_)
        return;
    bevelInner_ = bevel;
    BevelChanged();
}

void TPanel::SetBevelWidth(int width) {
    if (width == bevelWidth_ || width < 1)
        return;
    bevelWidth_ = width;
    BevelChanged();
}

void TPanel::SetBorderWidth(int width) {
    if (width == borderWidth_ || width < 0)
        return;
    borderWidth_ = width;
    BevelChanged();
}

void TPanel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    Invalidate();
}

void TPanel::AdjustClientRect(RECT& rect) {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    InflateRect(&rect, -inset, -inset);
}

namespace {

void BevelColors(TBevelCut bevel, TColor* topLeft, TColor* bottomRight) {
    switch (bevel) {
        case bvLowered:
            *topLeft = clBtnShadow;
            *bottomRight = clBtnHighlight;
            break;
        case bvRaised:
            *topLeft = clBtnHighlight;
            *bottomRight = clBtnShadow;
            break;
        default:
            *topLeft = *bottomRight = clBtnFace;
            break;
    }
}

}  // namespace

void TPanel::Paint() {
    TCanvas& canvas = *Canvas();
    RECT rect = ClientRect();
    TColor topLeft = clBtnFace;
    TColor bottomRight = clBtnFace;
    if (bevelOuter_ != bvNone) {
        BevelColors(bevelOuter_, &topLeft, &bottomRight);
        Frame3D(canvas, rect, topLeft, bottomRight, bevelWidth_);
    }
    Frame3D(canvas, rect, Color(), Color(), borderWidth_);
    if (bevelInner_ != bvNone) {
        BevelColors(bevelInner_, &topLeft, &bottomRight);
        Frame3D(canvas, rect, topLeft, bottomRight, bevelWidth_);
    }
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(rect);
    if (Caption().empty())
        return;
    canvas.Brush()->SetStyle(bsClear);
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    format |= alignment_ == taCenter         ? DT_CENTER
              : alignment_ == taRightJustify ? DT_RIGHT
                                             : DT_LEFT;
    canvas.TextRect(rect, Caption(), format);
}

}  // namespace forms
