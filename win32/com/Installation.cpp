#include <string>

#include "Registry.h"
#include "ddraw/Registration.h"

namespace win32::installation {

namespace {

DWORD& Version() {
    static DWORD version = 0x801;
    return version;
}

}  // namespace

bool ParseDirectXVersion(std::string_view text, DWORD* code) {
    struct Known {
        std::string_view text;
        DWORD code;
    };
    static constexpr Known kKnown[] = {
        {"0", 0x000},   {"1", 0x100}, {"2", 0x200},   {"3", 0x300}, {"5", 0x500},   {"6", 0x600},
        {"6.1", 0x601}, {"7", 0x700}, {"8.0", 0x800}, {"8", 0x800}, {"8.1", 0x801},
    };
    for (const Known& known : kKnown) {
        if (known.text == text) {
            if (code != nullptr)
                *code = known.code;
            return true;
        }
    }
    return false;
}

void SetDirectXVersion(DWORD code) {
    Version() = code;
}

DWORD DirectXVersion() {
    return Version();
}

void EnsureBuiltinsRegistered() {
    static bool registered = false;
    if (registered)
        return;
    // Set first: the registrations below come back through RegisterModule.
    registered = true;
    win32::ddraw::RegisterModule();
    RegisterBuiltinModules();
}

void ResetCounts() {
    ResetModuleCounts();
    ResetComState();
}

int LiveClassObjectCount() {
    return LiveDirectMusicObjects();
}

}  // namespace win32::installation
