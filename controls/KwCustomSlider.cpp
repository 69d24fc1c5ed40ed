#include "controls/KwCustomSlider.h"

#include <algorithm>
#include <cstdio>

#include "controls/RulerTiling.h"
#include "controls/SliderPictures.h"
#include "forms/ClassInfo.h"
#include "forms/Exception.h"
#include "forms/Filer.h"
#include "forms/Screen.h"
#include "forms/Stream.h"

namespace controls {

using forms::TMessage;
using forms::TMouseButton;
using forms::TShiftState;

namespace {

constexpr UINT_PTR kStepTimer = 1;
constexpr UINT kStepPeriodMs = 400;
// The gap between the slider rectangle and the ruler, the thumb and the ticks.
constexpr int kMargin = 6;
// How far beyond the ruler, across its axis, a press still counts as on the ruler.
constexpr int kRulerGrip = 3;

// Hit tests of the thumb and the ruler count all four edges as inside.
bool InsideWithEdges(const RECT& rect, int x, int y) {
    return x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom;
}

}  // namespace

const forms::TClassInfo& TKwCustomSlider::ClassInfo() {
    static const forms::TClassInfo info("TKwCustomSlider", &forms::TCustomControl::ClassInfo());
    return info;
}

TKwCustomSlider::TKwCustomSlider(forms::TComponent* owner)
    : forms::TCustomControl(owner), rulerImage_(std::make_unique<forms::TBitmap>()) {
    // Picture loads during construction must not lay the control out half made.
    SetControlState(ControlState() + forms::csCreating);
    SetControlStyle({forms::csAcceptsControls, forms::csCaptureMouse, forms::csClickEvents,
                     forms::csOpaque, forms::csDoubleClicks});
    SetBounds(Left(), Top(), 150, 40);
    SetTabStop(true);
    for (int slot = 0; slot < kSliderImageCount; ++slot)
        SetImage(static_cast<TSliderImage>(slot), nullptr);
    AdjustElements();
    SetControlState(ControlState() - forms::csCreating);
}

TKwCustomSlider::~TKwCustomSlider() {
    OnChange = nullptr;
    OnChanged = nullptr;
    OnDrawPoints = nullptr;
    if (stepTimerOn_ && HandleAllocated())
        KillTimer(Handle(), kStepTimer);
    stepTimerOn_ = false;
    for (auto& image : images_) {
        if (image != nullptr)
            image->OnChange = nullptr;
    }
    rulerImage_.reset();
    for (auto& image : images_)
        image.reset();
}

bool TKwCustomSlider::ReadingForm() const {
    return ComponentState().Contains(forms::csLoading);
}

// ---- the value model ---------------------------------------------------------------------------

void TKwCustomSlider::SetValue(int value) {
    if (value > maxValue_)
        value = maxValue_;
    if (value < minValue_)
        value = minValue_;
    bool changed = value != value_;
    value_ = value;
    SetThumbOffset(Mapping().OffsetByValue(value));
    if (changed)
        Change();
}

void TKwCustomSlider::SetMinValue(int value) {
    if (value == minValue_)
        return;
    SetRange(value, maxValue_);
}

void TKwCustomSlider::SetMaxValue(int value) {
    if (value == maxValue_)
        return;
    SetRange(minValue_, value);
}

void TKwCustomSlider::SetRange(int minValue, int maxValue) {
    bool reading = ReadingForm();
    if (!reading && minValue >= maxValue)
        return;
    minValue_ = minValue;
    maxValue_ = maxValue;
    if (!reading &&
        static_cast<long long>(maxValue) < static_cast<long long>(minValue) + increment_)
        increment_ = maxValue - minValue;
    if (options_.Contains(soShowPoints))
        Invalidate();
    SetValue(value_);
    RangeChanged();
}

void TKwCustomSlider::SetIncrement(int increment) {
    if (increment == increment_)
        return;
    long long range = static_cast<long long>(maxValue_) - minValue_;
    if (!ReadingForm()) {
        if (increment < 1 || increment > range) {
            char text[64];
            std::snprintf(text, sizeof text, "Value must be between %d and %lld", 1, range);
            throw forms::Exception(text);
        }
    } else if (increment < 1) {
        return;
    }
    increment_ = increment;
    SetValue(value_);
    Invalidate();
}

void TKwCustomSlider::ThumbJump(TJumpMode mode) {
    if (mode == jmNone)
        return;
    int target = JumpTarget(mode, value_, minValue_, maxValue_, increment_);
    if (target != value_)
        SetValue(target);
}

TJumpMode TKwCustomSlider::JumpTo(int x, int y) const {
    // A point on the thumb's right or bottom edge is on the thumb.
    if (!Vertical()) {
        if (x < thumbBounds_.left)
            return jmPrior;
        if (x > thumbBounds_.right)
            return jmNext;
        return jmNone;
    }
    if (y < thumbBounds_.top)
        return jmNext;
    if (y > thumbBounds_.bottom)
        return jmPrior;
    return jmNone;
}

// ---- looks
// ---------------------------------------------------------------------------------------

void TKwCustomSlider::SetOptions(TSliderOptions options) {
    if (options == options_)
        return;
    options_ = options;
    Invalidate();
}

void TKwCustomSlider::SetOrientation(TSliderOrientation orientation) {
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    Sized();
    if (!ComponentState().Contains(forms::csLoading) &&
        !ComponentState().Contains(forms::csUpdating)) {
        SetBounds(Left(), Top(), Height(), Width());
    }
}

int TKwCustomSlider::RulerPictureLength() const {
    forms::TBitmap* ruler = RulerBitmap();
    if (ruler == nullptr)
        return 0;
    return Vertical() ? ruler->Height() : ruler->Width();
}

void TKwCustomSlider::SetEdgeSize(int edgeSize) {
    if (edgeSize == edgeSize_)
        return;
    // A negative cap would make the tiling read outside the picture.
    if (edgeSize < 0 || 2LL * edgeSize >= RulerPictureLength())
        return;
    edgeSize_ = edgeSize;
    Sized();
}

void TKwCustomSlider::SetNumThumbStates(TNumThumbStates states) {
    if (states == numThumbStates_ || states < kMinThumbStates || states > kMaxThumbStates)
        return;
    numThumbStates_ = states;
    AdjustElements();
}

void TKwCustomSlider::SetBevelStyle(forms::TBevelCut style) {
    if (style == bevelStyle_)
        return;
    bevelStyle_ = style;
    Sized();
    Repaint();
}

void TKwCustomSlider::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_)
        return;
    if (readOnly) {
        StopTracking();
        if (dragActive_)
            ThumbMouseUp(forms::mbLeft, {}, 0, 0);
    }
    readOnly_ = readOnly;
}

