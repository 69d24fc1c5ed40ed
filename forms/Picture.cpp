#include "forms/Picture.h"

#include "forms/ClassBuilder.h"
#include "forms/Instance.h"

namespace forms {

const TClassInfo& TPicture::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TPicture>::Define(
        "TPicture", &TPersistent::ClassInfo(),
        [](TClassBuilder<TPicture>& c) { c.Data("Data", &TPicture::SetData); });
    return info;
}

TPicture::TPicture() = default;

TPicture::~TPicture() {
    if (bitmap_ != nullptr)
        bitmap_->OnChange = nullptr;
}

TBitmap* TPicture::Bitmap() {
    if (bitmap_ == nullptr) {
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->OnChange = [this](TObject*) { Changed(); };
    }
    return bitmap_.get();
}

void TPicture::Clear() {
    if (bitmap_ == nullptr)
        return;
    bitmap_->OnChange = nullptr;
    bitmap_.reset();
    Changed();
}

void TPicture::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    // Decoded into a fresh bitmap first, so that a failure leaves the picture as it was.
    TBitmap loaded;
    loaded.LoadFromResourceName(instance, name);
    Bitmap()->Assign(loaded);
}

void TPicture::SetData(const TBinaryData& data) {
    TBitmap loaded;
    if (data.IsResource())
        loaded.LoadFromResourceName(HInstance(), data.ResourceName);
    else
        loaded.LoadFromPackedDib(data.Bytes.data(), data.Bytes.size());
    Bitmap()->Assign(loaded);
}

void TPicture::Assign(const TPersistent& source) {
    if (const auto* picture = dynamic_cast<const TPicture*>(&source)) {
        if (picture == this)
            return;
        if (picture->bitmap_ == nullptr)
            Clear();
        else
            Bitmap()->Assign(*picture->bitmap_);
        return;
    }
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        Bitmap()->Assign(*bitmap);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::Changed() {
    if (OnChange)
        OnChange(this);
}

}  // namespace forms
