// The program's module handle: where its resources (bitmaps, cursors, form resources) live.
#pragma once

#include "win32/api.h"

namespace forms {

HINSTANCE HInstance();

}  // namespace forms
