// The frame driver of the _sys_system unit: a small state machine that the main window's idle
// and message hooks advance by one step on every pass of the message loop, running the
// program the runner carries (the built-in demo unless another was built in).
#pragma once

#include "win32/api.h"

// 1000: set-up due; 1001: running; 9999: stopped; 0 until the main window arms the driver.
extern LONG FrameStep;

// Step 1000 calls the program's set-up, step 1001 its frame function.
void StepFrameDriver();
