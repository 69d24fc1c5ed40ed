// The main window: a borderless, always-on-top 640 x 480 picture of the console with a close
// hot spot on the pictured Power switch and the frame-rate slider on a panel below. Built from
// the form resource TMAINWIN. Its idle and message hooks drive the frame driver.
#pragma once

#include "controls/KwSlider.h"
#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Panel.h"

class TMainWin : public forms::TForm {
  public:
    explicit TMainWin(forms::TComponent* owner);

    static const forms::TClassInfo& ClassInfo();
    const forms::TClassInfo& ClassType() const override { return ClassInfo(); }

    forms::TImage* Image1 = nullptr;
    forms::TImage* Image2 = nullptr;
    forms::TPanel* Panel1 = nullptr;
    forms::TLabel* Label1 = nullptr;
    controls::TKwSlider* Slider_Frame = nullptr;

    void FormShow(forms::TObject* sender);
    void FormCloseQuery(forms::TObject* sender, bool& canClose);
    void FormClose(forms::TObject* sender, forms::TCloseAction& action);
    void Image2Click(forms::TObject* sender);
    void Slider_FrameChange(forms::TObject* sender);
    void Slider_FrameKeyDown(forms::TObject* sender, WORD& key, forms::TShiftState shift);

    void AppIdle(forms::TObject* sender, bool& done);
    void AppMessage(MSG& message, bool& handled);
};

// The one main window; the application creates and owns it.
extern TMainWin* MainWin;
