#include "forms/Pen.h"

#include "forms/ClassBuilder.h"

namespace forms {

const TClassInfo& TPen::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TPen>::Define(
        "TPen", &TGraphicsObject::ClassInfo(), [](TClassBuilder<TPen>& c) {
            c.Color("Color", &TPen::SetColor);
            c.Integer("Width", &TPen::SetWidth);
            c.Enum("Style", &TPen::SetStyle,
                   TEnumNames<TPenStyle>{{"psSolid", psSolid},
                                         {"psDash", psDash},
                                         {"psDot", psDot},
                                         {"psDashDot", psDashDot},
                                         {"psDashDotDot", psDashDotDot},
                                         {"psClear", psClear},
                                         {"psInsideFrame", psInsideFrame}});
        });
    return info;
}

TPen::~TPen() {
    FreeHandle();
}

void TPen::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width == width_ || width < 0)
        return;
    width_ = width;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

HPEN TPen::Handle() const {
    if (handle_ == nullptr) {
        // The TPenStyle values are the PS_ numbers in the same order.
        handle_ = CreatePen(static_cast<int>(style_), width_, ColorToRGB(color_));
    }
    return handle_;
}

void TPen::FreeHandle() {
    if (handle_ != nullptr) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
}

void TPen::Assign(const TPersistent& source) {
    const auto* pen = dynamic_cast<const TPen*>(&source);
    if (pen == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    Changed();
}

}  // namespace forms
