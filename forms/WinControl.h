// A control with a native window: it holds child controls (painting the windowless ones
// itself), takes the keyboard focus, and receives window messages through its window
// procedure. Its window is made when first needed, after its parent's.
#pragma once

#include <string>
#include <vector>

#include "forms/Control.h"

namespace forms {

// What CreateWindowExA is called with; a class adjusts it in CreateParams.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    UINT WindowClassStyle = 0;
    std::string WinClassName;
};

class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    // ---- the window ---------------------------------------------------------------------------
    // The window, made now if it does not exist yet (with the parent's first).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    POINT ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;

    // ---- children -----------------------------------------------------------------------------
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;
    // The topmost visible windowless child under `point` (client coordinates); disabled ones
    // count only when `allowDisabled`.
    TControl* ControlAtPos(POINT point, bool allowDisabled = false) const;
    // Sends `message` to every child control.
    void Broadcast(TMessage& message);
    void NotifyControls(UINT msg);
    // Lays the aligned children out again (after a size change, or a child's request).
    void Realign();
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();

    // ---- focus --------------------------------------------------------------------------------
    // Paints go through an off-screen picture and reach the window in one block transfer.
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool doubleBuffered) { doubleBuffered_ = doubleBuffered; }

    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    int TabOrder() const;
    void SetTabOrder(int order);
    // The windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // Visible and enabled, and so are all the parents up to the form.
    virtual bool CanFocus() const;
    bool Focused() const;
    // Gives this control the keyboard focus, also when it is no tab stop (EInvalidOperation
    // when it cannot take it).
    virtual void SetFocus();
    // Focuses the next (or previous) control of the tab order after `current` that can take
    // the focus (and is a tab stop, with `checkTabStop`).
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    // ---- events -------------------------------------------------------------------------------
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

  protected:
    virtual void CreateParams(TCreateParams& params);
    // Makes the window and then the windows of the children that are visible.
    virtual void CreateHandle();
    virtual void DestroyHandle();

    // Lays out the children whose Align is set inside `rect`, shrinking it.
    virtual void AlignControls(TControl* control, RECT& rect);
    // The area aligned children share (the client area unless a class keeps a border).
    virtual void AdjustClientRect(RECT& rect);

    // The painting of a WM_PAINT: the window's own content, then its windowless children.
    // WParam of the message may carry a device context to paint into instead of the window.
    virtual void PaintWindow(HDC dc);
    void PaintControls(HDC dc, const RECT& area);
    void PaintHandler(TMessage& message);
    // Buffered painting: makes an off-screen picture of the client size compatible with the
    // window, sends WM_ERASEBKGND and then WM_PAINT with the picture's device context (so
    // the control's own WMPaint sees a context and paints normally), and copies the picture
    // to the window in one BitBlt (inside a BeginPaint/EndPaint of its own when the message
    // came without a context). The off-screen objects are released in every case.
    void PaintBuffered(TMessage& message);

    // The general key processing: KeyDown raises OnKeyDown (after the form's own KeyDown when
    // the form previews keys); the key is passed by reference and 0 means it was consumed.
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();

    virtual void WMPaint(TMessage& message);
    virtual void WMEraseBkgnd(TMessage& message);
    virtual void WMSize(TMessage& message);
    virtual void WMMove(TMessage& message);
    virtual void WMTimer(TMessage& message);
    virtual void WMSetCursor(TMessage& message);
    virtual void WMGetDlgCode(TMessage& message);
    virtual void WMSetFocus(TMessage& message);
    virtual void WMKillFocus(TMessage& message);
    virtual void WMKeyDown(TMessage& message);
    virtual void WMKeyUp(TMessage& message);
    virtual void WMChar(TMessage& message);

    void CMEnabledChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void CMFocusChanged(TMessage& message) override;

    void Loaded() override;

    static TShiftState KeyDataToShiftState(LPARAM keyData);

  private:
    friend class TControl;
    friend class TForm;
    friend LRESULT CALLBACK StandardWindowProc(HWND, UINT, WPARAM, LPARAM);

    bool ForwardMouseToChild(TMessage& message);
    bool HandleDialogKey(WORD key, TShiftState shift);
    bool DoKeyDown(WORD& key, TShiftState shift);
    void UpdateBoundsFromWindow();
    void ForgetDeadWindows();
    void ShowChildWindow();
    const char* RegisterWindowClass(const TCreateParams& params);

    HWND handle_ = nullptr;
    std::vector<TControl*> controls_;    // all children, bottom first
    std::vector<TWinControl*> tabList_;  // windowed children in tab order
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    int alignDisabled_ = 0;
};

// The control of one of this framework's windows, or null.
TWinControl* FindControl(HWND window);

// The window procedure of every window this framework makes.
LRESULT CALLBACK StandardWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace forms
