// Random bytes as the data of a collection tag: every reader runs over them,
// each bitmap is expanded and the first colour table is recoloured with the
// hue changes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/collection_reader.h"
#include "media/hexcone_recolor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> tag(reinterpret_cast<const std::byte*>(data), size);
    read_sequence_names(tag);
    const auto contents = read_collection_contents(tag);
    const auto collection = open_collection(tag);
    if (contents && collection) {
        for (const bitmap_reference& reference : contents->bitmap_references) {
            const auto image = expand_collection_bitmap(*collection, reference);
            if (image && image->indexes.size() != std::size_t(image->width) * std::size_t(image->height)) {
                __builtin_trap();
            }
        }
    }
    const std::int32_t bitmap_index = size > 0 ? data[size - 1] % 4 : 0;
    if (auto display = read_collection_for_display(tag, bitmap_index); display && display->colors) {
        const rgb_color permutation[permutation_color_count] = {
            {65535, 0, 0, 0}, {0, 65535, 0, 1}, {0, 0, 65535, 4}, {30000, 30000, 0, 0},
            {1, 2, 3, 0}, {65535, 65535, 65535, 1}, {0, 0, 0, 0}, {12345, 54321, 999, 0}};
        recolor_color_table(*display->colors, display->hue_changes, permutation);
    }
    return 0;
}
