// A top-level window built from a form resource. It keeps track of which of its controls has
// the keyboard focus (telling every control of each change), shows itself with OnShow before
// it is painted, and closes through OnCloseQuery and OnClose; closing the application's main
// form ends the application.
#pragma once

#include <string>

#include "forms/CustomControl.h"

namespace forms {

class TForm : public TCustomControl {
  public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    static const TClassInfo& ClassInfo();
    const TClassInfo& ClassType() const override { return ClassInfo(); }

    // Builds the form from the RT_RCDATA form resource `resourceName` (the class name when
    // empty). EReadError when the resource is missing or bad.
    void ReadFormResource(const std::string& resourceName = {});
    bool FormResourceRead() const { return resourceRead_; }

    // Asks OnCloseQuery, runs OnClose and carries out its action: the main form ends the
    // application, others hide, minimise or destroy themselves.
    void Close();
    bool CloseQuery();
    // Destroys the form once the message being handled is done.
    void Release();

    // Gives the form itself the keyboard focus (no control of it is active afterwards).
    void SetFocus() override;
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // The control that has the focus now (the form itself when it has it), or null.
    TWinControl* FocusedControl() const { return focusedControl_; }
    // Makes `control` the active control and gives it the focus when the form is showing.
    void FocusControl(TWinControl* control);

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    // wsMinimized while the window is iconic, whoever minimised it.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool preview) { keyPreview_ = preview; }
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int textHeight) { textHeight_ = textHeight; }

    void SetClientWidth(int width) override;
    void SetClientHeight(int height) override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TNotifyEvent OnPaint;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Used by the controls and the application.
    void SetFocusedControl(TWinControl* control);
    void ControlRemoved(TControl* control);
    bool DialogTab(bool forward);
    bool DialogArrow(bool forward);
    virtual void DoCreate();

    void WndProc(TMessage& message) override;

  protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void CMVisibleChanged(TMessage& message) override;
    void Paint() override;
    void Loaded() override;

    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);

  private:
    void FocusInside();

    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    bool keyPreview_ = false;
    int pixelsPerInch_ = 96;
    int textHeight_ = 13;
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
    bool resourceRead_ = false;
};

// The form a control sits on (the form itself for a form), or null.
TForm* GetParentForm(const TControl* control);

}  // namespace forms
