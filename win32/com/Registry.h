// Internals shared by the module registry, the COM class registry and the built-in modules.
#pragma once

#include "win32/platform/Installation.h"

namespace win32::installation {

// Registers DDRAW.DLL and this library's own built-in modules and classes, once, before the
// first look-up or registration of anything else (so a test's replacement is never
// overwritten by a late built-in).
void EnsureBuiltinsRegistered();

// DINPUT.DLL, D3D8.DLL, dpnhpast.dll and the DirectMusic class.
void RegisterBuiltinModules();

void ResetModuleCounts();
void ResetComState();

// The DirectMusic class's factory and the number of its objects still referenced.
HRESULT CreateDirectMusic(REFIID iid, void** object);
int LiveDirectMusicObjects();

}  // namespace win32::installation
