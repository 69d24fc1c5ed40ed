// Anti-aliased shapes described by signed distance (negative inside, in pixels), and the ways
// the console artwork paints them: flat, with a raised or sunken rim lit from the upper left,
// as a soft shadow, or as an outline.
#pragma once

#include <functional>

#include "tools/Canvas.h"

namespace nuvik::tools {

// Pixel edges: a box from left to right covers the pixels left .. right - 1.
struct Box {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

struct CornerRadii {
    float topLeft = 0;
    float topRight = 0;
    float bottomRight = 0;
    float bottomLeft = 0;
};

struct Shape {
    std::function<float(float x, float y)> distance;
    Box bounds;  // nothing of the shape lies outside
};

Shape RoundedBox(Box box, CornerRadii radii);
Shape RoundedBox(Box box, float radius);
Shape Circle(float centreX, float centreY, float radius);
// A stroke of the given radius around the segment from (x0, y0) to (x1, y1).
Shape Capsule(float x0, float y0, float x1, float y1, float radius);
// A triangle with corners listed clockwise on screen (y grows downwards).
Shape Triangle(float x0, float y0, float x1, float y1, float x2, float y2);
Shape Union(Shape first, Shape second);
Shape Moved(Shape shape, float dx, float dy);
// Grown outwards by `amount` pixels (inwards when negative).
Shape Grown(Shape shape, float amount);

using Paint = std::function<Colour(float x, float y)>;
Paint Solid(Colour colour);
Paint VerticalGradient(float top, Colour topColour, float bottom, Colour bottomColour);

void Fill(Canvas& canvas, const Shape& shape, const Paint& paint, float opacity = 1);

// A rim `width` pixels wide whose slope at the edge is `slope` (height per pixel); flat parts
// keep the paint's colour, slopes facing the light brighten towards white, the others darken.
struct Relief {
    float width = 3;
    float slope = 1;
    bool sunken = false;
};
void FillWithRelief(Canvas& canvas, const Shape& shape, const Paint& paint, Relief relief);

// The shape moved by (dx, dy) and blurred over about `blur` pixels, darkening what is below.
void SoftShadow(Canvas& canvas, const Shape& shape, float dx, float dy, float blur, float opacity);

// A line of the given width centred on the shape's edge.
void Outline(Canvas& canvas, const Shape& shape, float width, Colour colour, float opacity = 1);

}  // namespace nuvik::tools
