// Classes the reader tests build forms from: a form with fields and handlers, and a control
// whose setters and Loaded note the component state they ran in.
#pragma once

#include <string>
#include <vector>

#include "forms/CustomControl.h"
#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/Panel.h"

namespace formstest {

// What the classes below did, in order.
std::vector<std::string>& ReaderLog();

enum TProbeMode { pmFirst, pmSecond };
enum TProbeFlag { pfOne, pfTwo, pfThree };
using TProbeFlags = forms::TSet<TProbeFlag>;

class TProbe : public forms::TCustomControl {
  public:
    explicit TProbe(forms::TComponent* owner);

    static const forms::TClassInfo& ClassInfo();
    const forms::TClassInfo& ClassType() const override { return ClassInfo(); }

    void SetNumber(int number);
    void SetMode(TProbeMode mode);
    void SetFlags(TProbeFlags flags);
    void SetText(const std::string& text);
    int Number() const { return number_; }
    TProbeMode Mode() const { return mode_; }
    TProbeFlags Flags() const { return flags_; }
    const std::string& Text() const { return text_; }

    // A one-byte defined property, kept beside the published ones.
    BYTE userImages = 0;
    BYTE ancestorUserImages = 0;

    void DefineProperties(forms::TFiler& filer) override;

  protected:
    void Loaded() override;

  private:
    void Note(const std::string& what);

    int number_ = 0;
    TProbeMode mode_ = pmFirst;
    TProbeFlags flags_;
    std::string text_;
};

class TReaderForm : public forms::TForm {
  public:
    explicit TReaderForm(forms::TComponent* owner) : TForm(owner) {}

    static const forms::TClassInfo& ClassInfo();
    const forms::TClassInfo& ClassType() const override { return ClassInfo(); }

    forms::TImage* Image1 = nullptr;
    forms::TPanel* Panel1 = nullptr;
    forms::TLabel* Label1 = nullptr;
    TProbe* Probe1 = nullptr;

    void FormShow(forms::TObject* sender);
    void ImageClick(forms::TObject* sender);
    void ProbeKeyDown(forms::TObject* sender, WORD& key, forms::TShiftState shift);

    std::vector<forms::TObject*> clicks;

  protected:
    void Loaded() override;
};

}  // namespace formstest
