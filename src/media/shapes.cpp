#include "media/shapes.h"

#include "tag_files/tag_data.h"

std::optional<std::vector<std::byte>> read_collection_tag(tag_handle handle) {
    const std::int32_t size = tag_get_size(handle);
    if (size < 0 || size > largest_collection_tag) {
        return std::nullopt;
    }
    std::optional<std::vector<std::byte>> data(std::in_place, std::size_t(size));
    if (!tag_file_read(handle, 0, size, data->data())) {
        data.reset();
    }
    tag_file_close_local();
    return data;
}

std::optional<std::vector<std::string>> collection_sequence_names(tag_code subgroup) {
    const auto data = read_collection_tag(tag_find(collection_group_tag, subgroup));
    if (!data) {
        return std::nullopt;
    }
    return read_sequence_names(*data);
}

std::optional<collection_display> collection_read_for_display(tag_code subgroup, std::int32_t bitmap_index) {
    const auto data = read_collection_tag(tag_find(collection_group_tag, subgroup));
    if (!data) {
        return std::nullopt;
    }
    return read_collection_for_display(*data, bitmap_index);
}
