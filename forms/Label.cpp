#include "forms/Label.h"

#include "forms/ClassBuilder.h"

namespace forms {

const TClassInfo& TLabel::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TLabel>::Define(
        "TLabel", &TGraphicControl::ClassInfo(), [](TClassBuilder<TLabel>& c) {
            c.Boolean("AutoSize", &TLabel::SetAutoSize);
            c.Boolean("Transparent", &TLabel::SetTransparent);
            c.Enum("Alignment", &TLabel::SetAlignment, AlignmentNames());
            c.Enum("Layout", &TLabel::SetLayout,
                   TEnumNames<TTextLayout>{
                       {"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}});
            c.Boolean("WordWrap", &TLabel::SetWordWrap);
            c.Boolean("ShowAccelChar", &TLabel::SetShowAccelChar);
        });
    return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() + csOpaque);
    SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    TControlStyle style = ControlStyle();
    SetControlStyle(transparent ? style - csOpaque : style + csOpaque);
    Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
    if (layout == layout_)
        return;
    layout_ = layout;
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_)
        return;
    wordWrap_ = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
    if (show == showAccelChar_)
        return;
    showAccelChar_ = show;
    AdjustBounds();
    Invalidate();
}

UINT TLabel::TextFormat() const {
    UINT format = DT_EXPANDTABS;
    format |= alignment_ == taCenter         ? DT_CENTER
              : alignment_ == taRightJustify ? DT_RIGHT
                                             : DT_LEFT;
    if (wordWrap_)
        format |= DT_WORDBREAK;
    if (!showAccelChar_)
        format |= DT_NOPREFIX;
    return format;
}

RECT TLabel::MeasureText(HDC dc, int width) const {
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    RECT rect{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, TextFormat() | DT_CALCRECT);
    return rect;
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || ComponentState().Contains(csLoading))
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return;
    HGDIOBJ previous = SelectObject(dc, Font()->Handle());
    RECT rect = MeasureText(dc, wordWrap_ ? Width() : 0);
    SelectObject(dc, previous);
    DeleteDC(dc);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int left = Left();
    if (alignment_ == taRightJustify)
        left += Width() - width;
    else if (alignment_ == taCenter)
        left += (Width() - width) / 2;
    SetBounds(left, Top(), width, height);
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::CMTextChanged(TMessage& message) {
    TGraphicControl::CMTextChanged(message);
    AdjustBounds();
}

void TLabel::CMFontChanged(TMessage& message) {
    TGraphicControl::CMFontChanged(message);
    AdjustBounds();
}

void TLabel::Paint() {
    TCanvas& canvas = *Canvas();
    RECT client = ClientRect();
    if (!transparent_) {
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(client);
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->Assign(*Font());
    RECT rect = client;
    if (layout_ != tlTop) {
        std::string text = Caption().empty() ? std::string(" ") : Caption();
        RECT needed = canvas.TextBounds(RECT{0, 0, client.right, 0}, text, TextFormat());
        int offset = (client.bottom - needed.bottom) / (layout_ == tlCenter ? 2 : 1);
        OffsetRect(&rect, 0, offset);
    }
    if (Enabled()) {
        canvas.TextRect(rect, Caption(), TextFormat());
        return;
    }
    // Disabled: engraved, a highlight one pixel down and right under the shadow.
    RECT shadow = rect;
    OffsetRect(&shadow, 1, 1);
    canvas.Font()->SetColor(clBtnHighlight);
    canvas.TextRect(shadow, Caption(), TextFormat());
    canvas.Font()->SetColor(clBtnShadow);
    canvas.TextRect(rect, Caption(), TextFormat());
}

}  // namespace forms
