// Frames-per-second counting in windows of a little over a second. The count reported is the
// number of frames since the window opened, however long the window lasted: after a pause the
// figure is small rather than scaled to a rate.
#pragma once

#include "win32/api.h"

struct FpsCounter {
    DWORD startTick;  // when the current counting window opened
    WORD frameCount;  // frames counted in it

    // Opens a new window at the current tick.
    void Reset();
    // Counts one frame. Once more than 1000 ms have passed since the window opened, returns
    // the frames counted in it (this one included) and opens the next; otherwise 0.
    WORD Tick();
};

// The program's one counter; zero until the first ResetFrameCounter.
extern FpsCounter FrameCounter;

void ResetFrameCounter();
WORD CountFrame();
