// A picture control: shows its picture unscaled at the top left (or centred, or stretched to
// the control), optionally with the picture's transparent colour left out. Without a picture
// it draws nothing and is a transparent hot spot that still gets clicks and its own cursor.
#pragma once

#include <memory>

#include "forms/GraphicControl.h"
#include "forms/Picture.h"

namespace forms {

class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(const TPicture& picture) { picture_->Assign(picture); }
    bool Center() const { return center_; }
    void SetCenter(bool center);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

  protected:
    void Paint() override;

  private:
    void PictureChanged();

    std::unique_ptr<TPicture> picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
};

}  // namespace forms
