#include "tools/DibEncoding.h"

#include <stdexcept>

namespace nuvik::tools {

namespace {

std::size_t RowStride(int width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) *
           4;
}

void CheckBitsPerPixel(int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8)
        throw std::invalid_argument("only 1, 4 and 8 bits per pixel are written");
}

}  // namespace

Bytes EncodeDibRows(const IndexedImage& image, int bitsPerPixel) {
    CheckBitsPerPixel(bitsPerPixel);
    if (image.palette.size() > (std::size_t{1} << bitsPerPixel))
        throw std::invalid_argument("the palette does not fit the pixel depth");
    std::size_t stride = RowStride(image.width, bitsPerPixel);
    Bytes bits(stride * static_cast<std::size_t>(image.height), 0);
    int perByte = 8 / bitsPerPixel;
    for (int y = 0; y < image.height; ++y) {
        std::size_t row = static_cast<std::size_t>(image.height - 1 - y) * stride;
        for (int x = 0; x < image.width; ++x) {
            int shift = 8 - bitsPerPixel * (x % perByte + 1);
            bits[row + static_cast<std::size_t>(x / perByte)] |=
                static_cast<std::uint8_t>(image.At(x, y) << shift);
        }
    }
    return bits;
}

Bytes EncodeMaskRows(const std::vector<bool>& seeThrough, int width, int height) {
    if (seeThrough.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("the mask does not match the image size");
    std::size_t stride = RowStride(width, 1);
    Bytes bits(stride * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        std::size_t row = static_cast<std::size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            if (seeThrough[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)])
                bits[row + static_cast<std::size_t>(x / 8)] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    }
    return bits;
}

Bytes EncodeColourTable(const std::vector<Rgb>& palette, int bitsPerPixel) {
    CheckBitsPerPixel(bitsPerPixel);
    std::size_t entries = std::size_t{1} << bitsPerPixel;
    if (palette.size() > entries)
        throw std::invalid_argument("the palette does not fit the pixel depth");
    ByteWriter out;
    for (std::size_t i = 0; i < entries; ++i) {
        Rgb colour = i < palette.size() ? palette[i] : Rgb{};
        out.U8(colour.b);
        out.U8(colour.g);
        out.U8(colour.r);
        out.U8(0);
    }
    return out.Take();
}

Bytes EncodeInfoHeader(int width, int heightField, int bitsPerPixel, std::uint32_t imageSize) {
    ByteWriter out;
    out.U32(kBitmapInfoHeaderSize);
    out.U32(static_cast<std::uint32_t>(width));
    out.U32(static_cast<std::uint32_t>(heightField));
    out.U16(1);  // planes
    out.U16(static_cast<std::uint32_t>(bitsPerPixel));
    out.U32(0);  // uncompressed
    out.U32(imageSize);
    out.U32(0);  // no preferred resolution
    out.U32(0);
    out.U32(0);  // the whole colour table is used
    out.U32(0);
    return out.Take();
}

Bytes EncodeBmpFile(const IndexedImage& image, int bitsPerPixel) {
    Bytes colours = EncodeColourTable(image.palette, bitsPerPixel);
    Bytes bits = EncodeDibRows(image, bitsPerPixel);
    auto bitsOffset =
        static_cast<std::uint32_t>(kBitmapFileHeaderSize + kBitmapInfoHeaderSize + colours.size());
    ByteWriter out;
    out.U8('B');
    out.U8('M');
    out.U32(bitsOffset + static_cast<std::uint32_t>(bits.size()));
    out.U16(0);
    out.U16(0);
    out.U32(bitsOffset);
    out.Append(EncodeInfoHeader(image.width, image.height, bitsPerPixel,
                                static_cast<std::uint32_t>(bits.size())));
    out.Append(colours);
    out.Append(bits);
    return out.Take();
}

}  // namespace nuvik::tools
