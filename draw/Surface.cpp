#include "draw/Surface.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "draw/Ddraw.h"
#include "draw/PaletteBank.h"
#include "draw/TextBytes.h"
#include "frame/MessageBox.h"

namespace {

constexpr const char* kCreateCaption = "_SURFACE::Create()";

DDSURFACEDESC2 EmptyDescription() {
    DDSURFACEDESC2 description;
    std::memset(&description, 0, sizeof description);
    description.dwSize = sizeof description;
    return description;
}

// Clips one axis of a source rectangle in place the way the copy always has: a negative
// position sets the start to -position (it does not move it), and a copy reaching the
// destination's far edge is shortened to end there.
void ClipAxis(LONG* start, LONG* end, int* position, LONG destinationSize) {
    std::int64_t from = *start;
    std::int64_t to = *end;
    std::int64_t at = *position;
    if (at < 0) {
        from = -at;
        at = 0;
    } else if ((to - from) + at >= destinationSize) {
        to = from + destinationSize - at;
    }
    *start = static_cast<LONG>(from);
    *end = static_cast<LONG>(to);
    *position = static_cast<int>(at);
}

}  // namespace

bool _SURFACE::Create(int newWidth, int newHeight) {
    if (DDraw.directDraw == nullptr) {
        ShowMessageBox(kCreateCaption, "Direct Draw 모드로 초기화하지 않았습니다.");
        return false;
    }
    Release();

    DDSURFACEDESC2 description = EmptyDescription();
    description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    description.dwWidth = static_cast<DWORD>(newWidth);
    description.dwHeight = static_cast<DWORD>(newHeight);
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    if (FAILED(DDraw.directDraw->CreateSurface(&description, &surface, nullptr))) {
        ShowMessageBox(kCreateCaption, "서피스를 생성할 수 없습니다.");
        return false;
    }
    if (surface == nullptr) {
        ShowMessageBox(kCreateCaption, "서피스 주소가 없습니다.");
        return false;
    }

    // The address stays the surface's pixel memory after Unlock; everything later writes
    // through it without locking again.
    DDSURFACEDESC2 locked = EmptyDescription();
    if (surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr) == DD_OK) {
        pixels = static_cast<WORD*>(locked.lpSurface);
        width = newWidth;
        height = newHeight;
        surface->Unlock(nullptr);
    }
    return true;
}

bool _SURFACE::Release() {
    if (surface == nullptr)
        return false;
    surface->Release();
    surface = nullptr;
    pixels = nullptr;
    width = 0;
    height = 0;
    return true;
}

bool _SURFACE::IsValid() const {
    return surface != nullptr && width != 0 && height != 0;
}

bool _SURFACE::FillRect(int x, int y, int w, int h, WORD colour) {
    if (surface == nullptr)
        return false;
    DDSURFACEDESC2 locked = EmptyDescription();
    if (surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr) != DD_OK)
        return false;

    // Cut to the surface so that a rectangle reaching outside it cannot write past its memory.
    std::int64_t left = std::max<std::int64_t>(x, 0);
    std::int64_t top = std::max<std::int64_t>(y, 0);
    std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + w, width);
    std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + h, height);
    if (pixels != nullptr && left < right && top < bottom) {
        for (std::int64_t row = top; row < bottom; ++row)
            std::fill_n(pixels + row * width + left, right - left, colour);
    }

    surface->Unlock(nullptr);
    return true;
}

bool _SURFACE::Blt(_SURFACE* destination, int x, int y, RECT* sourceRect, bool colourKey,
                   WORD mode) {
    if (surface == nullptr || destination == nullptr)
        return false;
    if (destination->surface == nullptr)
        return false;
    // A mirrored or keyed Blt copies a rectangle; without one there is nothing to size it by.
    if (mode != 0 && sourceRect == nullptr)
        return false;

    if (sourceRect != nullptr) {
        ClipAxis(&sourceRect->left, &sourceRect->right, &x, destination->width);
        ClipAxis(&sourceRect->top, &sourceRect->bottom, &y, destination->height);
    }

    if (mode == 0) {
        DWORD flags = DDBLTFAST_WAIT;
        if (colourKey)
            flags |= DDBLTFAST_SRCCOLORKEY;
        destination->surface->BltFast(static_cast<DWORD>(x), static_cast<DWORD>(y), surface,
                                      sourceRect, flags);
        return true;
    }

    RECT destinationRect;
    destinationRect.left = x;
    destinationRect.top = y;
    destinationRect.right =
        static_cast<LONG>(std::int64_t{x} + sourceRect->right - std::int64_t{sourceRect->left});
    destinationRect.bottom =
        static_cast<LONG>(std::int64_t{y} + sourceRect->bottom - std::int64_t{sourceRect->top});
    DWORD flags = DDBLT_WAIT;
    DDBLTFX effects;
    std::memset(&effects, 0, sizeof effects);
    effects.dwSize = sizeof effects;
    bool mirrored = (mode & 1) != 0;
    if (mirrored) {
        effects.dwDDFX = DDBLTFX_MIRRORLEFTRIGHT;
        flags |= DDBLT_DDFX;
    }
    if (colourKey)
        flags |= DDBLT_KEYSRC;
    destination->surface->Blt(&destinationRect, surface, sourceRect, flags,
                              mirrored ? &effects : nullptr);
    return true;
}

HRESULT _SURFACE::Printf(HFONT font, int x, int y, BYTE colourIndex, const char* format, ...) {
    if (surface == nullptr)
        return DDERR_INVALIDOBJECT;

    // vsnprintf cuts at 255 bytes; a Hangul character split by the cut is dropped whole.
    char text[256] = {};
    if (format != nullptr) {
        va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(text, sizeof text, format, arguments);
        va_end(arguments);
    }
    std::size_t length = draw::WholeCharacterLength(text, std::strlen(text));
    text[length] = '\0';

    HDC dc = nullptr;
    HRESULT result = surface->GetDC(&dc);
    if (result != DD_OK)
        return result;
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToTextColor(LookUpColor(colourIndex)));
    TextOutA(dc, x, y, text, static_cast<int>(length));
    return surface->ReleaseDC(dc);
}
