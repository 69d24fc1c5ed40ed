// Finds out which DirectX release is installed, without changing the display, by trying the
// module, entry point or interface that each release brought. Part of the _sys_system unit.
#pragma once

#include "win32/api.h"

// major << 8 | minor (0x801 is DirectX 8.1); 0 when no usable DirectDraw was found or one of
// the probe's own DirectDraw calls failed after DirectX 2 was proved.
DWORD ProbeDirectXVersion();
