#include "forms/Application.h"

#include <vector>

#include "forms/ClassInfo.h"
#include "forms/ControlCanvas.h"
#include "forms/IdleRest.h"
#include "forms/Instance.h"
#include "forms/PendingException.h"
#include "forms/Screen.h"
#include "forms/WinControl.h"

namespace forms {

TApplication* TApplicationAccess::operator->() const {
    static TApplication* const application = new TApplication();
    return application;
}

TApplication& TApplicationAccess::operator*() const {
    return *operator->();
}

TApplicationAccess::operator TApplication*() const {
    return operator->();
}

const TClassInfo& TApplication::ClassInfo() {
    static const TClassInfo info("TApplication", &TComponent::ClassInfo());
    return info;
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
    DestroyForms();
}

void TApplication::Initialize() {
    terminated_ = false;
    OnIdle = nullptr;
    OnMessage = nullptr;
    if (icon_ == nullptr && FindResourceA(HInstance(), "MAINICON", RT_GROUP_ICON) != nullptr)
        icon_ = LoadIconA(HInstance(), "MAINICON");
}

void TApplication::Run() {
    if (mainForm_ != nullptr)
        mainForm_->Show();
#ifdef _WIN32
    IdleRest rest;
    idleRest_ = &rest;
#endif
    while (!terminated_)
        HandleMessage();
#ifdef _WIN32
    idleRest_ = nullptr;
#endif
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

void TApplication::HandleMessage() {
    MSG message{};
    if (!ProcessMessage(message))
        Idle();
}

void TApplication::ProcessMessages() {
    MSG message{};
    while (ProcessMessage(message)) {
    }
}

bool TApplication::ProcessMessage(MSG& message) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
#ifdef _WIN32
    if (idleRest_ != nullptr)
        idleRest_->MessageTaken();
#endif
    if (message.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    if (OnMessage)
        OnMessage(message, handled);
    if (!handled) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        detail::RethrowPendingException();
    }
    return true;
}

void TApplication::Idle() {
    bool done = true;
#ifdef _WIN32
    if (idleRest_ != nullptr)
        idleRest_->BeforeHook();
#endif
    if (OnIdle)
        OnIdle(this, done);
#ifdef _WIN32
    if (idleRest_ != nullptr)
        idleRest_->AfterHook(!done);
#endif
    if (!done)
        return;
    // The loop's own idle work, then sleep until something arrives.
    TrackMouseControl();
    TControlCanvas::FreeDeviceContexts();
    WaitMessage();
}

void TApplication::TrackMouseControl() {
    TControl* target = nullptr;
    POINT point{};
    if (GetCursorPos(&point)) {
        if (TWinControl* window = FindControl(WindowFromPoint(point))) {
            target = window;
            if (TControl* child = window->ControlAtPos(window->ScreenToClient(point), false))
                target = child;
        }
    }
    if (target == mouseControl_)
        return;
    TControl* previous = mouseControl_;
    mouseControl_ = target;
    if (previous != nullptr)
        previous->Perform(CM_MOUSELEAVE, 0, 0);
    if (target != nullptr && mouseControl_ == target)
        target->Perform(CM_MOUSEENTER, 0, 0);
}

void TApplication::ControlDestroyed(const TControl* control) {
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
}

void TApplication::FormDestroyed(TForm* form) {
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

int TApplication::ShowModalMessage(const std::string& text, const std::string& caption,
                                   UINT flags) {
    TForm* owner = Screen->ActiveForm() != nullptr ? Screen->ActiveForm() : mainForm_;
    HWND ownerWindow = owner != nullptr && owner->HandleAllocated() ? owner->Handle() : nullptr;
    // The box disables its owner; the application's other forms are disabled here.
    std::vector<HWND> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* form = Screen->Forms(i);
        if (form == owner || !form->HandleAllocated())
            continue;
        HWND window = form->Handle();
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            disabled.push_back(window);
        }
    }
    int result = MessageBoxA(ownerWindow, text.c_str(), caption.c_str(), flags);
    for (HWND window : disabled) {
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    }
    // An exception a handler raised meanwhile comes out of the loop's next pass.
    return result;
}

void TApplication::ShowException(const Exception& exception) {
    ShowModalMessage(exception.Message(), title_, MB_OK | MB_ICONERROR);
}

int TApplication::Main(const std::function<void()>& program) {
    try {
        program();
    } catch (const Exception& exception) {
        ShowException(exception);
    }
    DestroyForms();
    return 0;
}

void TApplication::DestroyForms() {
    OnIdle = nullptr;
    OnMessage = nullptr;
    DestroyComponents();
    mainForm_ = nullptr;
}

}  // namespace forms