// ---- pictures ----------------------------------------------------------------------------------

forms::TPicture* TKwCustomSlider::ConstImage(TSliderImage slot) const {
    return images_[static_cast<std::size_t>(slot)].get();
}

forms::TPicture* TKwCustomSlider::GetImage(TSliderImage slot) {
    auto& image = images_[static_cast<std::size_t>(slot)];
    if (image == nullptr) {
        image = std::make_unique<forms::TPicture>();
        image->OnChange = [this](forms::TObject*) { ImageChanged(); };
    }
    return image.get();
}

void TKwCustomSlider::SetImage(TSliderImage slot, const forms::TPicture* picture) {
    forms::TPicture* target = GetImage(slot);
    if (picture != nullptr) {
        target->Assign(*picture);
        replacedImages_.Include(slot);
        return;
    }
    LoadBuiltinImage(*target, slot);
    replacedImages_.Exclude(slot);
    if (!ReadingForm()) {
        options_.Exclude(IsThumbImage(slot) ? soThumbOpaque : soRulerOpaque);
        Invalidate();
    }
}

void TKwCustomSlider::ImageChanged() {
    if (!ControlState().Contains(forms::csCreating))
        Sized();
}

forms::TBitmap* TKwCustomSlider::ThumbBitmap() const {
    forms::TPicture* picture = ConstImage(Vertical() ? siVThumb : siHThumb);
    return picture != nullptr ? picture->Graphic() : nullptr;
}

forms::TBitmap* TKwCustomSlider::RulerBitmap() const {
    forms::TPicture* picture = ConstImage(Vertical() ? siVRuler : siHRuler);
    return picture != nullptr ? picture->Graphic() : nullptr;
}

SIZE TKwCustomSlider::ThumbSize() const {
    forms::TBitmap* thumb = ThumbBitmap();
    if (thumb == nullptr)
        return {0, 0};
    return {thumb->Width() / numThumbStates_, thumb->Height()};
}

