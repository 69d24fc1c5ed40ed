// How a test tells a thread that slept from one that spun, by counting rather than timing: on a
// loaded machine a spinning thread gets little processor time too, but only a sleeping one
// gives the processor up of its own accord.
#pragma once

namespace nuvik::testing {

// How often the calling thread has given up the processor of its own accord (to sleep or wait).
long VoluntaryContextSwitches();

}  // namespace nuvik::testing
