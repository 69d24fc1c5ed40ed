#include "frame/Tick.h"

DWORD GetTick() {
    return timeGetTime();
}