void TKwCustomSlider::DefineProperties(forms::TFiler& filer) {
    forms::TCustomControl::DefineProperties(filer);
    auto* ancestor = dynamic_cast<TKwCustomSlider*>(filer.Ancestor());
    TSliderImages inherited = ancestor != nullptr ? ancestor->replacedImages_ : TSliderImages{};
    filer.DefineBinaryProperty(
        "UserImages",
        [this](forms::TStream& stream) {
            BYTE bits = 0;
            stream.ReadBuffer(&bits, 1);
            // Only the four slots mean anything.
            replacedImages_ = TSliderImages::FromBits(bits & 0x0Fu);
        },
        [this](forms::TStream& stream) {
            auto bits = static_cast<BYTE>(replacedImages_.Bits());
            stream.WriteBuffer(&bits, 1);
        },
        !(replacedImages_ == inherited));
}

void TKwCustomSlider::Loaded() {
    forms::TCustomControl::Loaded();
    for (int slot = 0; slot < kSliderImageCount; ++slot) {
        auto image = static_cast<TSliderImage>(slot);
        if (replacedImages_.Contains(image))
            SetImage(image, GetImage(image));
    }
}

// ---- layout ------------------------------------------------------------------------------------

RECT TKwCustomSlider::GetSliderRect() const {
    RECT rect{0, 0, Width(), Height()};
    if (bevelStyle_ != forms::bvNone)
        InflateRect(&rect, -bevelThickness_, -bevelThickness_);
    return rect;
}

int TKwCustomSlider::GetSliderValue() const {
    return value_;
}

bool TKwCustomSlider::CanModify() {
    return true;
}

void TKwCustomSlider::Sized() {
    AdjustElements();
}

void TKwCustomSlider::RangeChanged() {}

TSliderMapping TKwCustomSlider::Mapping() const {
    TSliderMapping mapping;
    RECT slider = GetSliderRect();
    SIZE thumb = ThumbSize();
    mapping.vertical = Vertical();
    mapping.trackOrigin = (Vertical() ? slider.top : slider.left) + kMargin;
    mapping.rulerLength =
        Vertical() ? rulerImage_->Height() - thumb.cy : rulerImage_->Width() - thumb.cx;
    mapping.thumbLength = thumb.cy;
    mapping.mirrorSum = slider.top + slider.bottom;
    mapping.clientHeight = ClientHeight();
    mapping.minValue = minValue_;
    mapping.maxValue = maxValue_;
    mapping.increment = increment_;
    mapping.smooth = options_.Contains(soSmooth);
    return mapping;
}

void TKwCustomSlider::BuildRuler() {
    forms::TBitmap* picture = RulerBitmap();
    if (picture == nullptr) {
        rulerImage_->SetSize(0, 0);
        return;
    }
    RECT slider = GetSliderRect();
    // A vertical control lower than the margins gets no ruler at all, like a narrow
    // horizontal one.
    int length = Vertical() ? slider.bottom - slider.top - 2 * kMargin
                            : slider.right - slider.left - 2 * kMargin;
    BuildRulerImage(*rulerImage_, *picture, Vertical(), std::max(length, 0), edgeSize_);
}

void TKwCustomSlider::AdjustElements() {
    BuildRuler();
    SIZE thumb = ThumbSize();
    int tw = thumb.cx;
    int th = thumb.cy;
    int rw = rulerImage_->Width();
    int rh = rulerImage_->Height();
    RECT slider = GetSliderRect();
    int left = slider.left + kMargin;
    int top = slider.top + kMargin;
    POINT thumbOrigin{left, top};
    if (!Vertical()) {
        if (th > rh) {
            rulerOrigin_ = {left, top + (th - rh) / 2};
        } else {
            thumbOrigin = {left, top + (rh - th) / 2};
            rulerOrigin_ = {left, top};
        }
        tickArea_ = {rulerOrigin_.x, top + std::max(th, rh) + 1, rulerOrigin_.x + rw,
                     slider.bottom - slider.top - 1};
    } else {
        if (tw > rw) {
            rulerOrigin_ = {left + (tw - rw) / 2, top};
        } else {
            thumbOrigin = {left + (rw - tw) / 2, top};
            rulerOrigin_ = {left, top};
        }
        tickArea_ = {left + std::max(tw, rw) + 1, rulerOrigin_.y, slider.right - slider.left - 1,
                     rulerOrigin_.y + rh};
    }
    thumbBounds_ = {thumbOrigin.x, thumbOrigin.y, thumbOrigin.x + tw, thumbOrigin.y + th};
    SetValue(value_);
    Invalidate();
}

