#include "app/FrameDriver.h"

#include <nuvik/sdk_types.h>

#include <cstdio>

#include "draw/Ddraw.h"

LONG FrameStep = 0;

namespace {

constexpr LONG kSetUpDue = 1000;
constexpr LONG kRunning = 1001;

constexpr LONG kStopped = 9999;

bool setUpRefusalTraced = false;

// A frame function's result that leaves the program neither running nor ended is a slip the
// author cannot see: the picture freezes and the window stays. One trace line names it.
void TraceStrandedStep(int result) {
    char line[200];
    if (result == kStopped) {
        std::snprintf(line, sizeof line,
                      "Nuvik program: the frame function returned 9999 without calling "
                      "ExitScreen; it is not called again and the window stays open\r\n");
    } else {
        std::snprintf(line, sizeof line,
                      "Nuvik program: the frame function returned %d; only 0 (go on) and 9999 "
                      "(after ExitScreen) mean something, and it is not called again\r\n",
                      result);
    }
    OutputDebugStringA(line);
}

}  // namespace

void StepFrameDriver() {
    switch (FrameStep) {
        case kSetUpDue:
            if (nuvik::ProgramSetUp() != 0) {
                FrameStep = kRunning;
            } else if (!setUpRefusalTraced) {
                // It is tried again on every step; one line says why nothing is drawn.
                setUpRefusalTraced = true;
                OutputDebugStringA(
                    "Nuvik program: set-up returned 0; it is called again on every step\r\n");
            }
            break;
        case kRunning: {
            int result = nuvik::ProgramFrame();
            if (result != 0) {
                FrameStep = result;
                // ExitScreen releases the display device; a stop without it leaves it live.
                if (result != kStopped || DDraw.directDraw != nullptr)
                    TraceStrandedStep(result);
            }
            break;
        }
        default:
            break;
    }
}
