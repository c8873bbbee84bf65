#pragma once

// Laying out a complete collection tag from host-order parts. The data block
// holds, in this order: the colour tables, the hue changes, the bitmap
// instances, the sequence references, the shadow maps, each sequence's data,
// each bitmap's data and the bitmap references.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/collection_format.h"
#include "media/collection_reader.h"

struct collection_bitmap {
    std::string name;  // at most 63 characters are stored
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::int16_t bits_per_pixel = 8;  // 8, or 16 (colour index in the low byte)
    // Stored as given, together with the flags the layout below implies.
    std::int16_t flags = 0;
    std::int16_t width_shift = 0;
    std::int16_t height_shift = 0;
    std::int16_t pixel_format = bitmap_pixel_format_indexed;
    bool run_encoded = false;  // rows as spans of non-zero pixels, padded to even length
    bool row_table = true;     // else bitmap_flag_no_row_table
    std::vector<std::uint16_t> pixels;  // width * height, top row first
};

struct collection_source {
    std::int32_t flags = 0;
    std::vector<color_table> color_tables;
    std::vector<hue_change> hue_changes;
    std::vector<collection_bitmap> bitmaps;
    std::vector<bitmap_instance> bitmap_instances;
    // The head's frame count is taken from frames; instance_indexes holds
    // frames * head.views entries.
    std::vector<sequence_contents> sequences;
    std::vector<shadow_map> shadow_maps;
};

// The bitmap's data as stored (header, row table, rows), or nothing when its
// size, depth or pixels are inconsistent.
std::optional<std::vector<std::byte>> encode_collection_bitmap(const collection_bitmap& source);

// The whole data of the collection tag, big-endian, or nothing when a part is
// inconsistent or the tag would exceed what 32-bit offsets address.
std::optional<std::vector<std::byte>> write_collection(const collection_source& source);
