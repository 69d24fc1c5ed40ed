#include "user/Cursors.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>

#include "user/CursorShapes.h"
#include "user/IconFile.h"
#include "win32/kernel.h"
#include "win32/platform/Cursors.h"
#include "win32/platform/Host.h"
#include "win32/platform/Resources.h"
#include "win32/user.h"

namespace win32::user {

namespace {

// Every cursor and icon is shared, as LoadCursorA and LoadIconA make them: loading the same
// one again gives the same handle, and it lives as long as the process.
struct CursorTable {
    std::unordered_map<std::uintptr_t, std::unique_ptr<cursors::CursorImage>> images;
    std::map<int, HCURSOR> system;
    // (type, folded name, resource bytes): new bytes under an old name are a new picture.
    std::map<std::tuple<int, std::string, const void*>, HCURSOR> loaded;
    HICON applicationIcon = nullptr;
    std::uintptr_t nextHandle = 0x00C00010;
    HCURSOR current = nullptr;
};

CursorTable& Table() {
    static CursorTable table;
    return table;
}

HCURSOR Keep(const cursors::CursorImage& image) {
    CursorTable& table = Table();
    std::uintptr_t value = table.nextHandle;
    table.nextHandle += 4;
    table.images.emplace(value, std::make_unique<cursors::CursorImage>(image));
    return reinterpret_cast<HCURSOR>(value);
}

std::string NameKey(LPCSTR name) {
    if (IS_INTRESOURCE(name)) {
        std::string key(1, '#');
        key += std::to_string(LOWORD(reinterpret_cast<ULONG_PTR>(name)));
        return key;
    }
    std::string key = name;
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

bool IsProgramInstance(HINSTANCE instance) {
    return instance == reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr));
}

HCURSOR LoadFromResources(LPCSTR type, LPCSTR name, bool cursor) {
    if (name == nullptr)
        return nullptr;
    std::size_t size = 0;
    const void* bytes = resources::Find(type, name, &size);
    if (bytes == nullptr)
        return nullptr;
    auto key = std::make_tuple(cursor ? 1 : 2, NameKey(name), bytes);
    CursorTable& table = Table();
    auto it = table.loaded.find(key);
    if (it != table.loaded.end())
        return it->second;
    cursors::CursorImage image;
    if (!DecodeIconFile(bytes, size, cursor, 32, &image))
        return nullptr;
    HCURSOR handle = Keep(image);
    table.loaded.emplace(key, handle);
    return handle;
}

}  // namespace

void ResetCursors() {
    Table().current = nullptr;
}

}  // namespace win32::user

namespace user = win32::user;

bool win32::cursors::Describe(HCURSOR cursor, CursorImage* image) {
    auto& images = user::Table().images;
    auto it = images.find(reinterpret_cast<std::uintptr_t>(cursor));
    if (it == images.end() || image == nullptr)
        return false;
    *image = *it->second;
    return true;
}

HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (hInstance != nullptr) {
        if (!user::IsProgramInstance(hInstance))
            return nullptr;
        return user::LoadFromResources(RT_GROUP_CURSOR, lpCursorName, true);
    }
    if (!IS_INTRESOURCE(lpCursorName))
        return nullptr;
    int id = LOWORD(reinterpret_cast<ULONG_PTR>(lpCursorName));
    auto& table = user::Table();
    auto it = table.system.find(id);
    if (it != table.system.end())
        return it->second;
    win32::cursors::CursorImage image;
    if (!user::DrawSystemCursor(id, &image))
        return nullptr;
    HCURSOR handle = user::Keep(image);
    table.system.emplace(id, handle);
    return handle;
}

HICON LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    if (hInstance != nullptr) {
        if (!user::IsProgramInstance(hInstance))
            return nullptr;
        return user::LoadFromResources(RT_GROUP_ICON, lpIconName, false);
    }
    if (lpIconName != IDI_APPLICATION)
        return nullptr;
    auto& table = user::Table();
    if (table.applicationIcon == nullptr) {
        win32::cursors::CursorImage image;
        user::DrawApplicationIcon(&image);
        table.applicationIcon = user::Keep(image);
    }
    return table.applicationIcon;
}

HCURSOR SetCursor(HCURSOR hCursor) {
    auto& table = user::Table();
    HCURSOR previous = table.current;
    if (hCursor != nullptr && table.images.count(reinterpret_cast<std::uintptr_t>(hCursor)) == 0)
        return nullptr;
    if (hCursor != previous) {
        table.current = hCursor;
        if (win32::Host* host = win32::CurrentHost())
            host->SetCursorShape(hCursor);
    }
    return previous;
}

HCURSOR GetCursor() {
    return user::Table().current;
}

BOOL DestroyCursor(HCURSOR hCursor) {
    // Shared cursors outlive every DestroyCursor, as on Windows; the call only checks.
    return user::Table().images.count(reinterpret_cast<std::uintptr_t>(hCursor)) != 0 ? TRUE
                                                                                      : FALSE;
}

BOOL DestroyIcon(HICON hIcon) {
    return DestroyCursor(hIcon);
}
