#include "forms/Brush.h"

#include "forms/ClassBuilder.h"

namespace forms {

const TClassInfo& TBrush::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TBrush>::Define(
        "TBrush", &TGraphicsObject::ClassInfo(), [](TClassBuilder<TBrush>& c) {
            c.Color("Color", &TBrush::SetColor);
            c.Enum("Style", &TBrush::SetStyle,
                   TEnumNames<TBrushStyle>{{"bsSolid", bsSolid}, {"bsClear", bsClear}});
        });
    return info;
}

TBrush::~TBrush() {
    FreeHandle();
}

void TBrush::SetColor(TColor color) {
    if (color == color_ && style_ == bsSolid)
        return;
    color_ = color;
    style_ = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

HBRUSH TBrush::Handle() const {
    if (handle_ == nullptr) {
        handle_ = style_ == bsClear ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                    : CreateSolidBrush(ColorToRGB(color_));
    }
    return handle_;
}

void TBrush::FreeHandle() {
    if (handle_ != nullptr) {
        // Stock objects are never deleted.
        if (handle_ != static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)))
            DeleteObject(handle_);
        handle_ = nullptr;
    }
}

void TBrush::Assign(const TPersistent& source) {
    const auto* brush = dynamic_cast<const TBrush*>(&source);
    if (brush == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    color_ = brush->color_;
    style_ = brush->style_;
    Changed();
}

}  // namespace forms
