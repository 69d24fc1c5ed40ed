// The frame-rate slider: a windowed control that paints itself from small pictures, a sunken
// ruler, a pointer-shaped thumb sliding along it and a row of tick marks. The value moves by
// dragging the thumb, by pressing and holding the mouse on the ruler beside the thumb, and with
// Left, Right (Up, Down when vertical), Home and End. OnChange fires inside whatever changed
// the value, and only when it really changed; OnChanged ends each user gesture.
//
// All behaviour lives here; TKwSlider (KwSlider.h) only publishes the properties.
#pragma once

#include <memory>

#include "controls/SliderMath.h"
#include "controls/SliderTypes.h"
#include "forms/Bitmap.h"
#include "forms/CustomControl.h"
#include "forms/Picture.h"

namespace controls {

class TKwCustomSlider : public forms::TCustomControl {
  public:
    explicit TKwCustomSlider(forms::TComponent* owner);
    ~TKwCustomSlider() override;

    static const forms::TClassInfo& ClassInfo();
    const forms::TClassInfo& ClassType() const override { return ClassInfo(); }

    // ---- the value model ---------------------------------------------------------------------
    int Value() const { return value_; }
    // Clamps to MinValue..MaxValue, moves the thumb, and raises OnChange when the value moved.
    void SetValue(int value);
    int MinValue() const { return minValue_; }
    void SetMinValue(int value);
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int value);
    // Outside form reading a minimum not below the maximum is ignored, and an Increment wider
    // than the new range shrinks to it.
    void SetRange(int minValue, int maxValue);
    int Increment() const { return increment_; }
    // Outside form reading, below 1 or above MaxValue - MinValue raises forms::Exception
    // "Value must be between 1 and <range>" and leaves Increment alone.
    void SetIncrement(int increment);

    // ---- looks -------------------------------------------------------------------------------
    TSliderOptions Options() const { return options_; }
    void SetOptions(TSliderOptions options);
    TSliderOrientation Orientation() const { return orientation_; }
    // Swaps the control's width and height too, unless a form is being read.
    void SetOrientation(TSliderOrientation orientation);
    int EdgeSize() const { return edgeSize_; }
    // Accepted only when twice the size is shorter than the ruler picture.
    void SetEdgeSize(int edgeSize);
    TNumThumbStates NumThumbStates() const { return numThumbStates_; }
    // 1 or 2; any other number is ignored.
    void SetNumThumbStates(TNumThumbStates states);
    forms::TBevelCut BevelStyle() const { return bevelStyle_; }
    void SetBevelStyle(forms::TBevelCut style);

    // The slot's picture (made on first use). A null picture brings the built-in one back.
    forms::TPicture* GetImage(TSliderImage slot);
    void SetImage(TSliderImage slot, const forms::TPicture* picture);
    forms::TPicture* ImageHThumb() const { return ConstImage(siHThumb); }
    forms::TPicture* ImageHRuler() const { return ConstImage(siHRuler); }
    forms::TPicture* ImageVThumb() const { return ConstImage(siVThumb); }
    forms::TPicture* ImageVRuler() const { return ConstImage(siVRuler); }
    TSliderImages ReplacedImages() const { return replacedImages_; }

    // When set the user cannot change the value; switching it on ends a gesture under way.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    // ---- layout, for painting code and tests -------------------------------------------------
    const forms::TBitmap& RulerImage() const { return *rulerImage_; }
    POINT RulerOrigin() const { return rulerOrigin_; }
    RECT ThumbBounds() const { return thumbBounds_; }
    RECT TickArea() const { return tickArea_; }
    bool ThumbPressed() const { return thumbPressed_; }
    bool HasFocus() const { return hasFocus_; }
    bool DragActive() const { return dragActive_; }
    bool StepActive() const { return stepActive_; }
    // The leading edge (left, or top when vertical) of ThumbBounds.
    int GetThumbOffset() const;
    // The mapping between values and leading edges for the present layout.
    TSliderMapping Mapping() const;

    // One step of the value, as a key or press-and-hold takes it.
    void ThumbJump(TJumpMode mode);
    // Which step a point in client coordinates asks for: beside the thumb, toward it.
    TJumpMode JumpTo(int x, int y) const;

