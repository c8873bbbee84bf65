#include "tag_files/monolithic_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "core/file_layer.h"
#include "core/text.h"
#include "tag_files/monolithic_loading.h"
#include "tag_files/plugin_table.h"
#include "tag_files/slot_table.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_name.h"

namespace {

struct loaded_file_row {
    std::int16_t identifier;
    monolithic_header header;
    file_reference file;
};

struct loaded_files {
    typed_slot_table<loaded_file_row> rows{"tag file", loaded_file_capacity};
    // The directory handles of each row's tags, so that one file can be unloaded alone.
    std::array<std::vector<tag_handle>, loaded_file_capacity> handles;

    loaded_files() { rows.create(); }
};

loaded_files& table() {
    static loaded_files instance;
    return instance;
}

void report_corrupted(const char* format, const file_reference& file) {
    handle_error(error_data_corrupted, __FILE__, __LINE__, format, file_reference_full_path(file).c_str());
}

// A stored name is valid when it ends within its field and making it a valid
// tag name would change nothing.
template <std::size_t Size>
bool stored_name_is_valid(const char (&stored)[Size]) {
    static_assert(Size >= tag_name_capacity);
    if (!std::memchr(stored, 0, Size)) return false;
    char copy[Size];
    std::memcpy(copy, stored, Size);
    return !sanitize_tag_name(copy) && std::strcmp(copy, stored) == 0;
}

bool header_is_consistent(const monolithic_header& header, std::int64_t actual_length) {
    if (header.tag_count < 0 || header.tag_count > maximum_monolithic_tag_count) return false;
    if (header.entry_point_count < 0 || header.signature != monolithic_signature) return false;
    // Entry points and tag headers that run past the end are left to the read of
    // the tag headers, which names that failure.
    if (stored_tag_header_size * std::int64_t{header.tag_count} >= header.file_size) return false;
    return actual_length == header.file_size;
}

bool tag_header_is_valid(const tag_header& tag, std::int64_t data_position, std::int64_t file_length) {
    return stored_name_is_valid(tag.name) && tag.signature == tag_header_signature && tag.size >= 0 &&
           tag.size <= maximum_monolithic_tag_size && tag.offset >= data_position &&
           std::int64_t{tag.offset} + tag.size <= file_length;
}

// Takes a loaded-file row for the open file; NONE when all are taken.
std::int32_t add_loaded_file(const file_reference& file, const monolithic_header& header) {
    const std::int32_t handle = table().rows.take();
    if (handle == NONE) return NONE;
    const std::int32_t index = slot_handle_index(handle);
    loaded_file_row* row = table().rows.at(index);
    row->header = header;
    row->file = file;
    table().handles[index].clear();
    return index;
}

void add_tags_of_loaded_file(std::int32_t file_index, tag_header* tags, std::int32_t count, std::int16_t type) {
    std::vector<tag_handle>& handles = table().handles[file_index];
    handles.reserve(static_cast<std::size_t>(count));
    for (std::int32_t index = 0; index < count; ++index) {
        tag_header& tag = tags[index];
        tag.file_index = static_cast<std::int8_t>(file_index);
        // The kind of the holding file decides how the directory treats the tag; a
        // stored value claiming a local tag would send writes into the local folder.
        tag.file_type = static_cast<std::uint8_t>(type);
        const tag_handle handle = tag_header_add(&tag);
        if (handle != NONE) handles.push_back(handle);
    }
}

}  // namespace

bool read_monolithic_header(file_reference& file, monolithic_header& header) {
    if (!open_file(file, open_for_reading)) return false;
    const auto fail = [&file](const char* format) {
        report_corrupted(format, file);
        close_file(file);
        return false;
    };
    if (!file_read_from_position(file, 0, sizeof header, &header)) {
        return fail("the monolithic file '%s' has no header");
    }
    byte_swap_monolithic_header(header);
    header.url[monolithic_url_capacity - 1] = '\0';

    // The name the file actually has counts, not the one it was built under.
    const std::string file_name = file_reference_get_name(file, name_part_name | name_part_extension);
    char name[tag_name_capacity + 1] = {};
    std::memcpy(name, file_name.data(), std::min(file_name.size(), sizeof name - 1));
    if (file_name.size() > tag_name_maximum_length || !stored_name_is_valid(name)) {
        return fail("the monolithic file '%s' has a bad name");
    }
    copy_text(header.name, name);
    header.header_checksum = 0;

    if (!header_is_consistent(header, get_file_length(file))) return fail("the monolithic file '%s' had a bad header");
    close_file(file);
    return true;
}

