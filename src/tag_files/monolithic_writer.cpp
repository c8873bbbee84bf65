#include "tag_files/monolithic_writer.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/byte_swap.h"
#include "core/error_manager.h"
#include "core/file_layer.h"
#include "core/memory.h"
#include "core/text.h"
#include "tag_files/crc32.h"
#include "tag_files/mesh_entry_point.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_folders.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_name.h"

namespace {

struct memory_block_deleter {
    void operator()(void* block) const { dispose_pointer(block); }
};
template <class Element>
using memory_block = std::unique_ptr<Element[], memory_block_deleter>;

std::uint32_t group_flags(tag_code group) {
    const group_definition* definition = tag_group_get_definition(group);
    return definition ? definition->flags : 0;
}

// The listed tags that may go into a monolithic file, in order.
std::vector<tag_handle> packable_tags(const tag_handle* handles, std::int32_t count) {
    std::vector<tag_handle> kept;
    for (std::int32_t index = 0; handles && index < count; ++index) {
        if (!(group_flags(tag_get_group(handles[index])) & group_flag_outside_local)) kept.push_back(handles[index]);
    }
    return kept;
}

// Refuses, with a message, what a reader of the file would reject.
bool layout_is_readable(const std::vector<tag_handle>& tags, std::int32_t entry_point_count, const char* file_name) {
    if (tags.size() > static_cast<std::size_t>(maximum_monolithic_tag_count)) {
        handle_error(error_array_full, __FILE__, __LINE__, "too many tags (%d) for new monolithic file '%s'",
                     static_cast<int>(tags.size()), file_name);
        return false;
    }
    std::int64_t file_size = monolithic_data_position(entry_point_count, static_cast<std::int64_t>(tags.size()));
    for (tag_handle handle : tags) {
        if (!tag_visible_header(handle)) {
            handle_error(error_data_missing, __FILE__, __LINE__,
                         "a chosen tag is no longer available for new monolithic file '%s'", file_name);
            return false;
        }
        const std::int32_t size = tag_get_size(handle);
        if (size > maximum_monolithic_tag_size) {
            handle_error(error_array_out_of_bounds, __FILE__, __LINE__,
                         "tag '%s' is too large for new monolithic file '%s'", tag_get_name(handle), file_name);
            return false;
        }
        file_size += std::max(size, 0);
    }
    if (file_size > maximum_monolithic_file_size) {
        handle_error(error_array_out_of_bounds, __FILE__, __LINE__,
                     "new monolithic file '%s' would be larger than 2147483647 bytes", file_name);
        return false;
    }
    return true;
}

// The file's own name with extension, made valid, as the header stores it.
void set_header_name(monolithic_header& header, const std::string& file_name) {
    char name[tag_name_capacity] = {};
    std::memcpy(name, file_name.data(), std::min<std::size_t>(file_name.size(), tag_name_maximum_length));
    sanitize_tag_name(name);
    copy_text(header.name, bounded_text(name));
}

// Lays out and writes one monolithic file into an open, empty file.
class monolithic_file_writer {
public:
    monolithic_file_writer(const std::string& file_name, std::int16_t type, std::int16_t plugin_flags, const char* url,
                           const std::vector<tag_handle>& tags, std::vector<stored_entry_point>& entry_points,
                           unsigned char* transfer_buffer, tag_header* tag_headers, monolithic_tag_progress progress,
                           void* progress_data)
        : file_name_(file_name), type_(type), plugin_flags_(plugin_flags), url_(url ? url : ""), tags_(tags),
          entry_points_(entry_points), transfer_buffer_(transfer_buffer), tag_headers_(tag_headers),
          progress_(progress), progress_data_(progress_data) {}

    bool write(file_reference& file) {
        if (!write_placeholders(file)) {
            report("couldn't write default header for new monolithic file '%s'");
            return false;
        }
        for (std::size_t index = 0; index < tags_.size(); ++index) {
            if (progress_) progress_(static_cast<std::int32_t>(index), tag_count(), progress_data_);
            if (!write_tag(file, tags_[index], tag_headers_[index])) return false;
        }
        if (progress_) progress_(tag_count(), tag_count(), progress_data_);
        if (!write_headers(file)) {
            report("couldn't rewrite headers for new monolithic file '%s'");
            return false;
        }
        return true;
    }

private:
    std::int32_t entry_point_count() const { return static_cast<std::int32_t>(entry_points_.size()); }
    std::int32_t tag_count() const { return static_cast<std::int32_t>(tags_.size()); }

