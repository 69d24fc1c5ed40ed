// Start-up and shut-down of the _sys_event unit: construction of the input record.
#pragma once

// True on the call whose work ran.
bool SysEventInitialize();
void SysEventFinalize();
