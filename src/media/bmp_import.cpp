#include "media/bmp_import.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_name.h"

namespace {

constexpr const char* bitmap_name = "excession";
constexpr const char* last_sequence_name = "fire upon the deep";
constexpr const char* netmap_first_sequence_name = "network map animation";
constexpr const char* plugin_icon_tag_name = "##p#";  // gives the tag plugin_icon_subgroup

// An 8-bit picture this large is no map or icon; reading stops there.
constexpr std::int64_t largest_bitmap_file = std::int64_t(256) << 20;

std::optional<std::vector<std::byte>> read_file_bytes(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return std::nullopt;
    }
    std::optional<std::vector<std::byte>> bytes;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= largest_bitmap_file) {
        bytes.emplace(std::size_t(status.st_size));
        std::size_t done = 0;
        while (done < bytes->size()) {
            const ssize_t count = ::pread(descriptor, bytes->data() + done, bytes->size() - done, off_t(done));
            if (count <= 0) {
                bytes.reset();
                break;
            }
            done += std::size_t(count);
        }
    }
    ::close(descriptor);
    return bytes;
}

sequence imported_sequence_head(std::int16_t views) {
    sequence head{};
    head.flags = sequence_flag_imported;
    head.views = views;
    head.engine_word = 1;
    for (std::int16_t& index : head.engine_indexes) {
        index = NONE;
    }
    for (std::int32_t& value : head.engine_longs) {
        value = NONE;
    }
    return head;
}

std::string formatted(const char* format, const std::string& argument) {
    std::string text(format);
    text.replace(text.find("%s"), 2, argument);
    return text;
}

bitmap_import_outcome failure(std::string message) {
    bitmap_import_outcome outcome;
    outcome.message = std::move(message);
    outcome.caption = bitmap_import_error_caption;
    return outcome;
}

// The name tag_file_create would give the tag, to find one it would replace.
std::string valid_tag_name(const std::string& name) {
    char field[tag_name_capacity] = {};
    std::memcpy(field, name.data(), std::min<std::size_t>(name.size(), tag_name_maximum_length));
    sanitize_tag_name(field);
    return field;
}

tag_handle find_collection_named(const std::string& name) {
    tag_info query;
    tag_query_initialize(&query);
    std::memset(query.name, 0, sizeof query.name);
    std::memcpy(query.name, name.data(), std::min<std::size_t>(name.size(), tag_name_maximum_length));
    query.group = collection_group_tag;
    tag_handle handle = NONE;
    return tag_query(&query, &handle, 1) == 1 ? handle : tag_handle(NONE);
}

// A new empty tag that receives the data; removed again when the data cannot be written.
tag_handle create_and_fill(const char* name, tag_code required_subgroup, const std::vector<std::byte>& data) {
    tag_handle handle = tag_file_create(collection_group_tag, name, collection_group_version);
    if (handle == NONE) {
        return NONE;
    }
    if ((required_subgroup != NONE && tag_get_subgroup(handle) != required_subgroup) ||
        !tag_replace_data(handle, data.data(), std::int32_t(data.size()))) {
        tag_file_delete(handle);
        return NONE;
    }
    return handle;
}

}  // namespace

bitmap_import_size bitmap_import_kind_size(bitmap_import_kind kind) {
    switch (kind) {
        case bitmap_import_kind::overhead_map: return {128, 128};
        case bitmap_import_kind::netmap_preview: return {377, 190};
        case bitmap_import_kind::plugin_icon: break;
    }
    return {415, 120};
}

