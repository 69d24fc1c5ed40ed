#include "forms/Control.h"

#include "forms/ClassBuilder.h"
#include "forms/Form.h"
#include "forms/WinControl.h"
#include "forms/WindowRegistry.h"

namespace forms {

const TClassInfo& TControl::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TControl>::Define(
        "TControl", &TComponent::ClassInfo(), [](TClassBuilder<TControl>& c) {
            c.Integer("Left", &TControl::SetLeft);
            c.Integer("Top", &TControl::SetTop);
            c.Integer("Width", &TControl::SetWidth);
            c.Integer("Height", &TControl::SetHeight);
            c.Integer("ClientWidth", &TControl::SetClientWidth);
            c.Integer("ClientHeight", &TControl::SetClientHeight);
            c.Enum("Align", &TControl::SetAlign, AlignNames());
            c.Boolean("Visible", &TControl::SetVisible);
            c.Boolean("Enabled", &TControl::SetEnabled);
            c.Cursor("Cursor", &TControl::SetCursor);
            c.Color("Color", &TControl::SetColor);
            c.Boolean("ParentColor", &TControl::SetParentColor);
            c.Object("Font", &TControl::Font);
            c.Boolean("ParentFont", &TControl::SetParentFont);
            c.String("Caption", &TControl::SetCaption);
            c.Event("OnClick", &TControl::OnClick);
            c.Event("OnDblClick", &TControl::OnDblClick);
            c.Event("OnMouseDown", &TControl::OnMouseDown);
            c.Event("OnMouseMove", &TControl::OnMouseMove);
            c.Event("OnMouseUp", &TControl::OnMouseUp);
            c.Event("OnMouseEnter", &TControl::OnMouseEnter);
            c.Event("OnMouseLeave", &TControl::OnMouseLeave);
            c.Event("OnResize", &TControl::OnResize);
        });
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    font_->OnChange = nullptr;
    detail::ForgetControl(this);
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
}

// ---- placement ----------------------------------------------------------------------------

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    bool sized = width != width_ || height != height_;
    Invalidate();
    UpdateBoundsFields(left, top, width, height);
    Invalidate();
    if (sized && !ComponentState().Contains(csLoading))
        Resize();
    RequestAlign();
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
}

RECT TControl::ClientRect() const {
    return {0, 0, width_, height_};
}

int TControl::ClientWidth() const {
    RECT rect = ClientRect();
    return rect.right - rect.left;
}

int TControl::ClientHeight() const {
    RECT rect = ClientRect();
    return rect.bottom - rect.top;
}

void TControl::SetClientWidth(int width) {
    SetWidth(width + (width_ - ClientWidth()));
}

void TControl::SetClientHeight(int height) {
    SetHeight(height + (height_ - ClientHeight()));
}

POINT TControl::ClientOrigin() const {
    if (parent_ == nullptr)
        return {left_, top_};
    POINT origin = parent_->ClientOrigin();
    return {origin.x + left_, origin.y + top_};
}

POINT TControl::ClientToScreen(POINT point) const {
    POINT origin = ClientOrigin();
    return {point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point) const {
    POINT origin = ClientOrigin();
    return {point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign align) {
    if (align == align_)
        return;
    align_ = align;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_ != nullptr)
        parent_->Realign();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot be its own parent");
    if (parent_ != nullptr)
        parent_->RemoveControl(this);
    if (parent != nullptr)
        parent->InsertControl(this);
}

// ---- state --------------------------------------------------------------------------------

void TControl::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible, 0);
    RequestAlign();
}

