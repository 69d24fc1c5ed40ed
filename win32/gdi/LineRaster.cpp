#include "gdi/LineRaster.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "gdi/Raster.h"

namespace win32::gdi {

namespace {

// Products of a step count and a length reach 2^66 for lines between far-off points.
__extension__ typedef __int128 Wide;

// On/off run lengths of the dash styles, in pixels.
std::vector<int> DashPattern(int style) {
    switch (style) {
        case PS_DASH:
            return {18, 6};
        case PS_DOT:
            return {3, 3};
        case PS_DASHDOT:
            return {9, 6, 3, 6};
        case PS_DASHDOTDOT:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

bool DashOn(const std::vector<int>& pattern, int period, std::int64_t position) {
    if (pattern.empty())
        return true;
    auto at = static_cast<int>(position % period);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (at < pattern[i])
            return i % 2 == 0;
        at -= pattern[i];
    }
    return true;
}

// [first, last) of steps i in [0, count) whose coordinate start + step * i lies in [lo, hi).
void StepRange(std::int64_t start, int step, std::int64_t lo, std::int64_t hi, std::int64_t count,
               std::int64_t* first, std::int64_t* last) {
    std::int64_t a;
    std::int64_t b;
    if (step > 0) {
        a = lo - start;
        b = hi - start;
    } else {
        a = start - hi + 1;
        b = start - lo + 1;
    }
    *first = std::max<std::int64_t>(a, 0);
    *last = std::min<std::int64_t>(b, count);
}

}  // namespace

void DrawLine(DeviceContext& dc, const Pen& pen, std::int64_t x0, std::int64_t y0, std::int64_t x1,
              std::int64_t y1, std::int64_t* phase) {
    std::int64_t dx = x1 - x0;
    std::int64_t dy = y1 - y0;
    std::int64_t adx = std::llabs(dx);
    std::int64_t ady = std::llabs(dy);
    std::int64_t count = std::max(adx, ady);
    std::int64_t startPhase = *phase;
    *phase += count;
    if (count == 0 || pen.IsNull())
        return;

    const Surface& target = dc.Target();
    const RectSet& clip = dc.Clip();
    if (clip.IsEmpty())
        return;
    int width = std::max(pen.width, 1);
    int before = (width - 1) / 2;
    int after = width / 2;
    RECT bounds = clip.Bounds();
    // Pixels whose stamp may reach the clip region.
    std::int64_t lo[2] = {std::int64_t{bounds.left} - after, std::int64_t{bounds.top} - after};
    std::int64_t hi[2] = {std::int64_t{bounds.right} + before,
                          std::int64_t{bounds.bottom} + before};

    bool xMajor = adx >= ady;
    std::int64_t major0 = xMajor ? x0 : y0;
    std::int64_t minor0 = xMajor ? y0 : x0;
    int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    int minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
    std::int64_t majorLength = xMajor ? adx : ady;
    std::int64_t minorLength = xMajor ? ady : adx;
    std::int64_t first;
    std::int64_t last;
    StepRange(major0, majorStep, lo[xMajor ? 0 : 1], hi[xMajor ? 0 : 1], count, &first, &last);

    PixelCodec codec(target);
    DWORD penValue = codec.Pack(pen.color);
    DWORD gapValue = codec.Pack(dc.state.bkColor);
    bool drawGaps = dc.state.bkMode == OPAQUE;
    std::vector<int> pattern = DashPattern(pen.style);
    int period = 0;
    for (int run : pattern)
        period += run;
    int rop2 = dc.state.rop2;

    RECT touched{0, 0, 0, 0};
    for (std::int64_t i = first; i < last; ++i) {
        std::int64_t major = major0 + majorStep * i;
        // Nearest minor coordinate; an exact half stays on the start point's side, as
        // Bresenham's error term with a strict comparison does.
        auto offset = static_cast<std::int64_t>((Wide{2} * i * minorLength + majorLength - 1) /
                                                (Wide{2} * majorLength));
        std::int64_t minor = minor0 + minorStep * offset;
        std::int64_t x = xMajor ? major : minor;
        std::int64_t y = xMajor ? minor : major;
        bool on = DashOn(pattern, period, startPhase + i);
        if (!on && !drawGaps)
            continue;
        DWORD value = on ? penValue : gapValue;
        if (width == 1) {
            for (const RECT& c : clip) {
                if (x >= c.left && x < c.right && y >= c.top && y < c.bottom) {
                    auto px = static_cast<int>(x);
                    auto py = static_cast<int>(y);
                    Rop2Span(target, py, px, px + 1, rop2, value);
                    touched = BoundingUnion(touched, RECT{px, py, px + 1, py + 1});
                    break;
                }
            }
            continue;
        }
        Box stamp{x - before, y - before, x + after + 1, y + after + 1};
        for (const RECT& c : clip) {
            RECT piece = ClipBox(stamp, c);
            if (IsEmptyRect(piece))
                continue;
            for (int py = piece.top; py < piece.bottom; ++py)
                Rop2Span(target, py, piece.left, piece.right, rop2, value);
            touched = BoundingUnion(touched, piece);
        }
    }
    dc.NoteDrawn(touched);
}

}  // namespace win32::gdi
