#pragma once

// Reading collection tags from their bytes. The bytes are untrusted: the header's
// data block must lie inside the tag, every section inside the data block with
// room for its count of elements, and every reference's data inside the data
// block. A collection that fails a check is unreadable as a whole.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "media/bitmap_expansion.h"
#include "media/collection_format.h"

// A collection whose header passed every check.
struct collection_view {
    collection_header header;           // host order
    std::span<const std::byte> data;    // the data block, exactly header.data_size bytes
};

// tag_data: the whole data of a collection tag.
std::optional<collection_view> open_collection(std::span<const std::byte> tag_data);

// A stored name of at most 63 characters, up to its first NUL.
std::string collection_name(const char (&name)[collection_name_capacity]);

// The names of the sequence references, in order.
std::optional<std::vector<std::string>> read_sequence_names(std::span<const std::byte> tag_data);

// What a preview needs: the hue changes, the bitmap references, the first
// colour table and one bitmap expanded. image and colors are empty when the
// collection has no such bitmap or no colour table.
struct collection_display {
    collection_header header;
    std::vector<hue_change> hue_changes;
    std::vector<bitmap_reference> bitmap_references;
    std::optional<color_table> colors;
    std::optional<expanded_bitmap> image;
};

std::optional<collection_display> read_collection_for_display(std::span<const std::byte> tag_data,
                                                              std::int32_t bitmap_index);

struct sequence_contents {
    std::string name;
    sequence head;  // host order
    std::vector<sequence_frame> frames;
    std::vector<std::int16_t> instance_indexes;  // frames * views, frame by frame
};

// Everything the collection holds, each record in host order; bitmaps stay
// encoded (expand_collection_bitmap expands one).
struct collection_contents {
    collection_header header;
    std::vector<color_table> color_tables;
    std::vector<hue_change> hue_changes;
    std::vector<bitmap_reference> bitmap_references;
    std::vector<bitmap_instance> bitmap_instances;
    std::vector<sequence_contents> sequences;
    std::vector<shadow_map> shadow_maps;
};

std::optional<collection_contents> read_collection_contents(std::span<const std::byte> tag_data);

// The bytes of the bitmap a reference names, when they lie inside the data block.
std::optional<std::span<const std::byte>> bitmap_data_of(const collection_view& collection,
                                                         const bitmap_reference& reference);

std::optional<expanded_bitmap> expand_collection_bitmap(const collection_view& collection,
                                                        const bitmap_reference& reference);
