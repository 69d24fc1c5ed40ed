#include "forms/GraphicControl.h"

#include "forms/ClassInfo.h"

namespace forms {

const TClassInfo& TGraphicControl::ClassInfo() {
    static const TClassInfo info("TGraphicControl", &TControl::ClassInfo());
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintTo(HDC dc) {
    canvas_->SetPaintHandle(dc);
    try {
        Paint();
    } catch (...) {
        canvas_->SetPaintHandle(nullptr);
        throw;
    }
    canvas_->SetPaintHandle(nullptr);
}

void TGraphicControl::Paint() {}

}  // namespace forms
