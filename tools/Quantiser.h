// Reduction of a true-colour picture to a 256-entry colour table.
#pragma once

#include <vector>

#include "tools/IndexedImage.h"

namespace nuvik::tools {

// Median cut over the picture's colours weighted by how often they occur, refined by a few
// nearest-colour passes; every colour of `exact` (black for the screen opening, say) is in
// the table unchanged. Colours are then mapped to their nearest entry without dithering, so
// flat areas stay flat. The table is sorted by brightness and padded with black to 256
// entries. The same input always gives the same output.
IndexedImage QuantiseTo256(int width, int height, const std::vector<Rgb>& pixels,
                           const std::vector<Rgb>& exact);

}  // namespace nuvik::tools
