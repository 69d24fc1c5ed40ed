#include <chrono>
#include <cstdint>
#include <thread>

#include "ProgramModule.h"
#include "win32/kernel.h"
#include "win32/platform/Clock.h"
#include "win32/platform/Diagnostics.h"

namespace win32 {

HMODULE ProgramModule() {
    static HINSTANCE__ program{};
    return &program;
}

}  // namespace win32

DWORD timeGetTime() {
    return win32::clock::Now();
}

void Sleep(DWORD milliseconds) {
    // A virtual clock never moves with the wall clock, but a caller that sleeps expects its
    // time to pass; moving it by exactly the requested amount keeps runs reproducible and
    // lets wait-until-tick loops finish.
    if (win32::clock::IsVirtual()) {
        win32::clock::AdvanceVirtual(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void OutputDebugStringA(LPCSTR text) {
    if (text == nullptr)
        return;
    win32::diagnostics::RecordTrace(text);
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    // Rounds half away from zero, as the system's MulDiv does.
    std::int64_t half = divisor / 2;
    std::int64_t result = product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    if (result > INT32_MAX || result < -INT32_MAX)
        return -1;
    return static_cast<int>(result);
}
