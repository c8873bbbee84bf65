#pragma once

// Expanding a collection's bitmap into one colour index per pixel. Handles
// unencoded and run-encoded rows, one or two bytes per pixel (two-byte pixels
// keep their colour index in the low byte), with or without a row table. The
// bytes are untrusted: a bitmap whose header, rows or spans do not fit its data
// is refused as a whole.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "media/collection_format.h"

struct expanded_bitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> indexes;  // width * height, top row first; 0 is transparent
};

// Run-encoded rows can describe a huge, mostly transparent picture in a few
// bytes; no sprite comes near this many pixels (4096 x 4096).
inline constexpr std::int64_t expanded_bitmap_maximum_pixels = std::int64_t(1) << 24;

// bitmap_data: the bytes of one bitmap, from its reference's data offset for
// the reference's data size. Columns outside every span of an encoded row are 0.
std::optional<expanded_bitmap> expand_bitmap(std::span<const std::byte> bitmap_data);

// The bitmap header in host order, when the bytes hold one with a supported
// depth and a sane size and pitch.
std::optional<bitmap> read_bitmap_header(std::span<const std::byte> bitmap_data);
