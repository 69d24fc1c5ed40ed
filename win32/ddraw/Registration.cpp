#include "ddraw/Registration.h"

#include "win32/ddraw.h"
#include "win32/platform/Installation.h"

namespace win32::ddraw {

namespace {

// Through void (*)(), which converts to any function pointer without a cast warning.
template <typename Function>
FARPROC AsExport(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

void RegisterModule() {
    // The module shipped with DirectX 1; DirectDrawCreateEx first came with DirectX 7.
    installation::RegisterModule("DDRAW.DLL", 0x100,
                                 {
                                     {"DirectDrawCreate", AsExport(&DirectDrawCreate), 0x100},
                                     {"DirectDrawCreateEx", AsExport(&DirectDrawCreateEx), 0x700},
                                 });
}

}  // namespace win32::ddraw