    forms::TNotifyEvent OnChange;
    forms::TNotifyEvent OnChanged;
    // Replaces the built-in tick marks; DefaultDrawPoints draws them for such a handler.
    forms::TNotifyEvent OnDrawPoints;

    // ---- the virtual operations, in slot order -------------------------------------------------
    // Whether the user may change the value now (a descendant may refuse).
    virtual bool CanModify();
    // S: the client rectangle, inset by the bevel when there is one.
    virtual RECT GetSliderRect() const;
    virtual int GetSliderValue() const;
    // Lays the control out again after its size or looks changed.
    virtual void Sized();
    // After every accepted SetRange.
    virtual void RangeChanged();
    virtual void ThumbMouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y);
    virtual void ThumbMouseMove(forms::TShiftState shift, int x, int y);
    virtual void ThumbMouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y);
    // The built-in tick marks on the control's own canvas.
    virtual void DefaultDrawPoints(int increment, int innerLength, int endLength);

    void DefineProperties(forms::TFiler& filer) override;
    void SetBounds(int left, int top, int width, int height) override;

  protected:
    // Raise OnChange and OnChanged.
    virtual void Change();
    virtual void Changed();

    void Loaded() override;
    void AlignControls(forms::TControl* control, RECT& rect) override;
    void Paint() override;

    void WMPaint(forms::TMessage& message) override;
    void WMSize(forms::TMessage& message) override;
    void WMTimer(forms::TMessage& message) override;
    void WMSetCursor(forms::TMessage& message) override;
    void WMGetDlgCode(forms::TMessage& message) override;
    void CMFocusChanged(forms::TMessage& message) override;
    void CMEnabledChanged(forms::TMessage& message) override;

    void KeyDown(WORD& key, forms::TShiftState shift) override;
    void MouseDown(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;
    void MouseMove(forms::TShiftState shift, int x, int y) override;
    void MouseUp(forms::TMouseButton button, forms::TShiftState shift, int x, int y) override;

    void AdjustElements();
    void BuildRuler();
    void SetThumbOffset(int offset);
    void InvalidateThumb();
    // A press-and-hold step, at once and on every timer message.
    void TimerTrack();
    void StopTracking();
    void InternalDrawPoints(forms::TCanvas& canvas, int increment, int innerLength, int endLength);
    void DrawThumb(forms::TCanvas& canvas, POINT origin, bool pressedPicture);

  private:
    bool ReadingForm() const;
    bool Vertical() const { return orientation_ == soVertical; }
    forms::TPicture* ConstImage(TSliderImage slot) const;
    forms::TBitmap* ThumbBitmap() const;
    forms::TBitmap* RulerBitmap() const;
    SIZE ThumbSize() const;
    int RulerPictureLength() const;
    void ImageChanged();
    void PaintBuffered(forms::TMessage& message);

    // In declaration order of the control's state.
    TSliderImages replacedImages_;
    TSliderImageArray images_;
    int edgeSize_ = 2;
    std::unique_ptr<forms::TBitmap> rulerImage_;
    bool inBufferedPaint_ = false;
    POINT rulerOrigin_{0, 0};
    RECT thumbBounds_{0, 0, 0, 0};
    bool thumbPressed_ = false;
    TNumThumbStates numThumbStates_ = 2;
    RECT tickArea_{0, 0, 0, 0};
    TSliderOrientation orientation_ = soHorizontal;
    TSliderOptions options_{soShowFocus, soShowPoints, soSmooth};
    forms::TBevelCut bevelStyle_ = forms::bvNone;
    int bevelThickness_ = 1;
    int minValue_ = 0;
    int maxValue_ = 100;
    int increment_ = 10;
    int value_ = 0;
    int grabOffset_ = 0;
    bool hasFocus_ = false;
    bool dragActive_ = false;
    bool stepActive_ = false;
    bool stepTimerOn_ = false;
    POINT stepPoint_{0, 0};
    TJumpMode stepDirection_ = jmNone;
    bool readOnly_ = false;
};

}  // namespace controls
