#include "app/FrameDriver.h"

#include <nuvik/sdk_types.h>

LONG FrameStep = 0;

namespace {

constexpr LONG kSetUpDue = 1000;
constexpr LONG kRunning = 1001;

bool setUpRefusalTraced = false;

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
            if (result != 0)
                FrameStep = result;
            break;
        }
        default:
            break;
    }
}
