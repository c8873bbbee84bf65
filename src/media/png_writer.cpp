#include "media/png_writer.h"

#include <png.h>

std::optional<std::vector<std::byte>> write_png(const rgba_picture& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != std::size_t(picture.width) * std::size_t(picture.height)) {
        return std::nullopt;
    }
    // The simplified interface reports failures in its structure instead of
    // jumping out of the caller with longjmp.
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, picture.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    std::vector<std::byte> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}
