// A control: a rectangle on its parent with colour, font, caption, cursor, visibility and
// enabled state, that reacts to the mouse and to the framework's notices. A control without a
// window of its own (TGraphicControl) is painted by its parent and gets its mouse messages
// from it; a windowed one (TWinControl) has a native window.
//
// Messages reach a control through WndProc, which hands them to the virtual handlers below; a
// class that wants a message overrides the handler and calls the base class's version for
// the default behaviour.
#pragma once

#include <memory>
#include <string>

#include "forms/Colors.h"
#include "forms/Component.h"
#include "forms/Font.h"
#include "forms/Messages.h"
#include "forms/Types.h"

namespace forms {

class TWinControl;

class TControl : public TComponent {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    // ---- placement, in pixels relative to the parent's client area ---------------------------
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const;
    int ClientWidth() const;
    int ClientHeight() const;
    virtual void SetClientWidth(int width);
    virtual void SetClientHeight(int height);
    // Screen coordinates of the client area's top-left corner.
    virtual POINT ClientOrigin() const;
    POINT ClientToScreen(POINT point) const;
    POINT ScreenToClient(POINT point) const;
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    // ---- parent -------------------------------------------------------------------------------
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    // ---- state --------------------------------------------------------------------------------
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState state) { controlState_ = state; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
    TFont* Font() const { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // Mouse messages go to this control until the capture ends.
    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    void SetName(const std::string& name) override;

    // ---- painting -----------------------------------------------------------------------------
    virtual void Invalidate();
    // Paints what is invalid now, without waiting for the message loop.
    virtual void Update();
    void Repaint();
    void BringToFront();
    void SendToBack();

    // ---- messages -----------------------------------------------------------------------------
    // Runs `msg` through this control's WndProc at once and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void WndProc(TMessage& message);
    // What happens to a message no handler took (the window's default procedure for a
    // windowed control; nothing otherwise).
    virtual void DefaultHandler(TMessage& message);

    // ---- events -------------------------------------------------------------------------------
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

  protected:
    // The general processing of clicks and mouse input: each raises its event.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Resize();

    void Loaded() override;
    // Asks the parent to lay its aligned children out again.
    void RequestAlign();
    // Stores the placement without moving anything (the window already moved).
    void UpdateBoundsFields(int left, int top, int width, int height);
    // Colour and font changes that come from the parent keep ParentColor / ParentFont.
    void ApplyParentColor(TColor color);

    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);
    virtual void CMColorChanged(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMParentColorChanged(TMessage& message);
    virtual void CMParentFontChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMCursorChanged(TMessage& message);
    // Every control of a form hears of each focus change (LParam: the focused TWinControl*).
    virtual void CMFocusChanged(TMessage& message);
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);

    // The shift state of mouse message flags (MK_*), with Alt from the keyboard.
    static TShiftState KeysToShiftState(WPARAM keys);

  private:
    friend class TWinControl;

    void MouseButtonDown(TMessage& message, TMouseButton button, bool doubleClick);
    void MouseButtonUp(TMessage& message, TMouseButton button);
    void FontChanged();

    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    TAlign align_ = alNone;
    TWinControl* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState controlState_;
    TCursor cursor_ = crDefault;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool applyingParentFont_ = false;
    std::string caption_;
};

}  // namespace forms
