#include "sdk/golden/PictureDifference.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace nuvik::golden {

namespace {

using win32::png::RgbImage;

std::size_t At(const RgbImage& image, int x, int y) {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
            static_cast<std::size_t>(x)) *
           3;
}

bool Differs(const RgbImage& a, const RgbImage& b, std::size_t at) {
    return a.rgb[at] != b.rgb[at] || a.rgb[at + 1] != b.rgb[at + 1] ||
           a.rgb[at + 2] != b.rgb[at + 2];
}

void Paint(RgbImage* image, int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    if (x < 0 || y < 0 || x >= image->width || y >= image->height)
        return;
    std::size_t at = At(*image, x, y);
    image->rgb[at] = r;
    image->rgb[at + 1] = g;
    image->rgb[at + 2] = b;
}

}  // namespace

Difference Compare(const RgbImage& golden, const RgbImage& actual) {
    Difference d;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            if (!Differs(golden, actual, At(actual, x, y)))
                continue;
            if (d.count++ == 0) {
                d.left = d.right = d.firstX = x;
                d.top = d.bottom = d.firstY = y;
            }
            d.left = std::min(d.left, x);
            d.right = std::max(d.right, x);
            d.bottom = y;
        }
    }
    return d;
}

int DiffScale(int width) {
    return width <= 0 ? 1 : std::clamp(1280 / width, 1, 4);
}

RgbImage DiffPicture(const RgbImage& golden, const RgbImage& actual, const Difference& d) {
    const int scale = DiffScale(golden.width);
    RgbImage diff;
    diff.width = golden.width * scale;
    diff.height = golden.height * scale;
    diff.rgb.resize(static_cast<std::size_t>(diff.width) * static_cast<std::size_t>(diff.height) *
                    3);
    for (int y = 0; y < golden.height; ++y) {
        for (int x = 0; x < golden.width; ++x) {
            std::size_t at = At(golden, x, y);
            bool differs = Differs(golden, actual, at);
            // Grey at a third of the brightness: nothing dimmed can be mistaken for the red.
            auto grey = static_cast<std::uint8_t>(
                (golden.rgb[at] * 30 + golden.rgb[at + 1] * 59 + golden.rgb[at + 2] * 11) / 300);
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    if (differs)
                        Paint(&diff, x * scale + dx, y * scale + dy, 255, 0, 0);
                    else
                        Paint(&diff, x * scale + dx, y * scale + dy, grey, grey, grey);
                }
            }
        }
    }
    if (d.count == 0)
        return diff;
    // A frame two pixels wide, two pixels clear of the box.
    const int left = d.left * scale - 4;
    const int top = d.top * scale - 4;
    const int right = (d.right + 1) * scale + 3;
    const int bottom = (d.bottom + 1) * scale + 3;
    for (int x = left; x <= right; ++x) {
        for (int w = 0; w < 2; ++w) {
            Paint(&diff, x, top + w, 255, 255, 0);
            Paint(&diff, x, bottom - w, 255, 255, 0);
        }
    }
    for (int y = top; y <= bottom; ++y) {
        for (int w = 0; w < 2; ++w) {
            Paint(&diff, left + w, y, 255, 255, 0);
            Paint(&diff, right - w, y, 255, 255, 0);
        }
    }
    return diff;
}

std::string ColourAt(const RgbImage& image, int x, int y) {
    std::size_t at = At(image, x, y);
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", image.rgb[at], image.rgb[at + 1],
                  image.rgb[at + 2]);
    return text;
}

}  // namespace nuvik::golden
