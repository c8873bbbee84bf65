#pragma once

// One bitmap of a collection as it is seen: expanded to colour indexes, with the
// collection's first colour table recoloured by a colour permutation. Shared by the
// collection reference preview and the bitmap export.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "media/bitmap_expansion.h"
#include "media/collection_format.h"
#include "media/collection_reader.h"

struct collection_picture {
    expanded_bitmap image;
    color_table colors;  // all black where the collection has no colour table
};

// The bitmap at bitmap_index (from 0) of an already read collection, its table
// recoloured by the hue changes and `permutation` (no recolouring when empty).
// Nothing when the collection has no such bitmap.
std::optional<collection_picture> picture_of(const collection_display& collection,
                                             std::span<const rgb_color> permutation);

// The same from the collection tag's bytes; nothing also when they fail their bounds.
std::optional<collection_picture> read_collection_picture(std::span<const std::byte> tag_data,
                                                          std::int32_t bitmap_index,
                                                          std::span<const rgb_color> permutation);
