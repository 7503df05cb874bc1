// PNG output through libpng's simplified API.
#include "tools/png/SavePng.h"

#include <png.h>

bool savePng(const std::string& path, int width, int height,
             const std::vector<unsigned char>& rgb) {
    if (width <= 0 || height <= 0 || rgb.size() < static_cast<std::size_t>(width) * height * 3)
        return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr) != 0;
}
