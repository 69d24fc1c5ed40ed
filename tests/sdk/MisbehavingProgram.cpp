// Programs that go wrong the ways authors' programs do, one per MISBEHAVIOUR, for the checks
// of what the runner says about them.
#include <nuvik/sdk.h>

namespace {

SurfaceDesc screen;
int* volatile nowhere = nullptr;

int StartScreen() {
    InitScreen(MainWindowHandle, 16);
    GetScreen(&screen, 0);
    SetScreen(&screen);
    return 1;
}

// A score kept behind a pointer that was never set. Kept out of line, so that the backtrace
// names it at every optimisation level; the sanitizers let the crash happen.
[[gnu::noinline, gnu::no_sanitize("null")]] int AddToScore() {
    return *nowhere + 1;
}

#if MISBEHAVIOUR == 1  // the set-up re-initialises the screen and forgets to return non-zero
int SetUp() {
    StartScreen();
    return 0;
}
int Frame() {
    return 0;
}
#elif MISBEHAVIOUR == 2  // a null dereference in the frame function after 100 ticks
int SetUp() {
    return StartScreen();
}
int Frame() {
    if (GetTick() >= 100)
        return AddToScore();
    PresentScreen();
    return 0;
}
#elif MISBEHAVIOUR == 3  // the frame function returns a step the driver does nothing with
int SetUp() {
    return StartScreen();
}
int Frame() {
    PresentScreen();
    return 1;
}
#elif MISBEHAVIOUR == 4  // it stops without ExitScreen
int SetUp() {
    return StartScreen();
}
int Frame() {
    PresentScreen();
    return 9999;
}
#endif

}  // namespace

NUVIK_PROGRAM(SetUp, Frame);
