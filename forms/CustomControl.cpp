#include "forms/CustomControl.h"

#include "forms/ClassInfo.h"

namespace forms {

const TClassInfo& TCustomControl::ClassInfo() {
    static const TClassInfo info("TCustomControl", &TWinControl::ClassInfo());
    return info;
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(*this)) {}

TCustomControl::~TCustomControl() {
    canvas_->FreeHandle();
}

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->SetPaintHandle(dc);
    canvas_->Font()->Assign(*Font());
    canvas_->Brush()->SetColor(Color());
    try {
        Paint();
    } catch (...) {
        canvas_->SetPaintHandle(nullptr);
        throw;
    }
    canvas_->SetPaintHandle(nullptr);
}

void TCustomControl::Paint() {}

void TCustomControl::DestroyHandle() {
    canvas_->FreeHandle();
    TWinControl::DestroyHandle();
}

}  // namespace forms
