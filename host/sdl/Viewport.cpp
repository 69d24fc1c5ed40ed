#include "host/sdl/Viewport.h"

#include <algorithm>
#include <cmath>

#include "win32/platform/Framebuffer.h"

namespace nuvik::host {

namespace {
constexpr int kWidth = win32::Framebuffer::kWidth;
constexpr int kHeight = win32::Framebuffer::kHeight;
}  // namespace

PictureRect FitScreen(int outputWidth, int outputHeight, ScaleMode mode) {
    PictureRect rect;
    if (outputWidth <= 0 || outputHeight <= 0)
        return rect;
    int scale = std::min(outputWidth / kWidth, outputHeight / kHeight);
    bool aspectFitIsWhole = outputWidth * kHeight <= outputHeight * kWidth
                                ? outputWidth % kWidth == 0
                                : outputHeight % kHeight == 0;
    if (scale >= 1 && (mode == ScaleMode::Integer || aspectFitIsWhole)) {
        rect.width = kWidth * scale;
        rect.height = kHeight * scale;
        rect.integerScale = true;
    } else if (outputWidth * kHeight <= outputHeight * kWidth) {
        rect.width = outputWidth;
        rect.height = std::max(1, outputWidth * kHeight / kWidth);
    } else {
        rect.height = outputHeight;
        rect.width = std::max(1, outputHeight * kWidth / kHeight);
    }
    rect.x = (outputWidth - rect.width) / 2;
    rect.y = (outputHeight - rect.height) / 2;
    return rect;
}

ScreenPoint WindowToScreen(int x, int y, const PictureRect& picture, int windowWidth,
                           int windowHeight, int outputWidth, int outputHeight) {
    if (picture.width <= 0 || picture.height <= 0 || windowWidth <= 0 || windowHeight <= 0)
        return {};
    // Through the centre of the window pixel, so that every output pixel of a scaled screen
    // pixel maps back to that screen pixel.
    double outputX = (x + 0.5) * outputWidth / windowWidth;
    double outputY = (y + 0.5) * outputHeight / windowHeight;
    auto toScreen = [](double output, int origin, int extent, int size) {
        double screen = std::floor((output - origin) * size / extent);
        return static_cast<int>(std::clamp(screen, 0.0, static_cast<double>(size - 1)));
    };
    return {toScreen(outputX, picture.x, picture.width, kWidth),
            toScreen(outputY, picture.y, picture.height, kHeight)};
}

}  // namespace nuvik::host
