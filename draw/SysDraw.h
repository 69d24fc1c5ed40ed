// Start-up and shut-down of the _sys_draw unit. The initialiser's work (constructing the
// display device) runs on the first call only; the finaliser only counts.
#pragma once

// True on the call whose work ran.
bool SysDrawInitialize();
void SysDrawFinalize();
