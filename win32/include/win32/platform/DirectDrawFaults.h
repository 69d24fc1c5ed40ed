// Control surface of the software DirectDraw for tests and hosts: makes chosen calls fail
// with a chosen result, counts calls, and counts the objects still alive so that a test can
// assert that nothing leaked. Not part of the DirectDraw API.
#pragma once

#include "win32/types.h"

namespace win32::ddraw::faults {

// Every DirectDraw call that the display code makes, one name each.
enum class Call {
    DirectDrawCreate,
    DirectDrawCreateEx,
    DirectDrawQueryInterface,  // QueryInterface on a DirectDraw object
    SetCooperativeLevel,
    SetDisplayMode,
    CreateSurface,
    SurfaceQueryInterface,  // QueryInterface on a surface
    GetSurfaceDesc,
    Lock,
    Unlock,
    GetFlipStatus,
    BltFast,
    Blt,
    GetDC,
    ReleaseDC,
};
inline constexpr int kCallKinds = static_cast<int>(Call::ReleaseDC) + 1;

enum class Repeat {
    Once,    // the next matching call only
    Always,  // every matching call until cleared
};

// The next call of `call` (or every one, with Repeat::Always) returns `result` and does
// nothing else; an interface it would hand out is set to null. The first `skip` calls still
// run normally, so that "the third CreateSurface fails" reads Fail(CreateSurface, hr, Once, 2).
// A new rule replaces an earlier rule for the same call.
void Fail(Call call, HRESULT result, Repeat repeat = Repeat::Once, int skip = 0);

// Lock or GetFlipStatus answer DDERR_WASSTILLDRAWING (the blitter or the display is busy),
// whatever wait flag the caller gave. Other calls are refused (returns false).
bool ReportNotReady(Call call, Repeat repeat = Repeat::Once, int skip = 0);

// DirectDrawCreate, DirectDrawCreateEx, CreateSurface and the two QueryInterface calls
// return DD_OK but hand out a null interface. Other calls are refused (returns false).
bool SucceedWithNull(Call call, Repeat repeat = Repeat::Once, int skip = 0);

// Removes the rule for one call.
void Clear(Call call);

// How often each call was made since the last Reset, failed or not.
int CallCount(Call call);

// DirectDraw objects and surfaces that exist (not yet released to a count of zero).
int LiveDirectDrawObjects();
int LiveSurfaces();

// Removes every rule and zeroes the call counts. Live objects are not touched.
void Reset();

}  // namespace win32::ddraw::faults
