#include "ReaderTestClasses.h"

#include "forms/ClassBuilder.h"
#include "forms/Filer.h"

namespace formstest {

using namespace forms;

std::vector<std::string>& ReaderLog() {
    static std::vector<std::string> log;
    return log;
}

const TClassInfo& TProbe::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TProbe>::Define(
        "TProbe", &TCustomControl::ClassInfo(), [](TClassBuilder<TProbe>& c) {
            c.Integer("Number", &TProbe::SetNumber);
            c.Enum("Mode", &TProbe::SetMode,
                   TEnumNames<TProbeMode>{{"pmFirst", pmFirst}, {"pmSecond", pmSecond}});
            c.Set("Flags", &TProbe::SetFlags,
                  TEnumNames<TProbeFlag>{{"pfOne", pfOne}, {"pfTwo", pfTwo}, {"pfThree", pfThree}});
            c.String("Text", &TProbe::SetText);
        });
    return info;
}

TProbe::TProbe(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + csAcceptsControls);
}

void TProbe::Note(const std::string& what) {
    std::string state;
    if (ComponentState().Contains(csLoading))
        state += " loading";
    if (ComponentState().Contains(csReading))
        state += " reading";
    ReaderLog().push_back(Name() + "." + what + state);
}

void TProbe::SetNumber(int number) {
    number_ = number;
    Note("Number=" + std::to_string(number));
}

void TProbe::SetMode(TProbeMode mode) {
    mode_ = mode;
    Note("Mode=" + std::to_string(mode));
}

void TProbe::SetFlags(TProbeFlags flags) {
    flags_ = flags;
    Note("Flags=" + std::to_string(flags.Bits()));
}

void TProbe::SetText(const std::string& text) {
    text_ = text;
    Note("Text=" + text);
}

void TProbe::DefineProperties(TFiler& filer) {
    TCustomControl::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "UserImages",
        [this](TStream& stream) {
            if (stream.Size() != 1)
                throw Exception("UserImages is one byte");
            stream.ReadBuffer(&userImages, 1);
            Note("UserImages=" + std::to_string(userImages));
        },
        [this](TStream& stream) { stream.WriteBuffer(&userImages, 1); },
        userImages != ancestorUserImages);
}

void TProbe::Loaded() {
    TCustomControl::Loaded();
    Note("Loaded");
}

const TClassInfo& TReaderForm::ClassInfo() {
    static const TClassInfo info = TClassBuilder<TReaderForm>::Define(
        "TReaderForm", &TForm::ClassInfo(), [](TClassBuilder<TReaderForm>& c) {
            c.Field("Image1", &TReaderForm::Image1);
            c.Field("Panel1", &TReaderForm::Panel1);
            c.Field("Label1", &TReaderForm::Label1);
            c.Field("Probe1", &TReaderForm::Probe1);
            c.Method("FormShow", &TReaderForm::FormShow);
            c.Method("ImageClick", &TReaderForm::ImageClick);
            c.Method("ProbeKeyDown", &TReaderForm::ProbeKeyDown);
        });
    return info;
}

void TReaderForm::FormShow(TObject*) {}

void TReaderForm::ImageClick(TObject* sender) {
    clicks.push_back(sender);
}

void TReaderForm::ProbeKeyDown(TObject*, WORD&, TShiftState) {}

void TReaderForm::Loaded() {
    TForm::Loaded();
    std::string state = ComponentState().Contains(csLoading) ? " loading" : "";
    ReaderLog().push_back(Name() + ".Loaded" + state);
}

}  // namespace formstest
