// The runner's entry point: reads the command line, sets up the platform and a host, runs the
// system and writes what was asked for at its end.
#pragma once

#include "host/SystemHooks.h"

namespace nuvik::host {

// Returns the process exit code: the system's own, 2 for a bad option or script line (nothing
// has run then), 1 when no window can be opened or a requested output file cannot be written
// after a run that itself ended well.
int RunRunner(int argc, char** argv, const SystemHooks& hooks);

}  // namespace nuvik::host
