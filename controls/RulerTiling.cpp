#include "controls/RulerTiling.h"

#include <algorithm>

#include "forms/Bitmap.h"

namespace controls {

std::vector<TRulerPiece> RulerPieces(int rulerLength, int pictureLength, int edgeSize) {
    std::vector<TRulerPiece> pieces;
    if (rulerLength <= 0 || pictureLength <= 0)
        return pieces;
    int edge = std::clamp(edgeSize, 0, (pictureLength - 1) / 2);
    int fill = rulerLength - 2 * edge;
    int tile = pictureLength - 2 * edge;
    // Integer division truncates toward zero, as the count rule expects for short rulers.
    int count = std::max(fill / tile + 1, 1);
    int rest = fill % tile;
    for (int i = 0; i < count; ++i) {
        TRulerPiece piece;
        if (i == 0) {
            piece = {0, 0, pictureLength - edge};
        } else if (i < count - 1) {
            piece = {edge, edge + i * tile, tile};
        } else {
            piece = {edge + tile - rest, edge + i * tile, edge + rest};
        }
        piece.length = std::min(piece.length, rulerLength - piece.dest);
        if (piece.length > 0)
            pieces.push_back(piece);
    }
    return pieces;
}

void BuildRulerImage(forms::TBitmap& ruler, forms::TBitmap& picture, bool vertical, int rulerLength,
                     int edgeSize) {
    int length = std::max(rulerLength, 0);
    int thickness = vertical ? picture.Width() : picture.Height();
    if (vertical)
        ruler.SetSize(thickness, length);
    else
        ruler.SetSize(length, thickness);
    if (ruler.Empty() || picture.Empty())
        return;
    forms::TCanvas* target = ruler.Canvas();
    target->Brush()->SetColor(picture.TransparentColor());
    target->FillRect(RECT{0, 0, ruler.Width(), ruler.Height()});
    int pictureLength = vertical ? picture.Height() : picture.Width();
    for (const TRulerPiece& piece : RulerPieces(length, pictureLength, edgeSize)) {
        RECT source = vertical ? RECT{0, piece.source, thickness, piece.source + piece.length}
                               : RECT{piece.source, 0, piece.source + piece.length, thickness};
        RECT dest = vertical ? RECT{0, piece.dest, thickness, piece.dest + piece.length}
                             : RECT{piece.dest, 0, piece.dest + piece.length, thickness};
        target->CopyRect(dest, picture.Canvas(), source);
    }
}

}  // namespace controls
