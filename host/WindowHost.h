// The host that shows a run to a person: an SDL window on a desktop, the canvas of a web page
// in a browser. Exactly one of the two is linked; the runner asks for it when the run is not
// headless.
#pragma once

#include <memory>
#include <string>

#include "host/Options.h"
#include "host/RunSession.h"
#include "host/RunnerControls.h"
#include "win32/platform/Host.h"

namespace nuvik::host {

// Null, with the reason in `error`, when there is nothing to show the run on.
std::unique_ptr<win32::Host> OpenWindowHost(const Options& options, RunSession& session,
                                            RunnerControls& controls, std::string* error);

}  // namespace nuvik::host
