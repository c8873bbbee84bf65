#pragma once

// Collections as the editor uses them: the sequence names for the sequence
// pickers and the parts a bitmap preview draws, read from `.256` tags through
// the tag directory. The records, the readers over bytes, the bitmap expansion
// and the recolouring are declared in the headers included here.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "media/bitmap_expansion.h"
#include "media/collection_format.h"
#include "media/collection_reader.h"
#include "media/hexcone_recolor.h"
#include "tag_files/tag_directory.h"

// No collection comes near this size; a larger tag is not read.
inline constexpr std::int32_t largest_collection_tag = 64 << 20;

// The whole data of a tag; nothing for a hidden tag, a failed read or a tag
// larger than largest_collection_tag. Closes the open local tag afterwards.
std::optional<std::vector<std::byte>> read_collection_tag(tag_handle handle);

// The sequence names of the visible `.256` tag with that subgroup; nothing when
// there is no such tag or it is unreadable.
std::optional<std::vector<std::string>> collection_sequence_names(tag_code subgroup);

// The preview parts of the visible `.256` tag with that subgroup, with the
// bitmap at bitmap_index (from 0) expanded.
std::optional<collection_display> collection_read_for_display(tag_code subgroup, std::int32_t bitmap_index);
