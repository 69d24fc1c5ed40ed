// Converts a palette .bmp into a PNG for looking at: bmp_to_png INPUT.bmp OUTPUT.png
#include <cstdio>
#include <string>

#include "tools/Bytes.h"
#include "tools/DibDecoding.h"
#include "win32/platform/Png.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT.bmp OUTPUT.png\n", argv[0]);
        return 2;
    }
    nuvik::tools::Bytes file;
    nuvik::tools::IndexedImage image;
    std::string error;
    if (!nuvik::tools::ReadWholeFile(argv[1], &file, &error) ||
        !nuvik::tools::DecodeBmpFile(file, &image, &error)) {
        std::fprintf(stderr, "bmp_to_png: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    win32::png::RgbImage rgb;
    rgb.width = image.width;
    rgb.height = image.height;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            nuvik::tools::Rgb colour = image.ColourAt(x, y);
            rgb.rgb.insert(rgb.rgb.end(), {colour.r, colour.g, colour.b});
        }
    }
    if (!win32::png::Write(rgb, argv[2], &error)) {
        std::fprintf(stderr, "bmp_to_png: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
