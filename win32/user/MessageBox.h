// The message box's bookkeeping, for the window system's reset and its public queries.
#pragma once

namespace win32::user {

int OpenMessageBoxes();
void ResetMessageBoxes();

}  // namespace win32::user
