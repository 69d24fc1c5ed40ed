// CoInitialize, CoUninitialize and CoCreateInstance over the built-in class registry.
#include <vector>

#include "Registry.h"
#include "win32/kernel.h"

namespace win32::installation {

namespace {

struct ClassEntry {
    CLSID clsid;
    DWORD sinceVersion;
    ClassFactory factory;
};

std::vector<ClassEntry>& Classes() {
    static std::vector<ClassEntry> classes;
    return classes;
}

// CoInitialize calls not yet matched by CoUninitialize.
int& InitialiseCount() {
    static int count = 0;
    return count;
}

}  // namespace

void RegisterClass(REFCLSID clsid, DWORD sinceVersion, ClassFactory factory) {
    EnsureBuiltinsRegistered();
    for (ClassEntry& entry : Classes()) {
        if (entry.clsid == clsid) {
            entry.sinceVersion = sinceVersion;
            entry.factory = factory;
            return;
        }
    }
    Classes().push_back({clsid, sinceVersion, factory});
}

void ResetComState() {
    InitialiseCount() = 0;
}

}  // namespace win32::installation

namespace inst = win32::installation;

HRESULT CoInitialize(LPVOID) {
    return ++inst::InitialiseCount() == 1 ? S_OK : S_FALSE;
}

void CoUninitialize() {
    if (inst::InitialiseCount() > 0)
        --inst::InitialiseCount();
}

HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                         LPVOID* object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (inst::InitialiseCount() == 0)
        return CO_E_NOTINITIALIZED;
    inst::EnsureBuiltinsRegistered();
    // Every built-in class is an in-process server.
    if ((context & CLSCTX_INPROC_SERVER) == 0)
        return REGDB_E_CLASSNOTREG;
    for (const inst::ClassEntry& entry : inst::Classes()) {
        if (entry.clsid != clsid)
            continue;
        if (inst::DirectXVersion() < entry.sinceVersion || entry.factory == nullptr)
            return REGDB_E_CLASSNOTREG;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        return entry.factory(iid, object);
    }
    return REGDB_E_CLASSNOTREG;
}
