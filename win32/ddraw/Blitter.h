// Pixel transfers between the memories of two surfaces of one pixel format (16 or 32 bits).
// Every rectangle handed in is already checked against both surfaces: these routines only
// move pixels.
#pragma once

#include "win32/platform/Framebuffer.h"
#include "win32/types.h"

namespace win32::ddraw {

// A source colour key: pixels whose every channel lies within [low, high] are not copied.
struct ColorKeyRange {
    DWORD low = 0;
    DWORD high = 0;
};

bool KeyMatches(const PixelFormat& format, const ColorKeyRange& key, DWORD pixel);

// Copies a width x height block; the blocks may overlap when both views share memory.
void CopyBlock(const PixelBuffer& dest, int destX, int destY, const PixelBuffer& source,
               int sourceX, int sourceY, int width, int height);

struct BlockTransform {
    bool mirrorLeftRight = false;
    bool mirrorUpDown = false;
    const ColorKeyRange* sourceKey = nullptr;  // null: every pixel is copied
};

// Copies `sourceRect` onto `destRect` (both of one size), mirrored and keyed as asked.
void TransformBlock(const PixelBuffer& dest, const RECT& destRect, const PixelBuffer& source,
                    const RECT& sourceRect, const BlockTransform& transform);

void FillBlock(const PixelBuffer& dest, const RECT& rect, DWORD pixel);

}  // namespace win32::ddraw
