// LoadLibraryA, GetProcAddress, FreeLibrary and GetModuleHandleA over the built-in modules.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Registry.h"
#include "core/ProgramModule.h"
#include "win32/kernel.h"

namespace win32::installation {

namespace {

struct Module {
    std::string key;  // the normalised name
    DWORD sinceVersion = 0;
    std::vector<BuiltinExport> exports;
    int loadCount = 0;
};

// Modules live at fixed addresses: an HMODULE is the address of its record.
std::vector<std::unique_ptr<Module>>& Modules() {
    static std::vector<std::unique_ptr<Module>> modules;
    return modules;
}

// "C:\\WINDOWS\\SYSTEM\\ddraw" and "DDRAW.DLL" name the same module: the directory is
// dropped, letters are compared without case, and a name without extension means ".DLL".
std::string NormaliseName(const char* name) {
    const char* base = name;
    for (const char* p = name; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/')
            base = p + 1;
    }
    std::string key;
    for (const char* p = base; *p != '\0'; ++p) {
        char c = *p;
        key.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    if (key.find('.') == std::string::npos)
        key += ".DLL";
    return key;
}

Module* FindByName(const char* name) {
    if (name == nullptr)
        return nullptr;
    std::string key = NormaliseName(name);
    for (auto& module : Modules()) {
        if (module->key == key)
            return module.get();
    }
    return nullptr;
}

Module* FindByHandle(HMODULE handle) {
    for (auto& module : Modules()) {
        if (reinterpret_cast<HMODULE>(module.get()) == handle)
            return module.get();
    }
    return nullptr;
}

HMODULE HandleOf(Module* module) {
    return reinterpret_cast<HMODULE>(module);
}

}  // namespace

void RegisterModule(const char* name, DWORD sinceVersion, std::vector<BuiltinExport> exports) {
    EnsureBuiltinsRegistered();
    if (name == nullptr)
        return;
    Module* module = FindByName(name);
    if (module == nullptr) {
        auto created = std::make_unique<Module>();
        created->key = NormaliseName(name);
        module = created.get();
        Modules().push_back(std::move(created));
    }
    // A replacement keeps the record, so handles and load counts held so far stay valid.
    module->sinceVersion = sinceVersion;
    module->exports = std::move(exports);
}

int ModuleLoadCount(const char* name) {
    EnsureBuiltinsRegistered();
    Module* module = FindByName(name);
    return module != nullptr ? module->loadCount : 0;
}

int TotalModuleLoadCount() {
    EnsureBuiltinsRegistered();
    int total = 0;
    for (auto& module : Modules())
        total += module->loadCount;
    return total;
}

void ResetModuleCounts() {
    for (auto& module : Modules())
        module->loadCount = 0;
}

}  // namespace win32::installation

namespace inst = win32::installation;

HMODULE LoadLibraryA(LPCSTR name) {
    inst::EnsureBuiltinsRegistered();
    inst::Module* module = inst::FindByName(name);
    if (module == nullptr)
        return nullptr;
    // A module already loaded stays usable even if the simulated installation changed since.
    if (module->loadCount == 0 && inst::DirectXVersion() < module->sinceVersion)
        return nullptr;
    ++module->loadCount;
    return inst::HandleOf(module);
}

FARPROC GetProcAddress(HMODULE handle, LPCSTR name) {
    inst::EnsureBuiltinsRegistered();
    inst::Module* module = inst::FindByHandle(handle);
    // Look-ups by ordinal are not offered: no built-in module exports by number.
    if (module == nullptr || module->loadCount == 0 || name == nullptr || IS_INTRESOURCE(name))
        return nullptr;
    for (const inst::BuiltinExport& entry : module->exports) {
        if (std::strcmp(entry.name, name) == 0 && inst::DirectXVersion() >= entry.sinceVersion) {
            return entry.proc;
        }
    }
    return nullptr;
}

BOOL FreeLibrary(HMODULE handle) {
    if (handle == win32::ProgramModule())
        return TRUE;
    inst::Module* module = inst::FindByHandle(handle);
    if (module == nullptr || module->loadCount == 0)
        return FALSE;
    --module->loadCount;
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR name) {
    if (name == nullptr)
        return win32::ProgramModule();
    inst::EnsureBuiltinsRegistered();
    inst::Module* module = inst::FindByName(name);
    return module != nullptr && module->loadCount > 0 ? inst::HandleOf(module) : nullptr;
}
