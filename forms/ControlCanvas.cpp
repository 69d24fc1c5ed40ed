#include "forms/ControlCanvas.h"

#include <algorithm>
#include <vector>

#include "forms/WinControl.h"

namespace forms {

namespace {

std::vector<TControlCanvas*>& CanvasesWithOwnDC() {
    static std::vector<TControlCanvas*> canvases;
    return canvases;
}

}  // namespace

TControlCanvas::TControlCanvas(TControl& control) : control_(control) {}

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetPaintHandle(HDC dc) {
    FreeHandle();
    SetHandle(dc);
}

void TControlCanvas::FreeHandle() {
    if (ownDC_ == nullptr)
        return;
    SetHandle(nullptr);
    ReleaseDC(window_, ownDC_);
    ownDC_ = nullptr;
    window_ = nullptr;
    std::erase(CanvasesWithOwnDC(), this);
}

void TControlCanvas::FreeDeviceContexts() {
    std::vector<TControlCanvas*> canvases = CanvasesWithOwnDC();
    for (TControlCanvas* canvas : canvases)
        canvas->FreeHandle();
}

void TControlCanvas::CreateHandle() {
    if (auto* windowed = dynamic_cast<TWinControl*>(&control_)) {
        window_ = windowed->Handle();
        ownDC_ = GetDC(window_);
    } else if (control_.Parent() != nullptr) {
        window_ = control_.Parent()->Handle();
        ownDC_ = GetDC(window_);
        if (ownDC_ != nullptr) {
            SetViewportOrgEx(ownDC_, control_.Left(), control_.Top(), nullptr);
            IntersectClipRect(ownDC_, 0, 0, control_.Width(), control_.Height());
        }
    }
    if (ownDC_ == nullptr) {
        window_ = nullptr;
        return;
    }
    CanvasesWithOwnDC().push_back(this);
    SetHandle(ownDC_);
}

}  // namespace forms
