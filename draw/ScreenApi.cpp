#include "draw/ScreenApi.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "draw/TextBytes.h"

HWND MainWindowHandle = nullptr;
LONG TargetFps = 0;
DWORD PresentScreenCalls = 0;

namespace {

// The console's screen size, which CopySurface clips against whatever the destination is.
constexpr std::int64_t kScreenWidth = 320;
constexpr std::int64_t kScreenHeight = 240;

void (*exitScreenCloser)() = nullptr;

void Describe(SurfaceDesc* desc, _SURFACE& record, LONG screen) {
    desc->pixels = record.pixels;
    desc->depth = DDraw.GetDepth();
    desc->width = record.width;
    desc->height = record.height;
    desc->reserved1 = 0;
    desc->reserved2 = 0;
    desc->screen = screen;
    desc->owner = &record;
}

// The device record behind a descriptor, or null for a descriptor that the API did not hand
// out or whose surface could not be made.
_SURFACE* OwnerOf(const SurfaceDesc* desc) {
    if (desc == nullptr || desc->pixels == nullptr)
        return nullptr;
    return DDraw.FindRecord(desc->owner);
}

// Pixel memory that a descriptor may be written through without locking: only while it is
// still its owner's live memory (not released, not replaced), and never more rows or columns
// than the owner has.
struct PixelView {
    WORD* pixels = nullptr;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

bool LiveView(const SurfaceDesc* desc, PixelView* view) {
    _SURFACE* owner = OwnerOf(desc);
    if (owner == nullptr || !owner->IsValid() || owner->pixels != desc->pixels)
        return false;
    if (desc->width <= 0 || desc->height <= 0 || desc->width > owner->width ||
        desc->height > owner->height)
        return false;
    view->pixels = desc->pixels;
    view->width = desc->width;
    view->height = desc->height;
    return true;
}

}  // namespace

void SetExitScreenCloser(void (*closer)()) {
    exitScreenCloser = closer;
}

int InitScreen(HWND window, int depth) {
    ClearPaletteBank();
    DDraw.Create(window, 640, 480, depth);
    return 0;
}

int GetScreen(SurfaceDesc* desc, int index) {
    if (desc == nullptr || index < 0 || index >= _DDRAW::kScreenCount)
        return 0;
    Describe(desc, DDraw.screens[index], index);
    return 0;
}

int NewSurface(SurfaceDesc* desc) {
    if (desc == nullptr)
        return 0;
    for (_SURFACE& record : DDraw.surfaces) {
        if (!record.IsValid()) {
            record.Create(320, 240);
            Describe(desc, record, -1);
            return 0;
        }
    }
    return 0;
}

void SetScreen(const SurfaceDesc* desc) {
    if (desc != nullptr && desc->screen >= 0)
        DDraw.SetCurrentScreen(desc->screen);
}

bool PresentScreen() {
    ++PresentScreenCalls;
    return DDraw.Present();
}

void ExitScreen() {
    DDraw.Release();
    if (exitScreenCloser != nullptr)
        exitScreenCloser();
}

int FillBox(const SurfaceDesc* desc, int x, int y, int w, int h, BYTE colourIndex) {
    if (_SURFACE* owner = OwnerOf(desc))
        owner->FillRect(x, y, w, h, LookUpColor(colourIndex));
    return 0;
}

HRESULT PutText(const SurfaceDesc* desc, int x, int y, const char* text, BYTE colourIndex) {
    _SURFACE* owner = OwnerOf(desc);
    if (owner == nullptr)
        return DDERR_INVALIDPARAMS;
    // The program's text is drawn as it stands: it is never used as a format, so a stray
    // conversion in it cannot read arguments that were never passed.
    char line[256];
    draw::UnescapeDoubledPercent(text, line, sizeof line);
    return owner->Printf(nullptr, x, y, colourIndex, "%s", line);
}

void ClearSurface(const SurfaceDesc* desc, BYTE colourIndex) {
    PixelView view;
    if (!LiveView(desc, &view))
        return;
    std::fill_n(view.pixels, view.width * view.height, LookUpColor(colourIndex));
}

void CopySurface(const SurfaceDesc* destination, int x, int y, const SurfaceDesc* source,
                 const RECT* sourceRect) {
    PixelView to;
    PixelView from;
    if (!LiveView(destination, &to) || !LiveView(source, &from))
        return;

    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = kScreenWidth;
    std::int64_t bottom = kScreenHeight;
    if (sourceRect != nullptr) {
        left = sourceRect->left;
        top = sourceRect->top;
        right = sourceRect->right;
        bottom = sourceRect->bottom;
    }
    std::int64_t atX = x;
    std::int64_t atY = y;

    // The copy clips against a 320 x 240 destination whatever the destination's size, with
    // the width and height taken before a negative position moves the rectangle.
    std::int64_t w = right - left;
    std::int64_t h = bottom - top;
    if (atX < 0) {
        left -= atX;
        atX = 0;
    }
    if (atY < 0) {
        top -= atY;
        atY = 0;
    }
    w = (w + atX > kScreenWidth) ? kScreenWidth - atX : right - left;
    h = (h + atY > kScreenHeight) ? kScreenHeight - atY : bottom - top;

    // Beyond that rule, never read or write outside either surface.
    if (left < 0) {
        w += left;
        atX -= left;
        left = 0;
    }
    if (top < 0) {
        h += top;
        atY -= top;
        top = 0;
    }
    w = std::min({w, from.width - left, to.width - atX});
    h = std::min({h, from.height - top, to.height - atY});
    if (w <= 0 || h <= 0)
        return;

    // memmove: a program may copy a surface onto itself.
    for (std::int64_t row = 0; row < h; ++row) {
        std::memmove(to.pixels + (atY + row) * to.width + atX,
                     from.pixels + (top + row) * from.width + left,
                     static_cast<std::size_t>(w) * sizeof(WORD));
    }
}
