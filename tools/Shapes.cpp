#include "tools/Shapes.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace nuvik::tools {

namespace {

float Length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

float Coverage(float distance) {
    return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

float SmoothStep(float edge0, float edge1, float value) {
    float t = std::clamp((value - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Calls `visit(x, y, centreX, centreY)` for every canvas pixel the box touches.
template <typename Visit>
void ForEachPixel(const Canvas& canvas, Box bounds, Visit visit) {
    int left = std::max(0, static_cast<int>(std::floor(bounds.left)));
    int top = std::max(0, static_cast<int>(std::floor(bounds.top)));
    int right = std::min(canvas.Width(), static_cast<int>(std::ceil(bounds.right)));
    int bottom = std::min(canvas.Height(), static_cast<int>(std::ceil(bounds.bottom)));
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            visit(x, y, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
    }
}

Box Expanded(Box box, float amount) {
    return {box.left - amount, box.top - amount, box.right + amount, box.bottom + amount};
}

}  // namespace

Shape RoundedBox(Box box, CornerRadii radii) {
    float centreX = (box.left + box.right) / 2;
    float centreY = (box.top + box.bottom) / 2;
    float halfWidth = (box.right - box.left) / 2;
    float halfHeight = (box.bottom - box.top) / 2;
    auto distance = [=](float x, float y) {
        float px = x - centreX;
        float py = y - centreY;
        float radius = px < 0 ? (py < 0 ? radii.topLeft : radii.bottomLeft)
                              : (py < 0 ? radii.topRight : radii.bottomRight);
        float qx = std::abs(px) - halfWidth + radius;
        float qy = std::abs(py) - halfHeight + radius;
        return std::min(std::max(qx, qy), 0.0f) + Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) -
               radius;
    };
    return {distance, box};
}

Shape RoundedBox(Box box, float radius) {
    return RoundedBox(box, CornerRadii{radius, radius, radius, radius});
}

Shape Circle(float centreX, float centreY, float radius) {
    auto distance = [=](float x, float y) { return Length(x - centreX, y - centreY) - radius; };
    return {distance, {centreX - radius, centreY - radius, centreX + radius, centreY + radius}};
}

Shape Capsule(float x0, float y0, float x1, float y1, float radius) {
    auto distance = [=](float x, float y) {
        float ax = x - x0;
        float ay = y - y0;
        float bx = x1 - x0;
        float by = y1 - y0;
        float along = std::clamp((ax * bx + ay * by) / (bx * bx + by * by), 0.0f, 1.0f);
        return Length(ax - bx * along, ay - by * along) - radius;
    };
    return {distance,
            {std::min(x0, x1) - radius, std::min(y0, y1) - radius, std::max(x0, x1) + radius,
             std::max(y0, y1) + radius}};
}

Shape Triangle(float x0, float y0, float x1, float y1, float x2, float y2) {
    // The largest distance to the three edge lines: exact along the edges, which is all the
    // anti-aliasing looks at; corners come out sharp.
    auto edge = [](float ax, float ay, float bx, float by, float x, float y) {
        float ex = bx - ax;
        float ey = by - ay;
        float length = Length(ex, ey);
        return ((x - ax) * ey - (y - ay) * ex) / length;
    };
    auto distance = [=](float x, float y) {
        return std::max(
            {edge(x0, y0, x1, y1, x, y), edge(x1, y1, x2, y2, x, y), edge(x2, y2, x0, y0, x, y)});
    };
    return {distance,
            {std::min({x0, x1, x2}), std::min({y0, y1, y2}), std::max({x0, x1, x2}),
             std::max({y0, y1, y2})}};
}

Shape Union(Shape first, Shape second) {
    Box bounds{std::min(first.bounds.left, second.bounds.left),
               std::min(first.bounds.top, second.bounds.top),
               std::max(first.bounds.right, second.bounds.right),
               std::max(first.bounds.bottom, second.bounds.bottom)};
    auto distance = [a = std::move(first.distance), b = std::move(second.distance)](
                        float x, float y) { return std::min(a(x, y), b(x, y)); };
    return {distance, bounds};
}

Shape Moved(Shape shape, float dx, float dy) {
    Box bounds{shape.bounds.left + dx, shape.bounds.top + dy, shape.bounds.right + dx,
               shape.bounds.bottom + dy};
    auto distance = [inner = std::move(shape.distance), dx, dy](float x, float y) {
        return inner(x - dx, y - dy);
    };
    return {distance, bounds};
}

Shape Grown(Shape shape, float amount) {
    Box bounds = Expanded(shape.bounds, std::max(amount, 0.0f));
    auto distance = [inner = std::move(shape.distance), amount](float x, float y) {
        return inner(x, y) - amount;
    };
    return {distance, bounds};
}

Paint Solid(Colour colour) {
    return [colour](float, float) { return colour; };
}

Paint VerticalGradient(float top, Colour topColour, float bottom, Colour bottomColour) {
    return [=](float, float y) {
        return Mix(topColour, bottomColour, std::clamp((y - top) / (bottom - top), 0.0f, 1.0f));
    };
}

void Fill(Canvas& canvas, const Shape& shape, const Paint& paint, float opacity) {
    ForEachPixel(canvas, shape.bounds, [&](int x, int y, float cx, float cy) {
        float cover = Coverage(shape.distance(cx, cy));
        if (cover > 0)
            canvas.Blend(x, y, paint(cx, cy), cover * opacity);
    });
}

void FillWithRelief(Canvas& canvas, const Shape& shape, const Paint& paint, Relief relief) {
    // Light from the upper left and somewhat in front; a flat surface keeps its colour.
    const float lightX = -0.45f;
    const float lightY = -0.65f;
    const float lightZ = 1.0f;
    const float lightLength = Length(Length(lightX, lightY), lightZ);
    const float flatBrightness = lightZ / lightLength;
    ForEachPixel(canvas, shape.bounds, [&](int x, int y, float cx, float cy) {
        float distance = shape.distance(cx, cy);
        float cover = Coverage(distance);
        if (cover <= 0)
            return;
        Colour colour = paint(cx, cy);
        float depth = -distance;
        if (depth < relief.width) {
            const float step = 0.5f;
            float gx = shape.distance(cx + step, cy) - shape.distance(cx - step, cy);
            float gy = shape.distance(cx, cy + step) - shape.distance(cx, cy - step);
            float gradientLength = Length(gx, gy);
            if (gradientLength > 0) {
                gx /= gradientLength;
                gy /= gradientLength;
            }
            float rise = 1 - std::max(depth, 0.0f) / relief.width;
            float slope = relief.slope * rise * rise * (relief.sunken ? -1.0f : 1.0f);
            // The rim rises inwards, so its normal leans outwards along the gradient.
            float nx = slope * gx;
            float ny = slope * gy;
            float normalLength = Length(Length(nx, ny), 1.0f);
            float brightness = (nx * lightX + ny * lightY + lightZ) / (normalLength * lightLength) /
                               flatBrightness;
            if (brightness >= 1)
                colour = Mix(colour, Grey(255), std::min(1.0f, (brightness - 1) * 1.6f));
            else
                colour = Scaled(colour, brightness);
        }
        canvas.Blend(x, y, colour, cover);
    });
}

void SoftShadow(Canvas& canvas, const Shape& shape, float dx, float dy, float blur, float opacity) {
    Shape moved = Moved(shape, dx, dy);
    ForEachPixel(canvas, Expanded(moved.bounds, blur), [&](int x, int y, float cx, float cy) {
        float darkness = SmoothStep(blur, -blur, moved.distance(cx, cy));
        if (darkness > 0)
            canvas.Blend(x, y, Grey(0), darkness * opacity);
    });
}

void Outline(Canvas& canvas, const Shape& shape, float width, Colour colour, float opacity) {
    ForEachPixel(canvas, Expanded(shape.bounds, width), [&](int x, int y, float cx, float cy) {
        float cover = Coverage(std::abs(shape.distance(cx, cy)) - width / 2);
        if (cover > 0)
            canvas.Blend(x, y, colour, cover * opacity);
    });
}

}  // namespace nuvik::tools
