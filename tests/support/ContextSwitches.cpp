#include "support/ContextSwitches.h"

#include <sys/resource.h>

namespace nuvik::testing {

long VoluntaryContextSwitches() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

}  // namespace nuvik::testing
