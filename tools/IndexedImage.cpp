#include "tools/IndexedImage.h"

#include <stdexcept>
#include <utility>

namespace nuvik::tools {

IndexedImage::IndexedImage(int imageWidth, int imageHeight, std::vector<Rgb> colours)
    : width(imageWidth),
      height(imageHeight),
      palette(std::move(colours)),
      pixels(static_cast<std::size_t>(imageWidth) * static_cast<std::size_t>(imageHeight), 0) {
    if (imageWidth <= 0 || imageHeight <= 0)
        throw std::invalid_argument("an image needs a positive width and height");
}

std::uint8_t IndexedImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        throw std::out_of_range("pixel outside the image");
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
}

void IndexedImage::Set(int x, int y, std::uint8_t index) {
    if (x < 0 || y < 0 || x >= width || y >= height)
        throw std::out_of_range("pixel outside the image");
    if (index >= palette.size())
        throw std::out_of_range("colour index outside the palette");
    pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x)] = index;
}

std::vector<Rgb> StandardPalette16() {
    return {
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
        {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
}

}  // namespace nuvik::tools
