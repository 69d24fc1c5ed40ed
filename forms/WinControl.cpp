#include "forms/WinControl.h"

#include <algorithm>
#include <set>

#include "forms/Application.h"
#include "forms/ClassBuilder.h"
#include "forms/Form.h"
#include "forms/GraphicControl.h"
#include "forms/Instance.h"
#include "forms/PendingException.h"
#include "forms/Screen.h"
#include "forms/WindowRegistry.h"

namespace forms {

const TClassInfo& TWinControl::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TWinControl>::Define(
        "TWinControl", &TControl::ClassInfo(), [](TClassBuilder<TWinControl>& c) {
            c.Boolean("TabStop", &TWinControl::SetTabStop);
            c.Boolean("DoubleBuffered", &TWinControl::SetDoubleBuffered);
            c.Integer("TabOrder", &TWinControl::SetTabOrder);
            c.Event("OnKeyDown", &TWinControl::OnKeyDown);
            c.Event("OnKeyUp", &TWinControl::OnKeyUp);
            c.Event("OnKeyPress", &TWinControl::OnKeyPress);
            c.Event("OnEnter", &TWinControl::OnEnter);
            c.Event("OnExit", &TWinControl::OnExit);
        });
    return info;
}

TWinControl* FindControl(HWND window) {
    return detail::ControlOfWindow(window);
}

LRESULT CALLBACK StandardWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = detail::ControlOfWindow(window);
    if (control == nullptr) {
        // The first messages of a new window arrive before CreateWindowExA has returned.
        control = detail::CreatingControl();
        if (control == nullptr || control->handle_ != nullptr)
            return DefWindowProcA(window, msg, wParam, lParam);
        control->handle_ = window;
        detail::AttachWindow(window, control);
    }
    if (control->ComponentState().Contains(csDestroying)) {
        LRESULT result = DefWindowProcA(window, msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            detail::DetachWindow(window);
            if (control->handle_ == window)
                control->handle_ = nullptr;
        }
        return result;
    }
    TMessage message{msg, wParam, lParam, 0};
    try {
        control->WndProc(message);
    } catch (...) {
        detail::StorePendingException(std::current_exception());
        return 0;
    }
    return message.Result;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    SetState(csDestroying, true);
    // Children still here go with their parent.
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        child->Destroying();
        delete child;
    }
    DestroyHandle();
    if (Parent() != nullptr)
        Parent()->RemoveControl(this);
}

// ---- the window ---------------------------------------------------------------------------

HWND TWinControl::Handle() {
    if (handle_ == nullptr)
        CreateHandle();
    if (handle_ == nullptr)
        throw EInvalidOperation("Error creating window for " + ClassName());
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = Caption();
    params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() != nullptr ? Parent()->Handle() : nullptr;
    params.WindowClassStyle = CS_DBLCLKS;
    params.WinClassName = ClassName();
}

const char* TWinControl::RegisterWindowClass(const TCreateParams& params) {
    // The names stay put for the window system, which may keep the pointer.
    static std::set<std::string> names;
    const std::string& name = *names.insert(params.WinClassName).first;
    WNDCLASSA existing{};
    if (GetClassInfoA(HInstance(), name.c_str(), &existing))
        return name.c_str();
    WNDCLASSA windowClass{};
    windowClass.style = params.WindowClassStyle;
    windowClass.lpfnWndProc = StandardWindowProc;
    windowClass.hInstance = HInstance();
    windowClass.hIcon = (params.Style & WS_CHILD) == 0 ? Application->Icon() : nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name.c_str();
    if (RegisterClassA(&windowClass) == 0)
        throw EInvalidOperation("Cannot register the window class " + params.WinClassName);
    return name.c_str();
}

void TWinControl::CreateHandle() {
    if (handle_ != nullptr)
        return;
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) != 0 && params.WndParent == nullptr)
        throw EInvalidOperation("Control " + Name() + " has no parent window");
    const char* className = RegisterWindowClass(params);
    SetControlState(ControlState() + csCreating);
    TWinControl* outer = detail::CreatingControl();
    detail::SetCreatingControl(this);
    HWND window = CreateWindowExA(params.ExStyle, className, params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent,
                                  nullptr, HInstance(), nullptr);
    detail::SetCreatingControl(outer);
    SetControlState(ControlState() - csCreating);
    if (window == nullptr) {
        detail::RethrowPendingException();
        throw EInvalidOperation("Error creating window for " + ClassName());
    }
    if (handle_ == nullptr) {
        handle_ = window;
        detail::AttachWindow(window, this);
    }
    detail::RethrowPendingException();
    // The children's windows follow in z-order, bottom first.
    std::vector<TControl*> children = controls_;
    for (TControl* child : children) {
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed != nullptr && windowed->Visible() && ContainsControl(windowed))
            windowed->CreateHandle();
    }
}