collection_source bitmap_import_collection(bitmap_import_kind kind, const bmp_image& image) {
    const bitmap_import_size size = bitmap_import_kind_size(kind);
    collection_source collection;

    color_table colors{};
    colors.count = color_table_capacity;
    for (int index = 0; index < color_table_capacity; ++index) {
        const bmp_color& entry = image.palette[std::size_t(index)];
        colors.colors[index] = rgb_color{std::uint16_t(entry.red * 256), std::uint16_t(entry.green * 256),
                                         std::uint16_t(entry.blue * 256), 0};
    }
    collection.color_tables.push_back(colors);

    collection_bitmap picture;
    picture.name = bitmap_name;
    picture.width = size.width;
    picture.height = size.height;
    picture.flags = bitmap_flag_prepared;
    if (kind == bitmap_import_kind::overhead_map) {
        picture.flags |= bitmap_flag_transparent | bitmap_flag_power_of_two;
        picture.width_shift = 7;
        picture.height_shift = 7;
    }
    picture.pixels.assign(std::size_t(size.width) * std::size_t(size.height), 0);
    const std::int32_t columns = std::min<std::int32_t>(size.width, image.crop_width);
    const std::int32_t rows = std::min<std::int32_t>(size.height, image.crop_height);
    for (std::int32_t row = 0; row < rows; ++row) {
        for (std::int32_t column = 0; column < columns; ++column) {
            picture.pixels[std::size_t(row) * std::size_t(size.width) + std::size_t(column)] =
                image.pixels[std::size_t(row) * std::size_t(image.crop_width) + std::size_t(column)];
        }
    }
    collection.bitmaps.push_back(std::move(picture));

    bitmap_instance instance{};
    instance.origin_x = std::int16_t(size.width / 2);
    instance.origin_y = std::int16_t(size.height / 2);
    instance.bitmap_index = 0;
    collection.bitmap_instances.push_back(instance);

    if (kind == bitmap_import_kind::netmap_preview) {
        collection.sequences.push_back({netmap_first_sequence_name, imported_sequence_head(0), {}, {}});
    }
    sequence_frame frame{};
    frame.key = NONE;
    collection.sequences.push_back({last_sequence_name, imported_sequence_head(1), {frame}, {0}});
    collection.shadow_maps.push_back(shadow_map{});
    return collection;
}

tag_handle write_bitmap_collection(bitmap_import_kind kind, const std::string& name, const collection_source& collection) {
    const std::optional<std::vector<std::byte>> data = write_collection(collection);
    if (!data) {
        return NONE;
    }
    const bool icon = kind == bitmap_import_kind::plugin_icon;
    tag_handle handle = icon ? tag_find(collection_group_tag, plugin_icon_subgroup)
                             : find_collection_named(valid_tag_name(name));
    if (handle != NONE) {
        if (!tag_replace_data(handle, data->data(), std::int32_t(data->size()))) {
            tag_file_close_local();
            return NONE;
        }
        if (tag_get_version(handle) != collection_group_version) {
            tag_set_version(handle, collection_group_version);
        }
    } else {
        handle = icon ? create_and_fill(plugin_icon_tag_name, plugin_icon_subgroup, *data)
                      : create_and_fill(name.c_str(), NONE, *data);
    }
    if (icon && handle != NONE) {
        // The icon is found by its subgroup; a name another collection already
        // has leaves the icon under its previous name.
        tag_info info;
        if (tag_get_info(handle, &info)) {
            std::memset(info.name, 0, sizeof info.name);
            std::memcpy(info.name, name.data(), std::min<std::size_t>(name.size(), tag_name_maximum_length));
            tag_set_info(handle, &info);
        }
    }
    tag_file_close_local();
    return handle;
}

bitmap_import_outcome import_bitmap_file(bitmap_import_kind kind, const std::string& path) {
    const std::optional<std::vector<std::byte>> file = read_file_bytes(path);
    if (!file) {
        return failure(formatted("%s could not be read.", path));
    }
    const bitmap_import_size size = bitmap_import_kind_size(kind);
    const bmp_read_result read = read_bmp(*file, size.width, size.height);
    switch (read.problem) {
        case bmp_problem::none: break;
        case bmp_problem::unsupported_format:
            return failure("Tessary only supports 8-bit uncompressed Windows bitmaps");
        case bmp_problem::not_a_bitmap:
        case bmp_problem::truncated: return failure(formatted("%s is not a valid bitmap file!", path));
    }
    const std::string name = std::filesystem::path(path).filename().string();
    bitmap_import_outcome outcome;
    outcome.handle = write_bitmap_collection(kind, name, bitmap_import_collection(kind, read.image));
    if (outcome.handle == NONE) {
        return failure(formatted("The bitmap could not be saved in the collection '%s'.", name));
    }
    outcome.succeeded = true;
    return outcome;
}
