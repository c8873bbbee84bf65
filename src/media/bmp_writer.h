#pragma once

// Writing 8-bit uncompressed Windows bitmaps (BMP): the headers, a 256-entry
// colour table and the rows bottom-up, each padded to four bytes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "media/collection_format.h"

// pixels: width * height colour indexes, top row first; each table colour is
// written with the high bytes of its components.
std::vector<std::byte> write_bmp(std::int32_t width, std::int32_t height, std::span<const std::uint8_t> pixels,
                                 const color_table& colors);
