#include "frame/FpsCounter.h"

#include "frame/Tick.h"

FpsCounter FrameCounter;

void FpsCounter::Reset() {
    startTick = GetTick();
    frameCount = 0;
}

WORD FpsCounter::Tick() {
    ++frameCount;
    DWORD elapsed = GetTick() - startTick;
    if (elapsed <= 1000)
        return 0;
    WORD counted = frameCount;
    Reset();
    return counted;
}

void ResetFrameCounter() {
    FrameCounter.Reset();
}

WORD CountFrame() {
    return FrameCounter.Tick();
}
