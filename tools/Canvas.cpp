#include "tools/Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace nuvik::tools {

Colour Mix(Colour from, Colour to, float amount) {
    return {from.r + (to.r - from.r) * amount, from.g + (to.g - from.g) * amount,
            from.b + (to.b - from.b) * amount};
}

Colour Scaled(Colour colour, float factor) {
    return {colour.r * factor, colour.g * factor, colour.b * factor};
}

Colour Grey(float level) {
    return {level, level, level};
}

Canvas::Canvas(int width, int height, Colour background)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("a canvas needs a positive width and height");
}

Colour Canvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        throw std::out_of_range("pixel outside the canvas");
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
}

void Canvas::Blend(int x, int y, Colour colour, float opacity) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || opacity <= 0)
        return;
    Colour& pixel = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)];
    pixel = Mix(pixel, colour, std::min(opacity, 1.0f));
}

std::vector<Rgb> Canvas::ToRgb() const {
    auto channel = [](float value) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
    };
    std::vector<Rgb> out;
    out.reserve(pixels_.size());
    for (const Colour& pixel : pixels_)
        out.push_back({channel(pixel.r), channel(pixel.g), channel(pixel.b)});
    return out;
}

}  // namespace nuvik::tools
