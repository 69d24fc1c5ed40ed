// Where two pictures of the same size differ, and a picture that shows it at a glance.
#pragma once

#include <string>

#include "win32/platform/Png.h"

namespace nuvik::golden {

struct Difference {
    long count = 0;  // differing pixels
    // The bounding box of the differing pixels, inclusive, and the first of them in reading
    // order; meaningful when count > 0.
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int firstX = 0;
    int firstY = 0;
};

// Compares two pictures of the same size pixel by pixel.
Difference Compare(const win32::png::RgbImage& golden, const win32::png::RgbImage& actual);

// The golden enlarged (to about 1280 pixels across, at most 4 times), in grey at a third of
// its brightness, every differing pixel a pure red block and the bounding box of the
// differences framed in yellow: a single differing pixel is plain to see.
win32::png::RgbImage DiffPicture(const win32::png::RgbImage& golden,
                                 const win32::png::RgbImage& actual, const Difference& difference);

// How many times DiffPicture enlarges a picture `width` pixels across.
int DiffScale(int width);

// "#RRGGBB" of the pixel at (x, y).
std::string ColourAt(const win32::png::RgbImage& image, int x, int y);

}  // namespace nuvik::golden
