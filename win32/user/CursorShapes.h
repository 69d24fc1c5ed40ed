// The system cursors and the application icon, drawn as the classic black and white shapes.
#pragma once

#include "win32/platform/Cursors.h"

namespace win32::user {

// The picture for an IDC_* number; false for numbers this system does not draw.
bool DrawSystemCursor(int id, cursors::CursorImage* image);
// IDI_APPLICATION: a small window with a title bar.
void DrawApplicationIcon(cursors::CursorImage* image);

}  // namespace win32::user
