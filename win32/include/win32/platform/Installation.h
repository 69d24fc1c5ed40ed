// The DirectX installation that the platform simulates, and the registries of built-in
// modules (for LoadLibraryA / GetProcAddress) and COM classes (for CoCreateInstance) whose
// presence it decides. Version codes are major << 8 | minor: 0x801 is DirectX 8.1.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "win32/types.h"

namespace win32::installation {

// "0", "1", "2", "3", "5", "6", "6.1", "7", "8.0", "8.1" (also "8" for 8.0); false otherwise.
bool ParseDirectXVersion(std::string_view text, DWORD* code);
void SetDirectXVersion(DWORD code);  // default 0x801
DWORD DirectXVersion();

struct BuiltinExport {
    const char* name;
    FARPROC proc;
    DWORD sinceVersion;  // present when DirectXVersion() >= sinceVersion
};

// A module that LoadLibraryA finds by name (case-insensitive) when DirectXVersion() is at
// least `sinceVersion`. Registering a name again replaces it.
void RegisterModule(const char* name, DWORD sinceVersion, std::vector<BuiltinExport> exports);

typedef HRESULT (*ClassFactory)(REFIID iid, void** object);
void RegisterClass(REFCLSID clsid, DWORD sinceVersion, ClassFactory factory);

// How many LoadLibraryA calls on the module are not yet matched by FreeLibrary.
int ModuleLoadCount(const char* name);
int TotalModuleLoadCount();

// Objects made by the built-in COM classes (CoCreateInstance) that are still referenced.
int LiveClassObjectCount();

// Forgets load counts and COM initialisation; the registrations and version stay.
void ResetCounts();

}  // namespace win32::installation
