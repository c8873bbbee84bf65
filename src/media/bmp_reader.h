#pragma once

// Reading 8-bit uncompressed Windows bitmaps (BMP) from their bytes. The bytes
// are untrusted: every size, offset and count is checked against the file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct bmp_color {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

enum class bmp_problem {
    none,
    not_a_bitmap,        // no "BM" signature, or a size that makes no picture
    unsupported_format,  // not 8 bits per pixel, not uncompressed, or another header family
    truncated,           // the file ends before the headers, the palette or the pixels
};

struct bmp_image {
    std::int32_t width = 0;   // of the picture in the file
    std::int32_t height = 0;  // rows, whichever order they are stored in
    // Entries beyond the header's colour count are black.
    std::array<bmp_color, 256> palette{};
    // The top-left crop_width x crop_height pixels (no more than the picture
    // has), top row first.
    std::int32_t crop_width = 0;
    std::int32_t crop_height = 0;
    std::vector<std::uint8_t> pixels;
};

struct bmp_read_result {
    bmp_problem problem = bmp_problem::none;
    bmp_image image;
};

// Reads the file; only the top-left maximum_width x maximum_height pixels are
// kept, but the whole pixel array must be present.
bmp_read_result read_bmp(std::span<const std::byte> file, std::int32_t maximum_width, std::int32_t maximum_height);
