// The module handle of the program itself (GetModuleHandleA(nullptr), the owner of the
// resource table). Internal to the win32 library.
#pragma once

#include "win32/types.h"

namespace win32 {

HMODULE ProgramModule();

}  // namespace win32
