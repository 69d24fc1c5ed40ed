// The two exported entry points of DDRAW.DLL.
#include "ddraw/DirectDraw.h"
#include "ddraw/FaultPoints.h"
#include "win32/ddraw.h"
#include "win32/platform/Installation.h"

namespace {

using win32::ddraw::DirectDraw;
using win32::ddraw::faults::Call;

// Null asks for the display driver; the two debugging selectors name that driver too.
bool NamesDisplayDriver(const GUID* driver) {
    return driver == nullptr || driver == DDCREATE_HARDWAREONLY || driver == DDCREATE_EMULATIONONLY;
}

// A caller that linked the entry point directly still meets the simulated installation:
// without the release that brought the entry point, there is no DirectDraw to create.
HRESULT CreateObject(GUID* driver, IUnknown* outer, DWORD sinceVersion, DirectDraw** made) {
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    if (!NamesDisplayDriver(driver))
        return DDERR_INVALIDDIRECTDRAWGUID;
    if (win32::installation::DirectXVersion() < sinceVersion)
        return DDERR_NODIRECTDRAWSUPPORT;
    *made = DirectDraw::New();
    return *made != nullptr ? DD_OK : DDERR_OUTOFMEMORY;
}

}  // namespace

HRESULT WINAPI DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    const auto injected = win32::ddraw::EnterCall(Call::DirectDrawCreate);
    if (directDraw == nullptr)
        return injected.fired ? injected.result : DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (injected.fired)
        return injected.result;
    DirectDraw* made = nullptr;
    const HRESULT result = CreateObject(driver, outer, 0x100, &made);
    if (SUCCEEDED(result))
        *directDraw = made->AsDirectDraw();
    return result;
}

HRESULT WINAPI DirectDrawCreateEx(GUID* driver, LPVOID* directDraw, REFIID iid, IUnknown* outer) {
    const auto injected = win32::ddraw::EnterCall(Call::DirectDrawCreateEx);
    if (directDraw == nullptr)
        return injected.fired ? injected.result : DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (injected.fired)
        return injected.result;
    if (iid != IID_IDirectDraw7)
        return DDERR_INVALIDPARAMS;
    DirectDraw* made = nullptr;
    const HRESULT result = CreateObject(driver, outer, 0x700, &made);
    if (SUCCEEDED(result))
        *directDraw = made->AsDirectDraw7();
    return result;
}
