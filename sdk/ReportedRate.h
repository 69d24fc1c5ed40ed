// The last frame rate the program's counter reported, for the runner's report: what a
// program's "frames per second" line shows when it prints every non-zero CountFrame result.
#pragma once

namespace nuvik::sdk {

// 0 until CountFrame has completed its first counting window.
int LastReportedRate();

}  // namespace nuvik::sdk
