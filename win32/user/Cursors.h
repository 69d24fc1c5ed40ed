// The table of cursor and icon handles and the current cursor.
#pragma once

#include "win32/types.h"

namespace win32::user {

// Forgets the current cursor (tests); loaded shapes stay, as they do for a process.
void ResetCursors();

}  // namespace win32::user
