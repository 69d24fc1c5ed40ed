// The built-in modules of the simulated DirectX installation apart from DDRAW.DLL, which the
// DirectDraw part registers: each appears with the DirectX release that first shipped it.
#include "Registry.h"

namespace win32::installation {

namespace {

DEFINE_GUID(kClsidDirectMusic, 0x636B9F10, 0x0C7D, 0x11D1, 0x95, 0xB2, 0x00, 0x20, 0xAF, 0xDC, 0x74,
            0x21);

// DirectInput itself is not provided: programs here only look the entry point up to learn
// that DirectX 3 is present. A caller that does call it is told so instead of being handed a
// half-working object.
HRESULT DirectInputCreateA(HINSTANCE, DWORD, void** directInput, IUnknown*) {
    if (directInput != nullptr)
        *directInput = nullptr;
    return E_NOTIMPL;
}

// Function pointers pass through void (*)(), the one type that converts to every other
// without a cast-function-type warning.
template <typename Function>
FARPROC AsFarProc(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

void RegisterBuiltinModules() {
    RegisterModule("DINPUT.DLL", 0x300,
                   {{"DirectInputCreateA", AsFarProc(&DirectInputCreateA), 0x300}});
    RegisterModule("D3D8.DLL", 0x800, {});
    RegisterModule("dpnhpast.dll", 0x801, {});
    RegisterClass(kClsidDirectMusic, 0x601, &CreateDirectMusic);
}

}  // namespace win32::installation