void TWinControl::ForgetDeadWindows() {
    // Windows destroyed with their parent leave stale handles behind if their last message
    // never reached the framework.
    for (TControl* child : controls_) {
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed == nullptr)
            continue;
        if (windowed->handle_ != nullptr && !IsWindow(windowed->handle_)) {
            detail::DetachWindow(windowed->handle_);
            windowed->handle_ = nullptr;
        }
        windowed->ForgetDeadWindows();
    }
}

void TWinControl::DestroyHandle() {
    if (handle_ == nullptr)
        return;
    SetControlState(ControlState() + csDestroyingHandle);
    if (TControl* capture = detail::CaptureControl();
        capture != nullptr && (capture == this || capture->Parent() == this)) {
        detail::SetCaptureControl(nullptr);
    }
    HWND window = handle_;
    DestroyWindow(window);
    if (handle_ != nullptr) {
        detail::DetachWindow(window);
        handle_ = nullptr;
    }
    ForgetDeadWindows();
    SetControlState(ControlState() - csDestroyingHandle);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (handle_ == nullptr) {
        TControl::SetBounds(left, top, width, height);
        return;
    }
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The window's WM_SIZE and WM_MOVE have updated the fields; make sure of it.
    UpdateBoundsFields(left, top, width, height);
    detail::RethrowPendingException();
    RequestAlign();
}

RECT TWinControl::ClientRect() const {
    if (handle_ == nullptr)
        return TControl::ClientRect();
    RECT rect{};
    GetClientRect(handle_, &rect);
    return rect;
}

POINT TWinControl::ClientOrigin() const {
    if (handle_ == nullptr)
        return TControl::ClientOrigin();
    POINT origin{0, 0};
    ::ClientToScreen(handle_, &origin);
    return origin;
}

void TWinControl::Invalidate() {
    if (handle_ != nullptr)
        InvalidateRect(handle_, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::Update() {
    if (handle_ == nullptr)
        return;
    UpdateWindow(handle_);
    detail::RethrowPendingException();
}

void TWinControl::UpdateBoundsFromWindow() {
    if (handle_ == nullptr || IsIconic(handle_))
        return;
    RECT rect{};
    GetWindowRect(handle_, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    if (Parent() != nullptr && Parent()->handle_ != nullptr)
        MapWindowPoints(nullptr, Parent()->handle_, corners, 2);
    UpdateBoundsFields(corners[0].x, corners[0].y, corners[1].x - corners[0].x,
                       corners[1].y - corners[0].y);
}

// ---- children -----------------------------------------------------------------------------

void TWinControl::InsertControl(TControl* control) {
    if (control == nullptr || control->parent_ == this)
        return;
    controls_.push_back(control);
    control->parent_ = this;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed != nullptr)
        tabList_.push_back(windowed);
    if (control->ParentColor())
        control->ApplyParentColor(Color());
    if (control->ParentFont())
        control->Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (windowed != nullptr) {
        if (handle_ != nullptr && windowed->Visible())
            windowed->CreateHandle();
    } else {
        control->Invalidate();
    }
    Realign();
}

void TWinControl::RemoveControl(TControl* control) {
    auto found = std::find(controls_.begin(), controls_.end(), control);
    if (found == controls_.end())
        return;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (windowed != nullptr) {
        std::erase(tabList_, windowed);
        windowed->DestroyHandle();
    } else {
        control->Invalidate();
    }
    if (TForm* form = GetParentForm(this))
        form->ControlRemoved(control);
    controls_.erase(std::find(controls_.begin(), controls_.end(), control));
    control->parent_ = nullptr;
    Realign();
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c != nullptr; c = c->Parent()) {
        if (c == this)
            return true;
    }
    return false;
}

TControl* TWinControl::ControlAtPos(POINT point, bool allowDisabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* control = *it;
        if (dynamic_cast<TWinControl*>(control) != nullptr)
            continue;
        if (!control->Visible() || (!control->Enabled() && !allowDisabled))
            continue;
        RECT bounds = control->BoundsRect();
        if (PtInRect(&bounds, point))
            return control;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
    std::vector<TControl*> children = controls_;
    for (TControl* child : children) {
        if (ContainsControl(child))
            child->WndProc(message);
    }
}

void TWinControl::NotifyControls(UINT msg) {
    TMessage message{msg, 0, 0, 0};
    Broadcast(message);
}

void TWinControl::Realign() {
    if (alignDisabled_ > 0 || ComponentState().Contains(csLoading)) {
        SetControlState(ControlState() + csAlignmentNeeded);
        return;
    }
    SetControlState(ControlState() - csAlignmentNeeded);
    bool anyAligned = std::any_of(controls_.begin(), controls_.end(), [](TControl* control) {
        return control->Align() != alNone && control->Visible();
    });
    if (!anyAligned)
        return;
    RECT rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(nullptr, rect);
}

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0)
        --alignDisabled_;
    if (alignDisabled_ == 0 && ControlState().Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::AdjustClientRect(RECT&) {}

void TWinControl::AlignControls(TControl*, RECT& rect) {
    DisableAlign();
    std::vector<TControl*> children = controls_;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* child : children) {
            if (child->Align() != align || !child->Visible() || !ContainsControl(child))
                continue;
            int width = std::max<int>(rect.right - rect.left, 0);
            int height = std::max<int>(rect.bottom - rect.top, 0);
            switch (align) {
                case alTop:
                    child->SetBounds(rect.left, rect.top, width, child->Height());
                    rect.top += child->Height();
                    break;
                case alBottom:
                    child->SetBounds(rect.left, rect.bottom - child->Height(), width,
                                     child->Height());
                    rect.bottom -= child->Height();
                    break;
                case alLeft:
                    child->SetBounds(rect.left, rect.top, child->Width(), height);
                    rect.left += child->Width();
                    break;
                case alRight:
                    child->SetBounds(rect.right - child->Width(), rect.top, child->Width(), height);
                    rect.right -= child->Width();
                    break;
                case alClient:
                    child->SetBounds(rect.left, rect.top, width, height);
                    break;
                case alNone:
                    break;
            }
        }
    }
    // The children's own requests during the layout are already satisfied.
    SetControlState(ControlState() - csAlignmentNeeded);
    EnableAlign();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    if (ControlState().Contains(csAlignmentNeeded))
        Realign();
}

