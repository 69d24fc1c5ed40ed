// Readable names of the window messages the tests record, for failure messages and for tables
// of expected message orders. Built with the conformance tests for both platforms and shared by
// our own window-system tests.
#pragma once

#include <string>

#include "win32/api.h"

namespace conformance {

// "WM_PAINT", "WM_USER+1", or the number in hexadecimal for a message not named here.
std::string MessageName(UINT message);

}  // namespace conformance
