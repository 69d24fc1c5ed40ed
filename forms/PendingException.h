// An exception raised by a handler while the platform was calling a window procedure is kept
// here instead of unwinding through the platform's frames (which the real system does not
// allow), and raised again once control is back in the framework's own code.
#pragma once

#include <exception>

namespace forms::detail {

// Keeps the first exception until it is raised again.
void StorePendingException(std::exception_ptr exception);
bool HasPendingException();
// Raises the kept exception, if any.
void RethrowPendingException();

}  // namespace forms::detail
