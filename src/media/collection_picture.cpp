#include "media/collection_picture.h"

#include "media/hexcone_recolor.h"

std::optional<collection_picture> picture_of(const collection_display& collection,
                                             std::span<const rgb_color> permutation) {
    if (!collection.image) {
        return std::nullopt;
    }
    collection_picture picture{};
    picture.image = *collection.image;
    if (collection.colors) {
        picture.colors = *collection.colors;
    }
    if (!permutation.empty()) {
        recolor_color_table(picture.colors, collection.hue_changes, permutation);
    }
    return picture;
}

std::optional<collection_picture> read_collection_picture(std::span<const std::byte> tag_data,
                                                          std::int32_t bitmap_index,
                                                          std::span<const rgb_color> permutation) {
    const auto collection = read_collection_for_display(tag_data, bitmap_index);
    if (!collection) {
        return std::nullopt;
    }
    return picture_of(*collection, permutation);
}
