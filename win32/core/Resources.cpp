#include "win32/platform/Resources.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ProgramModule.h"
#include "win32/kernel.h"

namespace win32::resources {

namespace {

// A resource type or name: a 16-bit number (MAKEINTRESOURCE, or a "#123" string) or a text
// compared without regard to ASCII case.
struct ResourceId {
    bool isNumber = false;
    WORD number = 0;
    std::string text;

    bool operator==(const ResourceId&) const = default;
};

// Upper-cases ASCII letters only; the second byte of a CP949 pair is left alone, since it may
// fall into the ASCII letter range.
std::string FoldCase(const char* text) {
    std::string folded;
    for (const char* p = text; *p != '\0'; ++p) {
        auto byte = static_cast<unsigned char>(*p);
        if (byte >= 0x81 && byte <= 0xFE && p[1] != '\0') {
            folded.push_back(*p);
            folded.push_back(*++p);
            continue;
        }
        folded.push_back(byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : *p);
    }
    return folded;
}

bool ParseId(const char* name, ResourceId* id) {
    if (IS_INTRESOURCE(name)) {
        id->isNumber = true;
        id->number = LOWORD(reinterpret_cast<ULONG_PTR>(name));
        return true;
    }
    if (name[0] == '#') {
        char* end = nullptr;
        unsigned long number = std::strtoul(name + 1, &end, 10);
        if (end == name + 1 || *end != '\0' || number > 0xFFFF)
            return false;
        id->isNumber = true;
        id->number = static_cast<WORD>(number);
        return true;
    }
    id->text = FoldCase(name);
    return true;
}

struct Entry {
    ResourceId type;
    ResourceId name;
    const void* data = nullptr;
    std::size_t size = 0;
};

// Entries live at fixed addresses: an HRSRC is the address of its entry.
std::vector<std::unique_ptr<Entry>>& Table() {
    static std::vector<std::unique_ptr<Entry>> table;
    return table;
}

Entry* FindEntry(LPCSTR type, const char* name) {
    ResourceId typeId, nameId;
    if (type == nullptr || name == nullptr || !ParseId(type, &typeId) || !ParseId(name, &nameId))
        return nullptr;
    for (auto& entry : Table()) {
        if (entry->type == typeId && entry->name == nameId)
            return entry.get();
    }
    return nullptr;
}

Entry* EntryOf(HRSRC resource) {
    for (auto& entry : Table()) {
        if (reinterpret_cast<HRSRC>(entry.get()) == resource)
            return entry.get();
    }
    return nullptr;
}

bool IsProgram(HMODULE module) {
    return module == nullptr || module == ProgramModule();
}

}  // namespace

void Register(LPCSTR type, const char* name, const void* data, std::size_t size) {
    if (Entry* existing = FindEntry(type, name)) {
        existing->data = data;
        existing->size = size;
        return;
    }
    auto entry = std::make_unique<Entry>();
    if (type == nullptr || name == nullptr || !ParseId(type, &entry->type) ||
        !ParseId(name, &entry->name)) {
        return;
    }
    entry->data = data;
    entry->size = size;
    Table().push_back(std::move(entry));
}

const void* Find(LPCSTR type, const char* name, std::size_t* size) {
    Entry* entry = FindEntry(type, name);
    if (size != nullptr)
        *size = entry != nullptr ? entry->size : 0;
    return entry != nullptr ? entry->data : nullptr;
}

}  // namespace win32::resources

namespace res = win32::resources;

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!res::IsProgram(module))
        return nullptr;
    return reinterpret_cast<HRSRC>(res::FindEntry(type, name));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    if (!res::IsProgram(module))
        return nullptr;
    res::Entry* entry = res::EntryOf(resource);
    // The bytes are part of the program image, so the "loaded" handle is their address.
    return entry != nullptr ? const_cast<void*>(entry->data) : nullptr;
}

LPVOID LockResource(HGLOBAL resource) {
    return resource;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    if (!res::IsProgram(module))
        return 0;
    res::Entry* entry = res::EntryOf(resource);
    return entry != nullptr ? static_cast<DWORD>(entry->size) : 0;
}