bool read_monolithic_tags(file_reference& file, const monolithic_header& header, bool check_only,
                          std::int32_t* loaded_index) {
    if (header.tag_count < 0 || header.tag_count > maximum_monolithic_tag_count || header.entry_point_count < 0) {
        return false;
    }
    if (tag_header_free_count() < header.tag_count) return false;
    if (!check_only && table().rows.free_count() == 0) return false;
    if (!open_file(file, open_for_reading)) return false;

    const std::int32_t count = header.tag_count;
    std::unique_ptr<tag_header[]> tags(new (std::nothrow) tag_header[static_cast<std::size_t>(count)]);
    bool valid = tags != nullptr;
    if (!valid) {
        handle_error(error_out_of_memory, __FILE__, __LINE__, "couldn't allocate memory for tags of '%s'",
                     file_reference_full_path(file).c_str());
    }
    if (valid && !file_read_from_position(file, monolithic_tag_headers_position(header.entry_point_count),
                                          sizeof(tag_header) * static_cast<std::size_t>(count), tags.get())) {
        report_corrupted("couldn't read tags from the monolithic file '%s'", file);
        valid = false;
    }
    if (valid) {
        byte_swap_tag_headers(tags.get(), count);
        const std::int64_t data_position = monolithic_data_position(header.entry_point_count, count);
        const std::int64_t file_length = get_file_length(file);
        for (std::int32_t index = 0; index < count; ++index) {
            if (!tag_header_is_valid(tags[index], data_position, file_length)) {
                report_corrupted("found an invalid tag in the monolithic file '%s'", file);
                valid = false;
            }
        }
    }
    if (valid && !check_only) {
        const std::int32_t file_index = add_loaded_file(file, header);
        valid = file_index != NONE;
        if (valid) {
            add_tags_of_loaded_file(file_index, tags.get(), count, header.type);
            if (loaded_index) *loaded_index = file_index;
        }
    }
    if (!valid) close_file(file);
    return valid;
}

bool read_entry_points(file_reference& file, const monolithic_header& header, std::int16_t plugin_index) {
    if (header.entry_point_count < 0) return false;
    const auto count = static_cast<std::size_t>(header.entry_point_count);
    std::vector<stored_entry_point> entry_points;
    try {
        entry_points.resize(count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!file_read_from_position(file, monolithic_header_size, count * sizeof(stored_entry_point),
                                 entry_points.data())) {
        report_corrupted("couldn't read entry points from the monolithic file '%s'", file);
        return false;
    }
    byte_swap_entry_points(entry_points.data(), header.entry_point_count);
    for (stored_entry_point& entry_point : entry_points) {
        entry_point.name[tag_name_capacity - 1] = '\0';
        entry_point.description[entry_point_description_capacity - 1] = '\0';
        if (!add_entry_point(entry_point, plugin_index, false)) break;
    }
    return true;
}

std::int32_t find_loaded_file(const char* name, std::uint32_t checksum) {
    for (std::int32_t index = 0; index < table().rows.high_water_mark(); ++index) {
        const loaded_file_row* row = table().rows.at(index);
        if (row && row->header.checksum == checksum &&
            compare_text_ignoring_case(bounded_text(row->header.name), name) == 0) {
            return index;
        }
    }
    return NONE;
}

const monolithic_header* loaded_file_header(std::int32_t file_index) {
    const loaded_file_row* row = table().rows.at(file_index);
    return row ? &row->header : nullptr;
}

void unload_monolithic_file(std::int32_t file_index) {
    loaded_file_row* row = table().rows.at(file_index);
    if (!row) return;
    for (tag_handle handle : table().handles[file_index]) tag_header_remove(handle);
    table().handles[file_index].clear();
    tag_read_ahead_discard();
    close_file(row->file);
    table().rows.release(file_index);
}

file_reference* loaded_file_reference(std::int32_t file_index) {
    loaded_file_row* row = table().rows.at(file_index);
    return row ? &row->file : nullptr;
}

std::int32_t loaded_file_length(std::int32_t file_index) {
    const loaded_file_row* row = table().rows.at(file_index);
    return row ? row->header.file_size : 0;
}

void close_loaded_files() {
    for (std::int32_t index = 0; index < table().rows.high_water_mark(); ++index) {
        loaded_file_row* row = table().rows.at(index);
        if (row) close_file(row->file);
        table().handles[index].clear();
    }
    table().rows.clear();
    tag_read_ahead_discard();
}
