#include "tools/IconFiles.h"

#include <stdexcept>

#include "tools/DibEncoding.h"

namespace nuvik::tools {

namespace {

constexpr std::uint32_t kIconType = 1;
constexpr std::uint32_t kCursorType = 2;
constexpr std::uint32_t kDirectorySize = 6 + 16;

Bytes EncodeImage(const MaskedImage& image, int bitsPerPixel) {
    const IndexedImage& picture = image.picture;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        if (image.seeThrough.at(i) && picture.pixels[i] != 0)
            throw std::invalid_argument("see-through pixels must hold colour index 0");
    }
    Bytes colours = EncodeColourTable(picture.palette, bitsPerPixel);
    Bytes colourBits = EncodeDibRows(picture, bitsPerPixel);
    Bytes maskBits = EncodeMaskRows(image.seeThrough, picture.width, picture.height);
    ByteWriter out;
    out.Append(EncodeInfoHeader(picture.width, picture.height * 2, bitsPerPixel,
                                static_cast<std::uint32_t>(colourBits.size() + maskBits.size())));
    out.Append(colours);
    out.Append(colourBits);
    out.Append(maskBits);
    return out.Take();
}

// The entry's width and height bytes hold 0 for 256; the fields after the colour count are
// planes and bit count for an icon, the hot spot for a cursor.
Bytes EncodeFile(const MaskedImage& image, int bitsPerPixel, std::uint32_t type,
                 std::uint32_t field1, std::uint32_t field2) {
    const IndexedImage& picture = image.picture;
    if (picture.width > 256 || picture.height > 256)
        throw std::invalid_argument("icons and cursors are at most 256 pixels wide and high");
    Bytes body = EncodeImage(image, bitsPerPixel);
    ByteWriter out;
    out.U16(0);
    out.U16(type);
    out.U16(1);
    out.U8(static_cast<std::uint32_t>(picture.width) & 0xFF);
    out.U8(static_cast<std::uint32_t>(picture.height) & 0xFF);
    out.U8(bitsPerPixel >= 8 ? 0 : 1u << bitsPerPixel);
    out.U8(0);
    out.U16(field1);
    out.U16(field2);
    out.U32(static_cast<std::uint32_t>(body.size()));
    out.U32(kDirectorySize);
    out.Append(body);
    return out.Take();
}

}  // namespace

Bytes EncodeIconFile(const MaskedImage& image, int bitsPerPixel) {
    return EncodeFile(image, bitsPerPixel, kIconType, 1, static_cast<std::uint32_t>(bitsPerPixel));
}

Bytes EncodeCursorFile(const MaskedImage& image, int bitsPerPixel, int hotX, int hotY) {
    if (hotX < 0 || hotY < 0 || hotX >= image.picture.width || hotY >= image.picture.height)
        throw std::invalid_argument("the hot spot lies outside the cursor");
    return EncodeFile(image, bitsPerPixel, kCursorType, static_cast<std::uint32_t>(hotX),
                      static_cast<std::uint32_t>(hotY));
}

}  // namespace nuvik::tools