// ---- messages -----------------------------------------------------------------------------

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_PAINT:
            WMPaint(message);
            return;
        case WM_ERASEBKGND:
            WMEraseBkgnd(message);
            return;
        case WM_SIZE:
            WMSize(message);
            return;
        case WM_MOVE:
            WMMove(message);
            return;
        case WM_TIMER:
            WMTimer(message);
            return;
        case WM_SETCURSOR:
            WMSetCursor(message);
            return;
        case WM_GETDLGCODE:
            WMGetDlgCode(message);
            return;
        case WM_SETFOCUS:
            WMSetFocus(message);
            return;
        case WM_KILLFOCUS:
            WMKillFocus(message);
            return;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            WMKeyDown(message);
            return;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            WMKeyUp(message);
            return;
        case WM_CHAR:
            WMChar(message);
            return;
        case WM_NCDESTROY:
            DefaultHandler(message);
            if (handle_ != nullptr) {
                detail::DetachWindow(handle_);
                handle_ = nullptr;
            }
            return;
        default:
            if (message.Msg >= WM_MOUSEFIRST && message.Msg <= WM_MOUSELAST &&
                ForwardMouseToChild(message)) {
                return;
            }
    }
    TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
    // The framework's own notices are not window messages.
    if (handle_ == nullptr || (message.Msg >= CM_BASE && message.Msg < CM_BASE + 0x100))
        return;
    message.Result = DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

bool TWinControl::ForwardMouseToChild(TMessage& message) {
    POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    TControl* target = nullptr;
    if (TControl* capture = detail::CaptureControl(); capture != nullptr) {
        if (capture == this || capture->Parent() != this)
            return false;
        target = capture;
    } else {
        target = ControlAtPos(point, false);
    }
    if (target == nullptr)
        return false;
    TMessage forwarded = message;
    forwarded.LParam = MAKELPARAM(point.x - target->Left(), point.y - target->Top());
    target->WndProc(forwarded);
    message.Result = forwarded.Result;
    return true;
}

void TWinControl::PaintHandler(TMessage& message) {
    auto dc = reinterpret_cast<HDC>(message.WParam);
    if (dc != nullptr) {
        // Painting into a context the caller prepared (an off-screen picture, say).
        RECT all = ClientRect();
        PaintWindow(dc);
        PaintControls(dc, all);
        message.Result = 0;
        return;
    }
    PAINTSTRUCT paint{};
    dc = BeginPaint(handle_, &paint);
    try {
        PaintWindow(dc);
        PaintControls(dc, paint.rcPaint);
    } catch (...) {
        EndPaint(handle_, &paint);
        throw;
    }
    EndPaint(handle_, &paint);
    message.Result = 0;
}

