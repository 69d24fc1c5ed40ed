#include "event/SysEvent.h"

#include "event/KeyState.h"
#include "frame/UnitCounter.h"

namespace {

UnitCounter counter;

}  // namespace

bool SysEventInitialize() {
    if (!counter.Initialize())
        return false;
    KeyState.Construct();
    return true;
}

void SysEventFinalize() {
    counter.Finalize();
}
