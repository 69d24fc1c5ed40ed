#include "draw/SysDraw.h"

#include "draw/Ddraw.h"
#include "frame/UnitCounter.h"

namespace {

UnitCounter counter;

}  // namespace

bool SysDrawInitialize() {
    if (!counter.Initialize())
        return false;
    // The device starts empty: no interfaces, every record zero, screen 0, nothing pending.
    DDraw = _DDRAW{};
    return true;
}

void SysDrawFinalize() {
    counter.Finalize();
}
