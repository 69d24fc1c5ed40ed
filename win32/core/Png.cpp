#include "win32/platform/Png.h"

#include <png.h>

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

bool Write(const RgbImage& image, const std::string& path, std::string* error) {
    // The simplified API keeps libpng's longjmp error handling out of this function.
    png_image encoded{};
    encoded.version = PNG_IMAGE_VERSION;
    encoded.width = static_cast<png_uint_32>(image.width);
    encoded.height = static_cast<png_uint_32>(image.height);
    encoded.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&encoded, path.c_str(), 0, image.rgb.data(), 0, nullptr)) {
        if (error)
            *error = "cannot write " + path + ": " + encoded.message;
        png_image_free(&encoded);
        return false;
    }
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
