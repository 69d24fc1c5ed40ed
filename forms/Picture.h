// The picture a control shows: empty, or a bitmap. Form resources fill it through its Data
// property, with a bitmap resource's name or inline packed DIB bytes. Changes of the bitmap
// (new content, a new size, drawing on it) are reported through OnChange.
#pragma once

#include <memory>
#include <string>

#include "forms/Bitmap.h"
#include "forms/ClassInfo.h"
#include "forms/Object.h"

namespace forms {

class TPicture : public TPersistent {
  public:
    TPicture();
    ~TPicture() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    // The bitmap, made empty on first use.
    TBitmap* Bitmap();
    // The bitmap when the picture has one, null otherwise.
    TBitmap* Graphic() const { return bitmap_.get(); }
    bool Empty() const { return bitmap_ == nullptr || bitmap_->Empty(); }
    int Width() const { return bitmap_ != nullptr ? bitmap_->Width() : 0; }
    int Height() const { return bitmap_ != nullptr ? bitmap_->Height() : 0; }

    void Clear();
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    // The form resource's "Data" value: {resource:NAME} or inline packed DIB bytes.
    void SetData(const TBinaryData& data);

    void Assign(const TPersistent& source) override;

    TNotifyEvent OnChange;

  private:
    void Changed();

    std::unique_ptr<TBitmap> bitmap_;
};

}  // namespace forms
