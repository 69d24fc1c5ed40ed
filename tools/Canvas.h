// A floating-point RGB picture that the console artwork is painted on before it is reduced to
// 256 colours. Channels run from 0 to 255.
#pragma once

#include <vector>

#include "tools/IndexedImage.h"

namespace nuvik::tools {

struct Colour {
    float r = 0;
    float g = 0;
    float b = 0;
};

Colour Mix(Colour from, Colour to, float amount);
Colour Scaled(Colour colour, float factor);
Colour Grey(float level);

class Canvas {
  public:
    Canvas(int width, int height, Colour background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour Get(int x, int y) const;
    // Lays `colour` over the pixel with the given opacity (0 to 1); outside pixels are ignored.
    void Blend(int x, int y, Colour colour, float opacity);
    // Each channel rounded to the nearest of 0..255.
    std::vector<Rgb> ToRgb() const;

  private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

}  // namespace nuvik::tools