    void report(const char* format) const {
        handle_error(error_file_write, __FILE__, __LINE__, format, file_name_.c_str());
    }

    bool write_zeros(file_reference& file, std::int64_t count) {
        std::memset(transfer_buffer_, 0, monolithic_transfer_buffer_size);
        while (count > 0) {
            const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(count, monolithic_transfer_buffer_size));
            if (!write_file(file, chunk, transfer_buffer_)) return false;
            count -= static_cast<std::int64_t>(chunk);
        }
        return true;
    }

    bool write_placeholders(file_reference& file) {
        return write_zeros(file, monolithic_header_size) &&
               write_file(file, entry_points_.size() * sizeof(stored_entry_point), entry_points_.data()) &&
               write_zeros(file, std::int64_t{stored_tag_header_size} * tag_count());
    }

    bool write_tag(file_reference& file, tag_handle handle, tag_header& stored) {
        stored = *tag_header_of(handle);
        stored.file_type = static_cast<std::uint8_t>(type_);
        stored.offset = static_cast<std::int32_t>(data_position_);
        if (group_flags(stored.group_tag) & group_flag_marks_file) flags_ |= monolithic_flag_marks_file;
        for (std::int32_t position = 0; position < stored.size;) {
            const std::int32_t chunk = std::min(stored.size - position, monolithic_transfer_buffer_size);
            if (!tag_file_read(handle, position, chunk, transfer_buffer_)) return false;
            checksum_ = crc32_update(checksum_, transfer_buffer_, static_cast<std::size_t>(chunk));
            if (!write_file(file, static_cast<std::size_t>(chunk), transfer_buffer_)) {
                handle_error(error_file_write, __FILE__, __LINE__, "failed to write to new monolithic file");
                return false;
            }
            position += chunk;
            data_position_ += chunk;
        }
        return true;
    }

    bool write_headers(file_reference& file) {
        monolithic_header header{};
        header.type = type_;
        header.plugin_flags = plugin_flags_;
        header.tag_count = static_cast<std::int16_t>(tag_count());
        header.entry_point_count = static_cast<std::int16_t>(entry_point_count());
        header.flags = flags_;
        header.file_size = static_cast<std::int32_t>(get_file_length(file));
        header.checksum = checksum_;
        header.signature = monolithic_signature;
        set_header_name(header, file_name_);
        copy_text(header.url, url_);
        byte_swap_monolithic_header(header);
        header.header_checksum = crc32_update(crc32_initial_register, &header, sizeof header);
        byte_swap_memory("header_checksum", &header.header_checksum, 1, swap_4_bytes);
        byte_swap_tag_headers(tag_headers_, tag_count());
        return file_write_at_position(file, 0, sizeof header, &header) &&
               file_write_at_position(file, monolithic_tag_headers_position(entry_point_count()),
                                      sizeof(tag_header) * tags_.size(), tag_headers_);
    }

    const std::string& file_name_;
    std::int16_t type_;
    std::int16_t plugin_flags_;
    std::string_view url_;
    const std::vector<tag_handle>& tags_;
    std::vector<stored_entry_point>& entry_points_;
    unsigned char* transfer_buffer_;
    tag_header* tag_headers_;
    monolithic_tag_progress progress_;
    void* progress_data_;
    std::int64_t data_position_ = monolithic_data_position(entry_point_count(), tag_count());
    std::uint32_t checksum_ = crc32_initial_register;
    std::uint32_t flags_ = 0;
};

bool is_local_tag(const tag_header* header, void*) { return header->file_type == tag_file_type_local; }

bool is_local_tag_of_destination(const tag_header* header, void* destination) {
    return header->file_type == tag_file_type_local && header->destination == *static_cast<int*>(destination);
}

}  // namespace

std::int32_t build_entry_points(const tag_handle* handles, std::int32_t count, stored_entry_point* entry_points) {
    std::int32_t built = 0;
    for (std::int32_t index = 0; handles && index < count; ++index) {
        if (entry_point_from_mesh_tag(handles[index], entry_points[built])) ++built;
    }
    return built;
}

