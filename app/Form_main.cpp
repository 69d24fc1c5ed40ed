#include "app/Form_main.h"

#include "app/DirectXProbe.h"
#include "app/FrameDriver.h"
#include "draw/Ddraw.h"
#include "draw/ScreenApi.h"
#include "event/KeyState.h"
#include "forms/Application.h"
#include "forms/ClassBuilder.h"
#include "frame/MessageBox.h"

TMainWin* MainWin = nullptr;

namespace {

constexpr DWORD kOldestSupportedDirectX = 0x800;

void CloseMainWindow() {
    if (MainWin != nullptr)
        MainWin->Close();
}

}  // namespace

TMainWin::TMainWin(forms::TComponent* owner) : forms::TForm(owner) {
    // The program's Escape ends the display through ExitScreen, which closes this window.
    SetExitScreenCloser(&CloseMainWindow);
}

const forms::TClassInfo& TMainWin::ClassInfo() {
    static const forms::TClassInfo info = forms::TClassBuilder<TMainWin>::Define(
        "TMainWin", &forms::TForm::ClassInfo(), [](forms::TClassBuilder<TMainWin>& c) {
            c.Field("Image1", &TMainWin::Image1);
            c.Field("Image2", &TMainWin::Image2);
            c.Field("Panel1", &TMainWin::Panel1);
            c.Field("Label1", &TMainWin::Label1);
            c.Field("Slider_Frame", &TMainWin::Slider_Frame);
            c.Method("FormShow", &TMainWin::FormShow);
            c.Method("FormCloseQuery", &TMainWin::FormCloseQuery);
            c.Method("FormClose", &TMainWin::FormClose);
            c.Method("Image2Click", &TMainWin::Image2Click);
            c.Method("Slider_FrameChange", &TMainWin::Slider_FrameChange);
            c.Method("Slider_FrameKeyDown", &TMainWin::Slider_FrameKeyDown);
        });
    return info;
}

void TMainWin::FormShow(forms::TObject* /*sender*/) {
    if (ProbeDirectXVersion() < kOldestSupportedDirectX) {
        ShowMessageBox("오류", "다이렉트 X 8.0 이상에서만 실행됩니다.");
        Close();
        return;
    }
    MainWindowHandle = Handle();
    // At the origin the borderless window covers exactly the 640 x 480 display mode.
    SetBounds(0, 0, Width(), Height());
    FrameStep = 1000;
    forms::Application->OnIdle = forms::Slot(this, &TMainWin::AppIdle);
    forms::Application->OnMessage = forms::Slot(this, &TMainWin::AppMessage);
    TargetFps = Slider_Frame->Value();
}

void TMainWin::FormCloseQuery(forms::TObject* /*sender*/, bool& /*canClose*/) {}

void TMainWin::FormClose(forms::TObject* /*sender*/, forms::TCloseAction& /*action*/) {
    DDraw.Release();
}

void TMainWin::Image2Click(forms::TObject* /*sender*/) {
    Close();
}

void TMainWin::Slider_FrameChange(forms::TObject* /*sender*/) {
    TargetFps = Slider_Frame->Value();
}

void TMainWin::Slider_FrameKeyDown(forms::TObject* /*sender*/, WORD& /*key*/,
                                   forms::TShiftState /*shift*/) {
    // The slider has acted on the key; later keys go to the window again.
    SetFocus();
}

void TMainWin::AppIdle(forms::TObject* /*sender*/, bool& done) {
    // Never let the loop wait: the frame driver is polled on every pass.
    done = false;
    if (WindowState() != forms::wsMinimized)
        StepFrameDriver();
}

void TMainWin::AppMessage(MSG& message, bool& /*handled*/) {
    KeyState.Update(&message);
    if (WindowState() != forms::wsMinimized)
        StepFrameDriver();
}
