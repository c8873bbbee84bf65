#pragma once

// Windows bitmap files built by hand for the reader and import tests.

#include <cstdint>
#include <string>
#include <vector>

namespace media_test {

struct BmpFile {
    std::int32_t width = 1;
    std::int32_t height = 1;  // positive: rows stored bottom-up
    std::uint16_t planes = 1;
    std::uint16_t bit_count = 8;
    std::uint32_t compression = 0;
    std::uint32_t header_size = 40;
    std::uint32_t colors_used = 0;
    std::uint32_t palette_entries = 256;
    std::vector<std::uint8_t> pixels;  // width * |height|, top row first

    // Palette entry i is red i, green 255 - i, blue i / 2.
    std::vector<std::byte> bytes() const {
        std::vector<std::byte> file;
        auto put = [&file](std::uint32_t value, int width) {
            for (int index = 0; index < width; ++index) {
                file.push_back(std::byte((value >> (8 * index)) & 0xFF));
            }
        };
        // Only the rows the pixels fill are stored, so that headers with
        // impossible sizes stay small files.
        const std::uint32_t row_size = width > 0 ? (std::uint32_t(width) + 3) / 4 * 4 : 0;
        const std::uint32_t rows = width > 0 ? std::uint32_t(pixels.size() / std::size_t(width)) : 0;
        const std::uint32_t pixel_offset = 14 + header_size + 4 * palette_entries;
        file.push_back(std::byte{'B'});
        file.push_back(std::byte{'M'});
        put(pixel_offset + row_size * rows, 4);
        put(0, 4);
        put(pixel_offset, 4);
        put(header_size, 4);
        put(std::uint32_t(width), 4);
        put(std::uint32_t(height), 4);
        put(planes, 2);
        put(bit_count, 2);
        put(compression, 4);
        put(row_size * rows, 4);
        put(2835, 4);
        put(2835, 4);
        put(colors_used, 4);
        put(0, 4);
        file.resize(14 + header_size);
        for (std::uint32_t index = 0; index < palette_entries; ++index) {
            put((index / 2) | ((255 - index % 256) << 8) | ((index % 256) << 16), 4);
        }
        for (std::uint32_t stored = 0; stored < rows; ++stored) {
            const std::uint32_t row = height > 0 ? rows - 1 - stored : stored;
            for (std::uint32_t column = 0; column < row_size; ++column) {
                const std::size_t index = std::size_t(row) * std::size_t(width) + column;
                file.push_back(column < std::uint32_t(width) && index < pixels.size() ? std::byte(pixels[index])
                                                                                       : std::byte{0});
            }
        }
        return file;
    }
};

// A picture whose pixel at (x, y) is (3 * x + 5 * y) % 256.
inline std::vector<std::uint8_t> ramp_pixels(int width, int height) {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(std::uint8_t((3 * x + 5 * y) % 256));
        }
    }
    return pixels;
}

inline BmpFile ramp_bmp(int width, int height) {
    BmpFile file;
    file.width = width;
    file.height = height;
    file.pixels = ramp_pixels(width, height < 0 ? -height : height);
    return file;
}

}  // namespace media_test