bool TControl::Showing() const {
    return visible_ && (parent_ == nullptr || parent_->Showing());
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::ApplyParentColor(TColor color) {
    if (color == color_)
        return;
    color_ = color;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool parentColor) {
    if (parentColor == parentColor_)
        return;
    parentColor_ = parentColor;
    if (parentColor_)
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == parentFont_)
        return;
    parentFont_ = parentFont;
    if (parentFont_)
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::FontChanged() {
    if (!applyingParentFont_)
        parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetName(const std::string& name) {
    bool followName = controlStyle_.Contains(csSetCaption) &&
                      !ComponentState().Contains(csLoading) && Name() == caption_;
    TComponent::SetName(name);
    if (followName)
        SetCaption(name);
}

bool TControl::MouseCapture() const {
    return detail::CaptureControl() == this;
}

void TControl::SetMouseCapture(bool capture) {
    if (capture == MouseCapture())
        return;
    if (!capture) {
        detail::SetCaptureControl(nullptr);
        ReleaseCapture();
        return;
    }
    HWND window = nullptr;
    if (auto* windowed = dynamic_cast<TWinControl*>(this))
        window = windowed->Handle();
    else if (parent_ != nullptr)
        window = parent_->Handle();
    if (window == nullptr)
        return;
    ::SetCapture(window);
    detail::SetCaptureControl(this);
}

// ---- painting -----------------------------------------------------------------------------

void TControl::Invalidate() {
    if (parent_ == nullptr || !parent_->HandleAllocated())
        return;
    RECT bounds = BoundsRect();
    InvalidateRect(parent_->Handle(), &bounds, !controlStyle_.Contains(csOpaque));
}

void TControl::Update() {
    if (parent_ != nullptr)
        parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (parent_ == nullptr)
        return;
    auto& siblings = parent_->controls_;
    std::erase(siblings, this);
    siblings.push_back(this);
    if (auto* windowed = dynamic_cast<TWinControl*>(this); windowed && windowed->HandleAllocated())
        SetWindowPos(windowed->Handle(), HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack() {
    if (parent_ == nullptr)
        return;
    auto& siblings = parent_->controls_;
    std::erase(siblings, this);
    siblings.insert(siblings.begin(), this);
    if (auto* windowed = dynamic_cast<TWinControl*>(this); windowed && windowed->HandleAllocated())
        SetWindowPos(windowed->Handle(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

// ---- messages -----------------------------------------------------------------------------

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_LBUTTONDOWN:
            MouseButtonDown(message, mbLeft, false);
            return;
        case WM_LBUTTONDBLCLK:
            MouseButtonDown(message, mbLeft, true);
            return;
        case WM_RBUTTONDOWN:
            MouseButtonDown(message, mbRight, false);
            return;
        case WM_RBUTTONDBLCLK:
            MouseButtonDown(message, mbRight, true);
            return;
        case WM_MBUTTONDOWN:
            MouseButtonDown(message, mbMiddle, false);
            return;
        case WM_MBUTTONDBLCLK:
            MouseButtonDown(message, mbMiddle, true);
            return;
        case WM_LBUTTONUP:
            MouseButtonUp(message, mbLeft);
            return;
        case WM_RBUTTONUP:
            MouseButtonUp(message, mbRight);
            return;
        case WM_MBUTTONUP:
            MouseButtonUp(message, mbMiddle);
            return;
        case WM_MOUSEMOVE:
            DefaultHandler(message);
            if (!controlStyle_.Contains(csNoStdEvents))
                MouseMove(KeysToShiftState(message.WParam), GET_X_LPARAM(message.LParam),
                          GET_Y_LPARAM(message.LParam));
            return;
        case CM_ENABLEDCHANGED:
            CMEnabledChanged(message);
            return;
        case CM_VISIBLECHANGED:
            CMVisibleChanged(message);
            return;
        case CM_COLORCHANGED:
            CMColorChanged(message);
            return;
        case CM_FONTCHANGED:
            CMFontChanged(message);
            return;
        case CM_PARENTCOLORCHANGED:
            CMParentColorChanged(message);
            return;
        case CM_PARENTFONTCHANGED:
            CMParentFontChanged(message);
            return;
        case CM_TEXTCHANGED:
            CMTextChanged(message);
            return;
        case CM_CURSORCHANGED:
            CMCursorChanged(message);
            return;
        case CM_FOCUSCHANGED:
            CMFocusChanged(message);
            return;
        case CM_MOUSEENTER:
            CMMouseEnter(message);
            return;
        case CM_MOUSELEAVE:
            CMMouseLeave(message);
            return;
        default:
            DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

TShiftState TControl::KeysToShiftState(WPARAM keys) {
    TShiftState shift;
    if ((keys & MK_SHIFT) != 0)
        shift.Include(ssShift);
    if ((keys & MK_CONTROL) != 0)
        shift.Include(ssCtrl);
    if ((keys & MK_LBUTTON) != 0)
        shift.Include(ssLeft);
    if ((keys & MK_RBUTTON) != 0)
        shift.Include(ssRight);
    if ((keys & MK_MBUTTON) != 0)
        shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    return shift;
}

void TControl::MouseButtonDown(TMessage& message, TMouseButton button, bool doubleClick) {
    // A control that does not want double-clicks sees the second press as a plain one.
    if (doubleClick && !controlStyle_.Contains(csDoubleClicks))
        doubleClick = false;
    DefaultHandler(message);
    if (button == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse))
            SetMouseCapture(true);
        if (doubleClick) {
            if (controlStyle_.Contains(csClickEvents))
                DblClick();
        } else if (controlStyle_.Contains(csClickEvents)) {
            controlState_.Include(csClicked);
        }
    }
    if (controlStyle_.Contains(csNoStdEvents))
        return;
    TShiftState shift = KeysToShiftState(message.WParam);
    if (doubleClick)
        shift.Include(ssDouble);
    MouseDown(button, shift, GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

void TControl::MouseButtonUp(TMessage& message, TMouseButton button) {
    DefaultHandler(message);
    POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    if (button == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse) && MouseCapture())
            SetMouseCapture(false);
        if (controlState_.Contains(csClicked)) {
            controlState_.Exclude(csClicked);
            RECT client = ClientRect();
            if (PtInRect(&client, point))
                Click();
        }
    }
    if (!controlStyle_.Contains(csNoStdEvents))
        MouseUp(button, KeysToShiftState(message.WParam), point.x, point.y);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (parent_ != nullptr) {
        if (parentColor_)
            ApplyParentColor(parent_->Color());
        if (parentFont_)
            Perform(CM_PARENTFONTCHANGED, 0, 0);
    }
}

// ---- notices ------------------------------------------------------------------------------

void TControl::CMEnabledChanged(TMessage&) {
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    // Hidden or shown, the parent paints the area again.
    if (parent_ != nullptr && parent_->HandleAllocated()) {
        RECT bounds = BoundsRect();
        InvalidateRect(parent_->Handle(), &bounds, TRUE);
    }
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMFontChanged(TMessage&) {
    Invalidate();
}

void TControl::CMParentColorChanged(TMessage&) {
    if (parentColor_ && parent_ != nullptr)
        ApplyParentColor(parent_->Color());
}

void TControl::CMParentFontChanged(TMessage&) {
    if (!parentFont_ || parent_ == nullptr)
        return;
    applyingParentFont_ = true;
    font_->Assign(*parent_->Font());
    applyingParentFont_ = false;
}

void TControl::CMTextChanged(TMessage&) {
    Invalidate();
}

void TControl::CMCursorChanged(TMessage&) {
    // Shows the new shape at once when the pointer is over the control.
    HWND window = nullptr;
    if (auto* windowed = dynamic_cast<TWinControl*>(this))
        window = windowed->HandleAllocated() ? windowed->Handle() : nullptr;
    else if (parent_ != nullptr && parent_->HandleAllocated())
        window = parent_->Handle();
    if (window == nullptr)
        return;
    POINT point{};
    if (GetCursorPos(&point) && WindowFromPoint(point) == window)
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void TControl::CMFocusChanged(TMessage&) {}

void TControl::CMMouseEnter(TMessage&) {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
    if (OnMouseLeave)
        OnMouseLeave(this);
}

}  // namespace forms
