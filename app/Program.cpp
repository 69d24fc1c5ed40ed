#include "app/Program.h"

#include "app/Form_main.h"
#include "app/Units.h"
#include "controls/KwSlider.h"
#include "forms/Application.h"

int RunProgram() {
    InitializeUnits();
    controls::RegisterSliderClasses();
    int exitCode = forms::Application->Main([] {
        forms::Application->Initialize();
        forms::Application->SetTitle("Nuvik");
        forms::Application->CreateForm(MainWin);
        forms::Application->Run();
    });
    MainWin = nullptr;
    FinalizeUnits();
    return exitCode;
}
