#include "media/bmp_writer.h"

namespace {

void put(std::vector<std::byte>& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(std::byte(value >> (8 * i)));
    }
}

}  // namespace

std::vector<std::byte> write_bmp(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> pixels,
                                 const color_table& colors) {
    constexpr std::uint32_t headers = 14 + 40 + 4 * color_table_capacity;
    const std::uint32_t pitch = (std::uint32_t(width) + 3) & ~3u;
    const std::uint32_t image_size = pitch * std::uint32_t(height);
    std::vector<std::byte> out;
    out.reserve(headers + image_size);
    out.push_back(std::byte{'B'});
    out.push_back(std::byte{'M'});
    put(out, headers + image_size, 4);
    put(out, 0, 4);
    put(out, headers, 4);
    put(out, 40, 4);
    put(out, std::uint32_t(width), 4);
    put(out, std::uint32_t(height), 4);
    put(out, 1, 2);
    put(out, 8, 2);
    put(out, 0, 4);  // uncompressed
    put(out, image_size, 4);
    put(out, 2835, 4);  // 72 dots per inch
    put(out, 2835, 4);
    put(out, color_table_capacity, 4);
    put(out, 0, 4);
    for (const rgb_color& color : colors.colors) {
        out.push_back(std::byte(color.blue >> 8));
        out.push_back(std::byte(color.green >> 8));
        out.push_back(std::byte(color.red >> 8));
        out.push_back(std::byte{0});
    }
    for (std::int32_t row = height - 1; row >= 0; --row) {
        const std::uint8_t* line = pixels.data() + std::size_t(row) * std::size_t(width);
        for (std::int32_t x = 0; x < width; ++x) {
            out.push_back(std::byte(line[x]));
        }
        for (std::uint32_t pad = std::uint32_t(width); pad < pitch; ++pad) {
            out.push_back(std::byte{0});
        }
    }
    return out;
}
