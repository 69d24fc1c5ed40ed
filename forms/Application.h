// The application: creates the forms (the first one is the main form), runs the message loop
// with its idle and message hooks, shows the framework's exceptions in the error box, and
// shows modal message boxes with the application's other windows disabled.
//
// The loop: each pass takes at most one message. WM_QUIT ends the loop. Any other message is
// first given to OnMessage with `handled` false; unless the hook handled it, it is translated
// and dispatched. When the queue is empty OnIdle is called with `done` true; if `done` is still
// true afterwards the loop does its own idle work and waits for the next message, otherwise
// it goes straight on.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "forms/Component.h"
#include "forms/Exception.h"
#include "forms/Form.h"
#include "forms/Types.h"

namespace forms {

class IdleRest;
class TControl;

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    // Gets the application ready for a (new) run: not terminated, no hooks, the icon loaded.
    void Initialize();

    // Constructs a form of class T owned by the application, builds it from its form resource
    // (named after the class) unless its constructor already did, raises OnCreate, and stores
    // it in `reference`. The first form created is the main form. When building fails the
    // form is destroyed and the exception passes on.
    template <class T>
    void CreateForm(T*& reference) {
        static_assert(std::is_base_of_v<TForm, T>);
        std::unique_ptr<T> form(new T(this));
        if (!form->FormResourceRead())
            form->ReadFormResource();
        if (mainForm_ == nullptr)
            mainForm_ = form.get();
        reference = form.release();
        reference->DoCreate();
    }

    // Shows the main form (its OnShow runs before it is painted) and runs the loop until the
    // quit message. An exception raised in a handler leaves the loop.
    void Run();
    // Posts the quit message; the loop ends when it takes it.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // One pass of the loop.
    void HandleMessage();
    // Handles every queued message, without idling.
    void ProcessMessages();

    TForm* MainForm() const { return mainForm_; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    // The icon resource MAINICON, when the program has one.
    HICON Icon() const { return icon_; }

    // A modal message box owned by the active form, with the application's other windows
    // disabled while it is up. Returns the button pressed.
    int ShowModalMessage(const std::string& text, const std::string& caption, UINT flags = MB_OK);
    // The error box: the exception's message with the application's title as caption.
    void ShowException(const Exception& exception);

    // Runs `program` (Initialize, CreateForm, Run, ...) the way the entry point does: an
    // exception of the framework's kind that escapes is shown in the error box; the forms are
    // destroyed afterwards. Returns the exit code, 0.
    int Main(const std::function<void()>& program);
    // Destroys every form and forgets the main form and the hooks.
    void DestroyForms();

    TIdleEvent OnIdle;
    TMessageEvent OnMessage;

    // Used by the forms and controls.
    void FormDestroyed(TForm* form);
    void ControlDestroyed(const TControl* control);

  private:
    bool ProcessMessage(MSG& message);
    void Idle();
    void TrackMouseControl();

    bool terminated_ = false;
    TForm* mainForm_ = nullptr;
    std::string title_;
    HICON icon_ = nullptr;
    TControl* mouseControl_ = nullptr;
#ifdef _WIN32
    IdleRest* idleRest_ = nullptr;  // while Run's loop runs
#endif
};

// The one application object, made on first use and never destroyed.
struct TApplicationAccess {
    TApplication* operator->() const;
    TApplication& operator*() const;
    operator TApplication*() const;
};
inline constexpr TApplicationAccess Application{};

}  // namespace forms
