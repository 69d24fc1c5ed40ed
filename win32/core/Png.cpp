#include "win32/platform/Png.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace win32::png {

RgbImage ToRgb(const PixelBuffer& buffer) {
    RgbImage image;
    image.width = buffer.width;
    image.height = buffer.height;
    image.rgb.resize(static_cast<std::size_t>(buffer.width) * buffer.height * 3);
    std::size_t at = 0;
    for (int y = 0; y < buffer.height; ++y) {
        for (int x = 0; x < buffer.width; ++x) {
            COLORREF color = UnpackColor(buffer.format, ReadPixel(buffer, x, y));
            image.rgb[at++] = GetRValue(color);
            image.rgb[at++] = GetGValue(color);
            image.rgb[at++] = GetBValue(color);
        }
    }
    return image;
}

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

bool Write(const RgbImage& image, const std::string& path, std::string* error) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        if (error)
            *error = "cannot open " + path + " for writing";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        if (error)
            *error = "out of memory writing " + path;
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        if (error)
            *error = "cannot write " + path;
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        png_write_row(png, image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool Read(const std::string& path, RgbImage* image, std::string* error) {
    png_image decoded{};
    decoded.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&decoded, path.c_str())) {
        if (error)
            *error = "cannot read " + path + ": " + decoded.message;
        return false;
    }
    decoded.format = PNG_FORMAT_RGB;
    image->width = static_cast<int>(decoded.width);
    image->height = static_cast<int>(decoded.height);
    image->rgb.resize(PNG_IMAGE_SIZE(decoded));
    if (!png_image_finish_read(&decoded, nullptr, image->rgb.data(), 0, nullptr)) {
        if (error)
            *error = "cannot decode " + path + ": " + decoded.message;
        png_image_free(&decoded);
        return false;
    }
    return true;
}

}  // namespace win32::png
