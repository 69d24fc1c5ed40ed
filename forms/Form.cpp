#include "forms/Form.h"

#include "forms/Application.h"
#include "forms/ClassBuilder.h"
#include "forms/FormReader.h"
#include "forms/PendingException.h"
#include "forms/Screen.h"

namespace forms {

const TClassInfo& TForm::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TForm>::Define(
        "TForm", &TCustomControl::ClassInfo(), [](TClassBuilder<TForm>& c) {
            c.Enum("BorderStyle", &TForm::SetBorderStyle,
                   TEnumNames<TFormBorderStyle>{{"bsNone", bsNone},
                                                {"bsSingle", bsSingle},
                                                {"bsSizeable", bsSizeable},
                                                {"bsDialog", bsDialog},
                                                {"bsToolWindow", bsToolWindow},
                                                {"bsSizeToolWin", bsSizeToolWin}});
            c.Set("BorderIcons", &TForm::SetBorderIcons,
                  TEnumNames<TBorderIcon>{{"biSystemMenu", biSystemMenu},
                                          {"biMinimize", biMinimize},
                                          {"biMaximize", biMaximize},
                                          {"biHelp", biHelp}});
            c.Enum("FormStyle", &TForm::SetFormStyle,
                   TEnumNames<TFormStyle>{{"fsNormal", fsNormal}, {"fsStayOnTop", fsStayOnTop}});
            c.Enum("WindowState", &TForm::SetWindowState,
                   TEnumNames<TWindowState>{{"wsNormal", wsNormal},
                                            {"wsMinimized", wsMinimized},
                                            {"wsMaximized", wsMaximized}});
            c.Boolean("KeyPreview", &TForm::SetKeyPreview);
            c.Integer("PixelsPerInch", &TForm::SetPixelsPerInch);
            c.Integer("TextHeight", &TForm::SetTextHeight);
            c.Event("OnCreate", &TForm::OnCreate);
            c.Event("OnDestroy", &TForm::OnDestroy);
            c.Event("OnShow", &TForm::OnShow);
            c.Event("OnHide", &TForm::OnHide);
            c.Event("OnCloseQuery", &TForm::OnCloseQuery);
            c.Event("OnClose", &TForm::OnClose);
            c.Event("OnPaint", &TForm::OnPaint);
            c.Event("OnActivate", &TForm::OnActivate);
            c.Event("OnDeactivate", &TForm::OnDeactivate);
        });
    return info;
}

TForm* GetParentForm(const TControl* control) {
    const TControl* top = control;
    while (top != nullptr && top->Parent() != nullptr)
        top = top->Parent();
    return const_cast<TForm*>(dynamic_cast<const TForm*>(top));
}

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + csAcceptsControls);
    SetVisible(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TForm::~TForm() {
    if (OnDestroy && !ComponentState().Contains(csLoading))
        OnDestroy(this);
    Destroying();
    DestroyComponents();
    Screen->RemoveForm(this);
    Application->FormDestroyed(this);
}

void TForm::ReadFormResource(const std::string& resourceName) {
    ReadComponentResource(*this, resourceName.empty() ? ClassName() : resourceName);
    resourceRead_ = true;
}

void TForm::Loaded() {
    TCustomControl::Loaded();
    if (Visible())
        Perform(CM_VISIBLECHANGED, TRUE, 0);
}

void TForm::DoCreate() {
    if (OnCreate)
        OnCreate(this);
}

// ---- window -------------------------------------------------------------------------------

void TForm::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    params.ExStyle = 0;
    switch (borderStyle_) {
        case bsNone:
            params.Style |= WS_POPUP;
            break;
        case bsSingle:
        case bsToolWindow:
            params.Style |= WS_CAPTION | WS_BORDER;
            break;
        case bsSizeable:
        case bsSizeToolWin:
            params.Style |= WS_CAPTION | WS_THICKFRAME;
            break;
        case bsDialog:
            params.Style |= WS_POPUP | WS_CAPTION;
            params.ExStyle |= WS_EX_DLGMODALFRAME;
            break;
    }
    if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
        params.Style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_.Contains(biMinimize))
                params.Style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize))
                params.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
        params.ExStyle |= WS_EX_TOOLWINDOW;
    if (formStyle_ == fsStayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    // Other forms stay in front of the main form.
    TForm* main = Application->MainForm();
    params.WndParent =
        main != nullptr && main != this && main->HandleAllocated() ? main->Handle() : nullptr;
    params.WindowClassStyle = CS_DBLCLKS;
}

void TForm::CreateHandle() {
    TCustomControl::CreateHandle();
    // With a frame, the window is larger than its client area by the frame's size, which is
    // known only now.
    if (pendingClientWidth_ >= 0) {
        int width = pendingClientWidth_;
        pendingClientWidth_ = -1;
        SetClientWidth(width);
    }
    if (pendingClientHeight_ >= 0) {
        int height = pendingClientHeight_;
        pendingClientHeight_ = -1;
        SetClientHeight(height);
    }
}

void TForm::SetClientWidth(int width) {
    if (!HandleAllocated())
        pendingClientWidth_ = width;
    TCustomControl::SetClientWidth(width);
}

void TForm::SetClientHeight(int height) {
    if (!HandleAllocated())
        pendingClientHeight_ = height;
    TCustomControl::SetClientHeight(height);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    borderIcons_ = icons;
}

void TForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_)
        return;
    formStyle_ = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TForm::WindowState() const {
    if (!HandleAllocated())
        return windowState_;
    if (IsIconic(const_cast<TForm*>(this)->Handle()))
        return wsMinimized;
    return windowState_ == wsMaximized ? wsMaximized : wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!HandleAllocated() || !Visible())
        return;
    ShowWindow(Handle(), state == wsMinimized   ? SW_MINIMIZE
                         : state == wsMaximized ? SW_SHOWMAXIMIZED
                                                : SW_RESTORE);
    detail::RethrowPendingException();
}

// ---- showing and closing ------------------------------------------------------------------

void TForm::CMVisibleChanged(TMessage&) {
    // A form resource that makes the form visible shows it once it is read.
    if (ComponentState().Contains(csLoading))
        return;
    if (Visible()) {
        HandleNeeded();
        // Before the window can be painted.
        DoShow();
        if (!Visible() || !HandleAllocated())
            return;
        ShowWindow(Handle(), windowState_ == wsMinimized   ? SW_SHOWMINIMIZED
                             : windowState_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                           : SW_SHOWNORMAL);
        detail::RethrowPendingException();
        if (windowState_ != wsMinimized)
            FocusInside();
    } else if (HandleAllocated()) {
        DoHide();
        ShowWindow(Handle(), SW_HIDE);
        detail::RethrowPendingException();
    }
}

void TForm::FocusInside() {
    HWND focus = GetFocus();
    HWND window = Handle();
    if (focus != nullptr && (focus == window || IsChild(window, focus)))
        return;
    TWinControl* target =
        activeControl_ != nullptr && activeControl_->CanFocus() ? activeControl_ : this;
    ::SetFocus(target->Handle());
    detail::RethrowPendingException();
}

void TForm::DoShow() {
    if (OnShow)
        OnShow(this);
}

void TForm::DoHide() {
    if (OnHide)
        OnHide(this);
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose)
        OnClose(this, action);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (!CloseQuery())
        return;
    bool isMain = Application->MainForm() == this;
    TCloseAction action = isMain ? caFree : caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (isMain) {
        Application->Terminate();
        return;
    }
    switch (action) {
        case caHide:
            Hide();
            break;
        case caMinimize:
            SetWindowState(wsMinimized);
            break;
        case caFree:
            Release();
            break;
        case caNone:
            break;
    }
}

void TForm::Release() {
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

void TForm::Paint() {
    if (OnPaint)
        OnPaint(this);
}

// ---- focus --------------------------------------------------------------------------------

void TForm::SetFocus() {
    activeControl_ = nullptr;
    TCustomControl::SetFocus();
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == nullptr) {
        activeControl_ = nullptr;
        return;
    }
    if (control == this || GetParentForm(control) != this || !control->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FocusControl(control);
}

void TForm::FocusControl(TWinControl* control) {
    activeControl_ = control;
    if (HandleAllocated() && Visible()) {
        ::SetFocus(control->Handle());
        detail::RethrowPendingException();
    }
}

void TForm::SetFocusedControl(TWinControl* control) {
    if (control == focusedControl_)
        return;
    TWinControl* previous = focusedControl_;
    focusedControl_ = control;
    if (control != this)
        activeControl_ = control;
    if (previous != nullptr && previous != this)
        previous->DoExit();
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    if (control != this && focusedControl_ == control)
        control->DoEnter();
}

void TForm::ControlRemoved(TControl* control) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed == nullptr)
        return;
    if (activeControl_ != nullptr && windowed->ContainsControl(activeControl_))
        activeControl_ = nullptr;
    if (focusedControl_ != nullptr && windowed->ContainsControl(focusedControl_))
        focusedControl_ = nullptr;
}

bool TForm::DialogTab(bool forward) {
    SelectNext(activeControl_, forward, true);
    return true;
}

bool TForm::DialogArrow(bool forward) {
    if (activeControl_ == nullptr || activeControl_->Parent() == nullptr)
        return false;
    activeControl_->Parent()->SelectNext(activeControl_, forward, false);
    return true;
}

// ---- messages -----------------------------------------------------------------------------

void TForm::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_CLOSE:
            // The window goes only the way Close decides, never straight to DestroyWindow.
            Close();
            message.Result = 0;
            return;
        case WM_ACTIVATE: {
            TWinControl* restore = activeControl_;
            DefaultHandler(message);
            bool active = LOWORD(message.WParam) != WA_INACTIVE;
            if (active) {
                Screen->SetActiveForm(this);
                if (HIWORD(message.WParam) == 0 && restore != nullptr && restore->CanFocus() &&
                    ContainsControl(restore)) {
                    ::SetFocus(restore->Handle());
                }
                if (OnActivate)
                    OnActivate(this);
            } else if (OnDeactivate) {
                OnDeactivate(this);
            }
            return;
        }
        case WM_SIZE:
            if (message.WParam == SIZE_MINIMIZED)
                windowState_ = wsMinimized;
            else if (message.WParam == 2)  // SIZE_MAXIMIZED
                windowState_ = wsMaximized;
            else if (message.WParam == SIZE_RESTORED)
                windowState_ = wsNormal;
            break;
        case CM_RELEASE:
            Destroying();
            delete this;
            return;
        default:
            break;
    }
    TCustomControl::WndProc(message);
}

}  // namespace forms
