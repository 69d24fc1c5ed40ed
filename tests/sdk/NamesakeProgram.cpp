// A program whose globals carry the names the runner uses for its own inside: they are the
// program's, and the runner's stay its own.
#include <nuvik/sdk.h>

int FrameCounter = 0;
int SoundState = 7;
int MainWin = 0;
int PaletteBank[4] = {1, 2, 3, 4};
int FrameStep = 0;
int DDraw = 0;

namespace {

SurfaceDesc screen;

int SetUp() {
    InitScreen(MainWindowHandle, 16);
    GetScreen(&screen, 0);
    SetScreen(&screen);
    return 1;
}

int Frame() {
    ++FrameCounter;
    FrameStep = -1;  // the runner's step is another variable: it keeps calling this function
    PresentScreen();
    if (FrameCounter == 50 && SoundState == 7 && PaletteBank[3] == 4) {
        ExitScreen();
        return 9999;
    }
    return 0;
}

}  // namespace

NUVIK_PROGRAM(SetUp, Frame);
