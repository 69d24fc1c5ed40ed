// The program's entry point, as the platform calls it: unit start-up, the application with
// its main window, the message loop, and the finalisers at the end.
#pragma once

// Returns the process's exit code: 0 after the loop has ended and after an error box.
int RunProgram();
