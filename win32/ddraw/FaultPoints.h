// The hooks through which every DirectDraw call consults the fault rules of
// win32/platform/DirectDrawFaults.h, and through which objects report their lifetime.
#pragma once

#include "win32/platform/DirectDrawFaults.h"
#include "win32/types.h"

namespace win32::ddraw {

struct InjectedOutcome {
    bool fired = false;       // a rule decided the call's result
    HRESULT result = S_OK;    // the result to return when fired
    bool nullOutput = false;  // succeed, but hand out a null interface
};

// Counts one call of `call` and tells whether a rule takes it over.
InjectedOutcome EnterCall(faults::Call call);

void CountDirectDrawObject(int delta);
void CountSurface(int delta);

}  // namespace win32::ddraw