void TKwCustomSlider::SetBounds(int left, int top, int width, int height) {
    bool sized = width != Width() || height != Height();
    forms::TCustomControl::SetBounds(left, top, width, height);
    // A window reports its new size with WM_SIZE; without one the layout follows here.
    if (sized && !HandleAllocated() && !ReadingForm() &&
        !ControlState().Contains(forms::csCreating)) {
        Sized();
    }
}

void TKwCustomSlider::AlignControls(forms::TControl* control, RECT& rect) {
    if (bevelStyle_ != forms::bvNone)
        InflateRect(&rect, -bevelThickness_, -bevelThickness_);
    forms::TCustomControl::AlignControls(control, rect);
}

// ---- the thumb
// -----------------------------------------------------------------------------------

int TKwCustomSlider::GetThumbOffset() const {
    return Vertical() ? thumbBounds_.top : thumbBounds_.left;
}

void TKwCustomSlider::InvalidateThumb() {
    // The control paints opaquely: nothing to erase first.
    if (HandleAllocated())
        InvalidateRect(Handle(), &thumbBounds_, FALSE);
}

void TKwCustomSlider::SetThumbOffset(int offset) {
    TSliderMapping mapping = Mapping();
    int before = value_;
    offset = mapping.SnapOffset(offset);
    InvalidateThumb();
    if (Vertical())
        OffsetRect(&thumbBounds_, 0, offset - thumbBounds_.top);
    else
        OffsetRect(&thumbBounds_, offset - thumbBounds_.left, 0);
    InvalidateThumb();
    if (dragActive_) {
        value_ = mapping.ValueByOffset(offset);
        if (value_ != before)
            Change();
    }
}

// ---- events
// --------------------------------------------------------------------------------------

void TKwCustomSlider::Change() {
    if (OnChange)
        OnChange(this);
}

void TKwCustomSlider::Changed() {
    if (OnChanged)
        OnChanged(this);
}

void TKwCustomSlider::KeyDown(WORD& key, TShiftState shift) {
    TJumpMode mode = jmNone;
    if (!shift.Contains(forms::ssShift) && !shift.Contains(forms::ssCtrl) &&
        !shift.Contains(forms::ssAlt)) {
        switch (key) {
            case VK_HOME:
                mode = jmHome;
                break;
            case VK_END:
                mode = jmEnd;
                break;
            case VK_LEFT:
                mode = Vertical() ? jmNone : jmPrior;
                break;
            case VK_RIGHT:
                mode = Vertical() ? jmNone : jmNext;
                break;
            case VK_UP:
                mode = Vertical() ? jmNext : jmNone;
                break;
            case VK_DOWN:
                mode = Vertical() ? jmPrior : jmNone;
                break;
            default:
                break;
        }
    }
    if (mode != jmNone && CanModify() && !readOnly_) {
        key = 0;
        ThumbJump(mode);
        Changed();
    }
    forms::TCustomControl::KeyDown(key, shift);
}

void TKwCustomSlider::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    forms::TCustomControl::MouseDown(button, shift, x, y);
    if (button != forms::mbLeft || shift.Contains(forms::ssDouble))
        return;
    // Also when the control is no tab stop: that only keeps it out of the Tab order.
    if (CanFocus())
        SetFocus();
    if (InsideWithEdges(thumbBounds_, x, y)) {
        ThumbMouseDown(button, shift, x, y);
        return;
    }
    RECT ruler{rulerOrigin_.x, rulerOrigin_.y, rulerOrigin_.x + rulerImage_->Width(),
               rulerOrigin_.y + rulerImage_->Height()};
    if (Vertical())
        InflateRect(&ruler, kRulerGrip, 0);
    else
        InflateRect(&ruler, 0, kRulerGrip);
    if (!InsideWithEdges(ruler, x, y) || !CanModify() || readOnly_)
        return;
    SetMouseCapture(true);
    stepActive_ = true;
    stepPoint_ = {x, y};
    stepDirection_ = JumpTo(x, y);
    TimerTrack();
}

void TKwCustomSlider::MouseMove(TShiftState shift, int x, int y) {
    if (shift.Contains(forms::ssLeft) && dragActive_)
        ThumbMouseMove(shift, x, y);
    else if (stepActive_)
        stepPoint_ = {x, y};
    forms::TCustomControl::MouseMove(shift, x, y);
}

void TKwCustomSlider::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    StopTracking();
    if (dragActive_)
        ThumbMouseUp(button, shift, x, y);
    forms::TCustomControl::MouseUp(button, shift, x, y);
}

