// LoadBitmapA: an RT_BITMAP resource (a packed DIB) becomes a bitmap in the screen's current
// format, as a device-dependent bitmap on Windows is.
#include <cstddef>
#include <cstring>
#include <vector>

#include "win32/gdi.h"
#include "win32/kernel.h"
#include "win32/platform/Resources.h"
#include "win32/user.h"

namespace {

// Where the pixel rows of a packed DIB start, or 0 when the header does not fit `size`.
std::size_t BitsOffset(const BITMAPINFOHEADER& header, std::size_t size) {
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biPlanes != 1)
        return 0;
    std::size_t colors = header.biClrUsed;
    if (colors == 0 && header.biBitCount <= 8)
        colors = std::size_t{1} << header.biBitCount;
    std::size_t masks = header.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
    if (colors > 256)
        return 0;
    std::size_t offset = header.biSize + masks + colors * sizeof(RGBQUAD);
    if (header.biCompression != BI_RGB && header.biCompression != BI_BITFIELDS)
        return offset < size ? offset : 0;
    long long height =
        header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
    std::size_t stride =
        ((static_cast<std::size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    if (offset + stride * static_cast<std::size_t>(height) > size)
        return 0;
    return offset;
}

}  // namespace

HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
    if (hInstance == nullptr || lpBitmapName == nullptr ||
        hInstance != reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr)))
        return nullptr;
    std::size_t size = 0;
    const void* bytes = win32::resources::Find(RT_BITMAP, lpBitmapName, &size);
    if (bytes == nullptr || size < sizeof(BITMAPINFOHEADER))
        return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes, sizeof header);
    std::size_t offset = BitsOffset(header, size);
    if (offset == 0)
        return nullptr;
    // The embedded bytes need not be aligned for the header's fields: work on a copy.
    std::vector<DWORD> info((offset + sizeof(DWORD) - 1) / sizeof(DWORD));
    std::memcpy(info.data(), bytes, offset);
    const auto* bitmapInfo = reinterpret_cast<const BITMAPINFO*>(info.data());
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap =
        CreateDIBitmap(screen, &bitmapInfo->bmiHeader, CBM_INIT,
                       static_cast<const std::byte*>(bytes) + offset, bitmapInfo, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}
