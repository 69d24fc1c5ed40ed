// The one way the system reports a failure to the user: an application-modal box with the
// caption, a printf-formatted text and one OK button. Returns once the user dismissed it.
#pragma once

#include "frame/Printf.h"

// The text is formatted into 256 bytes: a longer text is cut after 255 bytes (never in the
// middle of a double-byte character).
void ShowMessageBox(const char* caption, const char* format, ...) NUVIK_PRINTF(2, 3);