void TKwCustomSlider::ThumbMouseDown(TMouseButton button, TShiftState, int x, int y) {
    if (CanFocus())
        SetFocus();
    if (button != forms::mbLeft || !CanModify() || readOnly_)
        return;
    dragActive_ = true;
    thumbPressed_ = true;
    grabOffset_ = Vertical() ? y - thumbBounds_.top : x - thumbBounds_.left;
    InvalidateThumb();
    Update();
}

void TKwCustomSlider::ThumbMouseMove(TShiftState, int x, int y) {
    if (CanModify() && !readOnly_)
        SetThumbOffset((Vertical() ? y : x) - grabOffset_);
}

void TKwCustomSlider::ThumbMouseUp(TMouseButton button, TShiftState, int, int) {
    if (button != forms::mbLeft)
        return;
    dragActive_ = false;
    thumbPressed_ = false;
    InvalidateThumb();
    Update();
    if (CanModify() && !readOnly_)
        Changed();
}

void TKwCustomSlider::TimerTrack() {
    // Steps only while the pointer stays beside the thumb on the side the press chose; the
    // timer runs on until the release, so moving back resumes the steps.
    if (JumpTo(stepPoint_.x, stepPoint_.y) != stepDirection_)
        return;
    ThumbJump(stepDirection_);
    if (!stepTimerOn_) {
        SetTimer(Handle(), kStepTimer, kStepPeriodMs, nullptr);
        stepTimerOn_ = true;
    }
}

void TKwCustomSlider::StopTracking() {
    if (!stepActive_)
        return;
    if (stepTimerOn_) {
        KillTimer(Handle(), kStepTimer);
        stepTimerOn_ = false;
    }
    stepActive_ = false;
    SetMouseCapture(false);
    Changed();
}

// ---- messages and notices
// ------------------------------------------------------------------------

void TKwCustomSlider::WMSize(TMessage& message) {
    forms::TCustomControl::WMSize(message);
    if (!ReadingForm())
        Sized();
}

void TKwCustomSlider::WMTimer(TMessage& message) {
    // A timer message still queued when stepping ended must not take one more step.
    if (message.WParam == kStepTimer) {
        if (stepActive_)
            TimerTrack();
        message.Result = 0;
        return;
    }
    forms::TCustomControl::WMTimer(message);
}

void TKwCustomSlider::WMGetDlgCode(TMessage& message) {
    message.Result = DLGC_WANTARROWS;
}

void TKwCustomSlider::CMFocusChanged(TMessage& message) {
    bool focused = reinterpret_cast<forms::TWinControl*>(message.LParam) == this;
    if (focused != hasFocus_) {
        hasFocus_ = focused;
        if (options_.Contains(soShowFocus))
            Invalidate();
    }
    forms::TCustomControl::CMFocusChanged(message);
}

void TKwCustomSlider::CMEnabledChanged(TMessage& message) {
    forms::TCustomControl::CMEnabledChanged(message);
    InvalidateThumb();
}

// ---- painting ----------------------------------------------------------------------------------

void TKwCustomSlider::WMPaint(TMessage& message) {
    if (inBufferedPaint_) {
        forms::TCustomControl::WMPaint(message);
        return;
    }
    PaintBuffered(message);
}

void TKwCustomSlider::PaintBuffered(TMessage& message) {
    // Everything is drawn off screen first and reaches the window in one block transfer, so
    // the control never shows a half-drawn state.
    RECT client = ClientRect();
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    HDC screen = GetDC(nullptr);
    HBITMAP picture =
        width > 0 && height > 0 ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    HDC memory = picture != nullptr ? CreateCompatibleDC(screen) : nullptr;
    ReleaseDC(nullptr, screen);
    if (memory == nullptr) {
        if (picture != nullptr)
            DeleteObject(picture);
        // Nothing to buffer into (an empty control): paint the plain way.
        forms::TCustomControl::WMPaint(message);
        return;
    }
    HGDIOBJ previous = SelectObject(memory, picture);
    auto release = [&] {
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(picture);
    };
    try {
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
        inBufferedPaint_ = true;
        TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(memory), 0, 0};
        forms::TCustomControl::WMPaint(inner);
        inBufferedPaint_ = false;
        if (auto target = reinterpret_cast<HDC>(message.WParam); target != nullptr) {
            BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        } else {
            PAINTSTRUCT paint{};
            HDC window = BeginPaint(Handle(), &paint);
            BitBlt(window, 0, 0, width, height, memory, 0, 0, SRCCOPY);
            EndPaint(Handle(), &paint);
        }
    } catch (...) {
        inBufferedPaint_ = false;
        release();
        throw;
    }
    release();
    message.Result = 0;
}

