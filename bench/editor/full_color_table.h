#pragma once

// A colour table of all 256 entries, each colour different, for benchmarks
// that draw collections.

#include <cstdint>

#include "media/collection_format.h"

inline color_table full_color_table() {
    color_table table{};
    table.count = color_table_capacity;
    for (int i = 0; i < color_table_capacity; ++i)
        table.colors[i] = {std::uint16_t(i * 257), std::uint16_t((255 - i) * 257), std::uint16_t((i * 7 % 256) * 257), 0};
    return table;
}
