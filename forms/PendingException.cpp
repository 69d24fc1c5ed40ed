#include "forms/PendingException.h"

#include <utility>

namespace forms::detail {

namespace {

std::exception_ptr& Pending() {
    static std::exception_ptr pending;
    return pending;
}

}  // namespace

void StorePendingException(std::exception_ptr exception) {
    if (!Pending())
        Pending() = std::move(exception);
}

bool HasPendingException() {
    return static_cast<bool>(Pending());
}

void RethrowPendingException() {
    if (!Pending())
        return;
    std::exception_ptr exception = std::move(Pending());
    Pending() = nullptr;
    std::rethrow_exception(exception);
}

}  // namespace forms::detail