void TKwCustomSlider::Paint() {
    forms::TCanvas& canvas = *Canvas();
    POINT thumb{thumbBounds_.left, thumbBounds_.top};
    bool paintCopy = ControlState().Contains(forms::csPaintCopy);
    if (paintCopy) {
        // A copy shows the value the control reports, wherever the thumb is being dragged.
        TSliderMapping mapping = Mapping();
        int offset = mapping.SnapOffset(mapping.OffsetByValue(GetSliderValue()));
        (Vertical() ? thumb.y : thumb.x) = offset;
    }

    RECT rect = ClientRect();
    if (bevelStyle_ != forms::bvNone) {
        bool lowered = bevelStyle_ == forms::bvLowered;
        forms::TColor shadow = forms::clBtnShadow;
        forms::TColor highlight = forms::clBtnHighlight;
        forms::Frame3D(canvas, rect, lowered ? shadow : highlight, lowered ? highlight : shadow,
                       bevelThickness_);
    }
    canvas.Brush()->SetStyle(forms::bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(rect);

    if (rulerImage_->Width() > 0) {
        DrawBitmapPart(canvas, rulerOrigin_.x, rulerOrigin_.y, *rulerImage_,
                       RECT{0, 0, rulerImage_->Width(), rulerImage_->Height()},
                       !options_.Contains(soRulerOpaque));
    }
    if (options_.Contains(soShowFocus) && hasFocus_) {
        RECT focus = GetSliderRect();
        InflateRect(&focus, -2, -2);
        canvas.DrawFocusRect(focus);
    }
    if (options_.Contains(soShowPoints)) {
        if (OnDrawPoints)
            OnDrawPoints(this);
        else
            InternalDrawPoints(canvas, increment_, 3, 5);
    }
    bool pressedPicture = paintCopy ? !Enabled() : thumbPressed_ || !Enabled();
    DrawThumb(canvas, thumb, pressedPicture);
}

void TKwCustomSlider::DefaultDrawPoints(int increment, int innerLength, int endLength) {
    InternalDrawPoints(*Canvas(), increment, innerLength, endLength);
}

void TKwCustomSlider::InternalDrawPoints(forms::TCanvas& canvas, int increment, int innerLength,
                                         int endLength) {
    canvas.Pen()->SetColor(forms::clWindowText);
    canvas.Pen()->SetStyle(forms::psSolid);
    canvas.Pen()->SetWidth(1);
    TSliderMapping mapping = Mapping();
    SIZE thumb = ThumbSize();
    for (const TTickMark& tick :
         TickMarks(minValue_, maxValue_, increment, mapping.rulerLength, innerLength, endLength)) {
        int offset = mapping.OffsetByValue(tick.value);
        if (Vertical()) {
            int y = offset + thumb.cy / 2;
            canvas.MoveTo(tickArea_.left, y);
            canvas.LineTo(tickArea_.left + tick.length, y);
        } else {
            int x = offset + thumb.cx / 2;
            canvas.MoveTo(x, tickArea_.top);
            canvas.LineTo(x, tickArea_.top + tick.length);
        }
    }
}

void TKwCustomSlider::DrawThumb(forms::TCanvas& canvas, POINT origin, bool pressedPicture) {
    forms::TBitmap* image = ThumbBitmap();
    if (image == nullptr || image->Empty())
        return;
    RECT source{0, 0, image->Width(), image->Height()};
    if (numThumbStates_ == 2) {
        int half = image->Width() / 2;
        if (pressedPicture)
            source.left = half;
        else
            source.right = half;
    }
    DrawBitmapPart(canvas, origin.x, origin.y, *image, source, !options_.Contains(soThumbOpaque));
}

void TKwCustomSlider::WMSetCursor(TMessage& message) {
    POINT pointer{};
    GetCursorPos(&pointer);
    pointer = ScreenToClient(pointer);
    // Over the thumb the pointing hand, its right and bottom edges excluded.
    if (PtInRect(&thumbBounds_, pointer)) {
        ::SetCursor(forms::Screen->Cursors[crSliderHand]);
        message.Result = TRUE;
        return;
    }
    forms::TCustomControl::WMSetCursor(message);
}

}  // namespace controls