bool write_monolithic_file(file_reference& file, const char* url, std::int16_t type, std::int16_t plugin_flags,
                           const tag_handle* handles, std::int32_t count, monolithic_tag_progress progress,
                           void* progress_data) {
    const std::string file_name = file_reference_get_name(file, name_part_name | name_part_extension);
    const std::size_t listed = static_cast<std::size_t>(std::max(count, 0));
    memory_block<unsigned char> transfer_buffer(
        static_cast<unsigned char*>(allocate_memory(monolithic_transfer_buffer_size)));
    memory_block<tag_header> tag_headers(static_cast<tag_header*>(allocate_memory(listed * sizeof(tag_header))));
    if (!transfer_buffer || !tag_headers) {
        handle_error(error_out_of_memory, __FILE__, __LINE__, "couldn't allocate memory for new monolithic file '%s'",
                     file_name.c_str());
        return false;
    }
    const std::vector<tag_handle> tags = packable_tags(handles, count);
    std::vector<stored_entry_point> entry_points(tags.size());
    entry_points.resize(static_cast<std::size_t>(
        build_entry_points(tags.data(), static_cast<std::int32_t>(tags.size()), entry_points.data())));
    if (!layout_is_readable(tags, static_cast<std::int32_t>(entry_points.size()), file_name.c_str())) return false;
    byte_swap_entry_points(entry_points.data(), static_cast<std::int32_t>(entry_points.size()));

    monolithic_file_writer writer(file_name, type, plugin_flags, url, tags, entry_points, transfer_buffer.get(),
                                  tag_headers.get(), progress, progress_data);
    enum class stage { not_started, writing, complete } reached = stage::not_started;
    const bool written = replace_file_atomically(file, [&writer, &reached](file_reference& temporary) {
        reached = stage::writing;
        const bool complete = writer.write(temporary);
        if (complete) reached = stage::complete;
        return complete;
    });
    tag_file_close_local();
    if (!written && reached == stage::not_started) {
        handle_error(error_file_write, __FILE__, __LINE__, "couldn't create and open new monolithic file '%s'",
                     file_name.c_str());
    } else if (!written && reached == stage::complete) {
        handle_error(error_file_write, __FILE__, __LINE__, "couldn't rewrite headers for new monolithic file '%s'",
                     file_name.c_str());
    }
    return written;
}

bool write_monolithic_from_filter(file_reference& file, const char* url, tag_filter filter, void* filter_data,
                                  std::int16_t type, std::int16_t plugin_flags, monolithic_tag_progress progress,
                                  void* progress_data) {
    std::vector<tag_handle> handles(monolithic_selection_limit);
    const std::int32_t count = tag_select(filter, filter_data, handles.data(), monolithic_selection_limit);
    return write_monolithic_file(file, url, type, plugin_flags, handles.data(), count, progress, progress_data);
}

std::string plugin_file_name(std::string_view name) {
    char file_name[tag_name_capacity] = {};
    copy_text(file_name, name);
    sanitize_tag_name(file_name);
    return file_name;
}

bool build_plugin(const char* name, const char* url, bool is_patch, std::int16_t plugin_flags, tag_filter filter,
                  void* filter_data, monolithic_tag_progress progress, void* progress_data) {
    const std::string file_name = plugin_file_name(name ? std::string_view(name) : std::string_view());
    if (file_name.empty()) {
        handle_error(error_file_create, __FILE__, __LINE__, "the plug-in name '%s' is not a valid file name",
                     name ? name : "");
        return false;
    }
    file_reference file;
    file_reference_initialize(file, working_folder_root);
    file_reference_append_folder(file, plugins_folder_name);
    file_reference_set_name(file, file_name);
    return write_monolithic_from_filter(file, url, filter ? filter : is_local_tag, filter ? filter_data : nullptr,
                                        is_patch ? monolithic_type_patch : monolithic_type_plugin, plugin_flags,
                                        progress, progress_data);
}

bool tag_in_list(const tag_header* header, void* handles) {
    for (const tag_handle* handle = static_cast<const tag_handle*>(handles); *handle != 0; ++handle) {
        if (tag_get_group(*handle) == header->group_tag && tag_get_subgroup(*handle) == header->subgroup_tag) {
            return true;
        }
    }
    return false;
}

bool rebuild_foundation_files(foundation_file_progress progress, void* progress_data,
                              monolithic_tag_progress tag_progress) {
    bool all_written = true;
    for (int destination = 0; destination < foundation_file_count; ++destination) {
        if (progress) progress(destination, progress_data);
        file_reference file;
        file_reference_initialize(file, working_folder_root);
        file_reference_append_folder(file, tags_folder_name);
        file_reference_set_name(file, foundation_file_names[destination]);
        if (!write_monolithic_from_filter(file, "", is_local_tag_of_destination, &destination,
                                          monolithic_type_foundation, 0, tag_progress, progress_data)) {
            all_written = false;
        }
    }
    return all_written;
}
