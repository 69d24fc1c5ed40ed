// Registers DDRAW.DLL (DirectDrawCreate, DirectDrawCreateEx) with the built-in module table.
// Called once by the module registry before its first look-up.
#pragma once

namespace win32::ddraw {

void RegisterModule();

}  // namespace win32::ddraw
