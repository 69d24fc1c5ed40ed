// The application's resources: a table of (type, name) -> bytes that the build embeds from
// assets/. FindResourceA and the loaders read it. Types and their byte layouts:
//   RT_BITMAP        a packed DIB: BITMAPINFOHEADER, colour table, bits (no file header)
//   RT_GROUP_CURSOR  a whole .cur file (hot spots in the directory entries)
//   RT_GROUP_ICON    a whole .ico file
//   RT_RCDATA        raw bytes (form resources are text)
// Names are compared case-insensitively.
#pragma once

#include <cstddef>

#include "win32/types.h"

namespace win32::resources {

void Register(LPCSTR type, const char* name, const void* data, std::size_t size);
// The registered bytes, or null.
const void* Find(LPCSTR type, const char* name, std::size_t* size);

}  // namespace win32::resources