void TWinControl::PaintBuffered(TMessage& message) {
    auto target = reinterpret_cast<HDC>(message.WParam);
    PAINTSTRUCT paint{};
    bool ownPaint = target == nullptr;
    if (ownPaint)
        target = BeginPaint(Handle(), &paint);
    RECT client = ClientRect();
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1);
    HGDIOBJ previous =
        memory != nullptr && bitmap != nullptr ? SelectObject(memory, bitmap) : nullptr;
    auto release = [&] {
        if (previous != nullptr)
            SelectObject(memory, previous);
        if (bitmap != nullptr)
            DeleteObject(bitmap);
        if (memory != nullptr)
            DeleteDC(memory);
        if (ownPaint)
            EndPaint(handle_, &paint);
    };
    try {
        if (previous != nullptr) {
            auto dc = reinterpret_cast<WPARAM>(memory);
            Perform(WM_ERASEBKGND, dc, static_cast<LPARAM>(dc));
            Perform(WM_PAINT, dc, 0);
            BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
        }
    } catch (...) {
        release();
        throw;
    }
    release();
    message.Result = 0;
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, const RECT& area) {
    std::vector<TControl*> children = controls_;
    for (TControl* child : children) {
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (graphic == nullptr || !graphic->Visible() || !ContainsControl(graphic))
            continue;
        RECT bounds = graphic->BoundsRect();
        RECT visible{};
        if (!IntersectRect(&visible, &bounds, &area))
            continue;
        // The child paints in its own coordinates, clipped to its bounds.
        int saved = SaveDC(dc);
        OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
        IntersectClipRect(dc, 0, 0, graphic->Width(), graphic->Height());
        try {
            graphic->PaintTo(dc);
        } catch (...) {
            RestoreDC(dc, saved);
            throw;
        }
        RestoreDC(dc, saved);
    }
}

void TWinControl::WMPaint(TMessage& message) {
    if (doubleBuffered_ && message.WParam == 0)
        PaintBuffered(message);
    else
        PaintHandler(message);
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
    auto dc = reinterpret_cast<HDC>(message.WParam);
    if (dc != nullptr && !ControlStyle().Contains(csOpaque)) {
        RECT client = ClientRect();
        HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
        ::FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
    message.Result = 1;
}

void TWinControl::WMSize(TMessage& message) {
    DefaultHandler(message);
    if (message.WParam == SIZE_MINIMIZED)
        return;
    UpdateBoundsFromWindow();
    Realign();
    if (!ComponentState().Contains(csLoading))
        Resize();
}

void TWinControl::WMMove(TMessage& message) {
    DefaultHandler(message);
    UpdateBoundsFromWindow();
}

void TWinControl::WMTimer(TMessage& message) {
    DefaultHandler(message);
}

void TWinControl::WMSetCursor(TMessage& message) {
    if (reinterpret_cast<HWND>(message.WParam) == handle_ &&
        static_cast<SHORT>(LOWORD(message.LParam)) == HTCLIENT) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            POINT point{};
            GetCursorPos(&point);
            if (TControl* child = ControlAtPos(ScreenToClient(point), false))
                cursor = child->Cursor();
            if (cursor == crDefault)
                cursor = Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors[cursor]);
            message.Result = TRUE;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::WMGetDlgCode(TMessage& message) {
    DefaultHandler(message);
}

// ---- notices ------------------------------------------------------------------------------

void TWinControl::CMEnabledChanged(TMessage&) {
    if (!Enabled() && Focused()) {
        if (TForm* form = GetParentForm(this); form != nullptr && form != this && form->CanFocus())
            form->SetFocus();
    }
    if (handle_ != nullptr)
        EnableWindow(handle_, Enabled());
}

void TWinControl::CMVisibleChanged(TMessage&) {
    if (Parent() == nullptr)
        return;
    if (Visible()) {
        if (Parent()->HandleAllocated()) {
            HandleNeeded();
            ShowWindow(handle_, SW_SHOWNA);
        }
    } else if (handle_ != nullptr) {
        if (Focused()) {
            if (TForm* form = GetParentForm(this); form != nullptr && form->CanFocus())
                form->SetFocus();
        }
        ShowWindow(handle_, SW_HIDE);
    }
    detail::RethrowPendingException();
}

void TWinControl::CMColorChanged(TMessage& message) {
    TControl::CMColorChanged(message);
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMFontChanged(TMessage& message) {
    TControl::CMFontChanged(message);
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMTextChanged(TMessage& message) {
    if (handle_ != nullptr)
        SetWindowTextA(handle_, Caption().c_str());
    TControl::CMTextChanged(message);
}

void TWinControl::CMFocusChanged(TMessage& message) {
    Broadcast(message);
}

}  // namespace forms
