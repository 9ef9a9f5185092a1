#include "picture.h"

#include <png.h>

bool write_picture(const std::string &path, const Picture &picture, std::string &error)
{
    std::vector<png_byte> bytes(static_cast<size_t>(picture.width) * picture.height * 3);
    for (size_t i = 0; i < picture.rgb.size() && i * 3 < bytes.size(); ++i) {
        bytes[i * 3] = static_cast<png_byte>(picture.rgb[i] >> 16);
        bytes[i * 3 + 1] = static_cast<png_byte>(picture.rgb[i] >> 8);
        bytes[i * 3 + 2] = static_cast<png_byte>(picture.rgb[i]);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr)) {
        error = image.message;
        return false;
    }
    return true;
}

bool read_picture(const std::string &path, Picture &picture, std::string &error)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height);
    for (size_t i = 0; i < picture.rgb.size(); ++i)
        picture.rgb[i] = uint32_t(bytes[i * 3]) << 16 | uint32_t(bytes[i * 3 + 1]) << 8 |
                         bytes[i * 3 + 2];
    return true;
}
