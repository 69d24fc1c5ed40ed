#include "tools/PixelArt.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace nuvik::tools {

MaskedImage PaintPixelArt(const std::vector<std::string_view>& rows,
                          const std::vector<PixelArtLetter>& legend, std::vector<Rgb> palette) {
    if (rows.empty() || rows.front().empty())
        throw std::invalid_argument("pixel art needs at least one pixel");
    int width = static_cast<int>(rows.front().size());
    int height = static_cast<int>(rows.size());
    MaskedImage image{IndexedImage(width, height, std::move(palette)),
                      std::vector<bool>(static_cast<std::size_t>(width * height), false)};
    for (int y = 0; y < height; ++y) {
        std::string_view row = rows[static_cast<std::size_t>(y)];
        if (static_cast<int>(row.size()) != width)
            throw std::invalid_argument("pixel art row " + std::to_string(y) + " is " +
                                        std::to_string(row.size()) + " wide, not " +
                                        std::to_string(width));
        for (int x = 0; x < width; ++x) {
            const PixelArtLetter* found = nullptr;
            for (const PixelArtLetter& entry : legend) {
                if (entry.letter == row[static_cast<std::size_t>(x)])
                    found = &entry;
            }
            if (found == nullptr)
                throw std::invalid_argument(std::string("pixel art letter '") +
                                            row[static_cast<std::size_t>(x)] + "' at row " +
                                            std::to_string(y) + " is not in the legend");
            image.picture.Set(x, y, found->seeThrough ? 0 : found->index);
            image.seeThrough[static_cast<std::size_t>(y * width + x)] = found->seeThrough;
        }
    }
    return image;
}

}  // namespace nuvik::tools
