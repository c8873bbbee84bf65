#include "media/bmp_reader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::int64_t file_header_size = 14;
constexpr std::int64_t information_header_size = 40;  // the smallest header of the Windows family
constexpr int palette_capacity = 256;

std::uint32_t load_little_endian(std::span<const std::byte> bytes, std::int64_t offset, int width) {
    std::uint32_t value = 0;
    for (int index = width - 1; index >= 0; --index) {
        value = (value << 8) | std::to_integer<std::uint32_t>(bytes[std::size_t(offset + index)]);
    }
    return value;
}

struct information_header {
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t planes;
    std::uint16_t bit_count;
    std::uint32_t compression;
    std::uint32_t colors_used;
};

information_header load_information_header(std::span<const std::byte> file) {
    const std::int64_t at = file_header_size;
    return information_header{load_little_endian(file, at, 4),
                              std::int32_t(load_little_endian(file, at + 4, 4)),
                              std::int32_t(load_little_endian(file, at + 8, 4)),
                              std::uint16_t(load_little_endian(file, at + 12, 2)),
                              std::uint16_t(load_little_endian(file, at + 14, 2)),
                              load_little_endian(file, at + 16, 4),
                              load_little_endian(file, at + 32, 4)};
}

}  // namespace

bmp_read_result read_bmp(std::span<const std::byte> file, std::int32_t maximum_width, std::int32_t maximum_height) {
    bmp_read_result result;
    const std::int64_t file_size = std::int64_t(file.size());
    if (file_size < file_header_size) {
        result.problem = bmp_problem::truncated;
        return result;
    }
    if (file[0] != std::byte{'B'} || file[1] != std::byte{'M'}) {
        result.problem = bmp_problem::not_a_bitmap;
        return result;
    }
    if (file_size < file_header_size + information_header_size) {
        result.problem = bmp_problem::truncated;
        return result;
    }
    const information_header header = load_information_header(file);
    if (header.size < information_header_size || header.planes != 1 || header.bit_count != 8 ||
        header.compression != 0) {
        result.problem = bmp_problem::unsupported_format;
        return result;
    }
    if (header.width <= 0 || header.height == 0 || header.height == INT32_MIN) {
        result.problem = bmp_problem::not_a_bitmap;
        return result;
    }
    // A colour count of 0 means a full palette; more than the depth can index is taken as full.
    const std::int64_t color_count =
        header.colors_used == 0 ? palette_capacity : std::min<std::int64_t>(header.colors_used, palette_capacity);
    const std::int64_t palette_offset = file_header_size + std::int64_t(header.size);
    const std::int64_t row_size = (std::int64_t(header.width) + 3) / 4 * 4;
    const std::int64_t row_count = header.height < 0 ? -std::int64_t(header.height) : std::int64_t(header.height);
    const std::int64_t pixel_offset = load_little_endian(file, 10, 4);
    if (palette_offset + 4 * color_count > file_size || pixel_offset + row_size * row_count > file_size) {
        result.problem = bmp_problem::truncated;
        return result;
    }

    bmp_image& image = result.image;
    image.width = header.width;
    image.height = std::int32_t(row_count);
    for (std::int64_t index = 0; index < color_count; ++index) {
        const std::int64_t entry = palette_offset + 4 * index;  // blue, green, red, reserved
        image.palette[std::size_t(index)] = bmp_color{std::to_integer<std::uint8_t>(file[std::size_t(entry + 2)]),
                                                      std::to_integer<std::uint8_t>(file[std::size_t(entry + 1)]),
                                                      std::to_integer<std::uint8_t>(file[std::size_t(entry)])};
    }
    image.crop_width = std::clamp(maximum_width, 0, image.width);
    image.crop_height = std::clamp(maximum_height, 0, image.height);
    image.pixels.resize(std::size_t(image.crop_width) * std::size_t(image.crop_height));
    const bool bottom_up = header.height > 0;
    for (std::int64_t row = 0; image.crop_width > 0 && row < image.crop_height; ++row) {
        const std::int64_t stored_row = bottom_up ? row_count - 1 - row : row;
        std::memcpy(&image.pixels[std::size_t(row * image.crop_width)],
                    &file[std::size_t(pixel_offset + stored_row * row_size)], std::size_t(image.crop_width));
    }
    return result;
}
