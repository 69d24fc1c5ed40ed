// How the ruler picture is stretched to the control's length: its first and last EdgeSize
// pixels are end caps, its middle is repeated, and every piece is copied pixel for pixel at
// the picture's full thickness.
#pragma once

#include <vector>

namespace forms {
class TBitmap;
}

namespace controls {

// One copy along the ruler's axis: `length` pixels from `source` in the picture to `dest` in
// the ruler.
struct TRulerPiece {
    int source = 0;
    int dest = 0;
    int length = 0;

    bool operator==(const TRulerPiece&) const = default;
};

// The pieces of a ruler `rulerLength` long made from a picture `pictureLength` long with end
// caps `edgeSize` long: the leading cap with one tile, further tiles, then the end of the last
// tile with the trailing cap. A ruler shorter than the picture gets only the first piece, cut
// at its length. Caps too long for the picture (a picture replaced after EdgeSize was set) are
// shortened so that at least one pixel is left to repeat.
std::vector<TRulerPiece> RulerPieces(int rulerLength, int pictureLength, int edgeSize);

// Makes `ruler` `rulerLength` long along the axis (columns when horizontal, rows when
// vertical) and as thick as `picture`, and fills it with the pieces. Pixels no piece covers
// take the picture's transparent colour.
void BuildRulerImage(forms::TBitmap& ruler, forms::TBitmap& picture, bool vertical, int rulerLength,
                     int edgeSize);

}  // namespace controls
