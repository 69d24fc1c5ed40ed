#include "forms/Image.h"

#include "forms/ClassBuilder.h"

namespace forms {

const TClassInfo& TImage::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TImage>::Define(
        "TImage", &TGraphicControl::ClassInfo(), [](TClassBuilder<TImage>& c) {
            c.Object("Picture", &TImage::Picture);
            c.Boolean("Center", &TImage::SetCenter);
            c.Boolean("Stretch", &TImage::SetStretch);
            c.Boolean("Transparent", &TImage::SetTransparent);
            c.Boolean("AutoSize", &TImage::SetAutoSize);
        });
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    picture_->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    picture_->OnChange = nullptr;
}

void TImage::SetCenter(bool center) {
    if (center == center_)
        return;
    center_ = center;
    Invalidate();
}

void TImage::SetStretch(bool stretch) {
    if (stretch == stretch_)
        return;
    stretch_ = stretch;
    Invalidate();
}

void TImage::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    PictureChanged();
}

void TImage::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    PictureChanged();
}

void TImage::PictureChanged() {
    if (TBitmap* bitmap = picture_->Graphic()) {
        // Stops at once when it changes nothing, so the change notice it raises ends here.
        bitmap->SetTransparent(transparent_);
        if (autoSize_ && !bitmap->Empty())
            SetBounds(Left(), Top(), bitmap->Width(), bitmap->Height());
    }
    Invalidate();
}

void TImage::Paint() {
    TBitmap* bitmap = picture_->Graphic();
    if (bitmap == nullptr || bitmap->Empty())
        return;
    if (stretch_) {
        Canvas()->CopyRect(ClientRect(), bitmap->Canvas(),
                           RECT{0, 0, bitmap->Width(), bitmap->Height()});
        return;
    }
    int x = center_ ? (Width() - bitmap->Width()) / 2 : 0;
    int y = center_ ? (Height() - bitmap->Height()) / 2 : 0;
    Canvas()->Draw(x, y, bitmap);
}

}  // namespace forms
