#include "tag_files/tag_data.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "core/byte_swap.h"
#include "core/error_manager.h"
#include "tag_files/local_tags.h"
#include "tag_files/tag_change_listener.h"
#include "tag_files/monolithic_loading.h"
#include "tag_files/tag_editing.h"

namespace {

// A window of up to 16384 bytes of one loaded monolithic file.
struct read_ahead_window {
    std::unique_ptr<unsigned char[]> buffer;
    std::int32_t file_index = NONE;
    std::int64_t first_position = 0;
    std::int64_t length = 0;  // bytes of the file the buffer holds
};

read_ahead_window& window() {
    static read_ahead_window read_ahead;
    return read_ahead;
}

// The largest data a local tag file can carry with its header.
constexpr std::int64_t maximum_data_size = INT32_MAX - local_tag_data_offset;

// A range of a tag's data that lies inside it.
bool range_inside_data(const tag_header& header, std::int32_t position, std::int32_t size) {
    return position >= 0 && size >= 0 && static_cast<std::int64_t>(position) + size <= header.size;
}

bool report_outside_data(const tag_header& header, std::int32_t position, std::int32_t size) {
    handle_error(error_array_out_of_bounds, __FILE__, __LINE__,
                 "can't read #%d bytes at offset #%d of '%s': outside the tag's data", static_cast<int>(size),
                 static_cast<int>(position), header.name);
    return false;
}

// A write range that a tag's data can grow to hold.
bool valid_write_range(std::int32_t position, std::int32_t size) {
    return position >= 0 && size >= 0 && static_cast<std::int64_t>(position) + size <= maximum_data_size;
}

// The loaded file that holds a monolithic tag, when its data lies inside it.
file_reference* monolithic_file_of(const tag_header& header, std::int64_t& file_length) {
    file_reference* file = loaded_file_reference(header.file_index);
    file_length = loaded_file_length(header.file_index);
    if (!file || header.offset < 0 || static_cast<std::int64_t>(header.offset) + header.size > file_length) {
        return nullptr;
    }
    return file;
}

// Every failure report names the tag concerned.
void report_read_failure(const char* message, const tag_header& header) {
    handle_error(error_warning, __FILE__, __LINE__, "%s for '%.31s'", message, header.name);
}

bool read_local(tag_handle handle, std::int32_t position, std::int32_t size, void* buffer) {
    return local_tag_open(handle) && local_tag_read(local_tag_data_offset + static_cast<std::int64_t>(position), size, buffer);
}

bool read_monolithic(const tag_header& header, std::int64_t position, std::int32_t size, void* buffer,
                     const char* message) {
    std::int64_t file_length = 0;
    file_reference* file = monolithic_file_of(header, file_length);
    if (file && file_read_from_position(*file, header.offset + position, static_cast<std::size_t>(size), buffer)) {
        return true;
    }
    report_read_failure(message, header);
    return false;
}

// Fills the window with the bytes of a file from position on.
bool fill_window(file_reference& file, std::int32_t file_index, std::int64_t position, std::int64_t file_length) {
    read_ahead_window& read_ahead = window();
    const std::int64_t length = std::min<std::int64_t>(read_ahead_buffer_size, file_length - position);
    read_ahead.file_index = file_index;
    read_ahead.first_position = position;
    read_ahead.length = 0;
    if (length <= 0 || !file_read_from_position(file, position, static_cast<std::size_t>(length), read_ahead.buffer.get())) {
        return false;
    }
    read_ahead.length = length;
    return true;
}

constexpr const char* read_failed = "file_read_from_position() failed in tag_file_read()";
constexpr const char* read_ahead_failed = "file_read_from_position() failed in tag_file_read_ahead()";

bool read_through_window(const tag_header& header, std::int32_t position, std::int32_t size, void* buffer) {
    read_ahead_window& read_ahead = window();
    std::int64_t file_length = 0;
    file_reference* file = monolithic_file_of(header, file_length);
    if (!file || !read_ahead.buffer || size > read_ahead_buffer_size) {
        return read_monolithic(header, position, size, buffer, read_failed);
    }
    auto* bytes = static_cast<unsigned char*>(buffer);
    const std::int64_t start = header.offset + static_cast<std::int64_t>(position);
    const bool same_file = read_ahead.file_index == header.file_index;
    const bool starts_over = !same_file || start < read_ahead.first_position;
    const std::int64_t window_end = read_ahead.first_position + read_ahead.length;

    if (same_file && start >= read_ahead.first_position && start < window_end) {
        const std::int64_t available = window_end - start;
        const std::size_t offset = static_cast<std::size_t>(start - read_ahead.first_position);
        if (size <= available) {
            std::memcpy(bytes, read_ahead.buffer.get() + offset, static_cast<std::size_t>(size));
            return true;
        }
        // The request straddles the window's end: the first part from this window,
        // the rest from the next one.
        std::memcpy(bytes, read_ahead.buffer.get() + offset, static_cast<std::size_t>(available));
        const std::int64_t remaining = size - available;
        if (!fill_window(*file, header.file_index, window_end, file_length) || read_ahead.length < remaining) {
            read_ahead.length = 0;
            report_read_failure(read_ahead_failed, header);
            return false;
        }
        std::memcpy(bytes + available, read_ahead.buffer.get(), static_cast<std::size_t>(remaining));
        return true;
    }
    if (!fill_window(*file, header.file_index, start, file_length) || read_ahead.length < size) {
        read_ahead.length = 0;
        report_read_failure(starts_over ? read_failed : read_ahead_failed, header);
        return false;
    }
    std::memcpy(bytes, read_ahead.buffer.get(), static_cast<std::size_t>(size));
    return true;
}

// The directory's size of a local tag after its file changed.
void update_local_size(tag_handle handle, std::int64_t at_least) {
    tag_header* header = tag_header_for_update(handle);
    if (!header) return;
    const std::int32_t size = local_tag_data_size();
    header->size = size != NONE ? size : static_cast<std::int32_t>(std::max<std::int64_t>(header->size, at_least));
}

}  // namespace

bool tag_file_read(tag_handle handle, std::int32_t position, std::int32_t size, void* buffer) {
    const tag_header* header = tag_visible_header(handle);
    if (!header) return false;
    if (!range_inside_data(*header, position, size)) return report_outside_data(*header, position, size);
    if (size == 0) return true;
    if (!tag_header_is_local(*header)) return read_monolithic(*header, position, size, buffer, read_failed);
    if (read_local(handle, position, size, buffer)) return true;
    report_read_failure("single_file_read() failed in tag_file_read()", *header);
    return false;
}

bool tag_file_read_ahead(tag_handle handle, std::int32_t position, std::int32_t size, void* buffer) {
    const tag_header* header = tag_visible_header(handle);
    if (!header) return false;
    if (!range_inside_data(*header, position, size)) return report_outside_data(*header, position, size);
    if (size == 0) return true;
    if (tag_header_is_local(*header)) return read_local(handle, position, size, buffer);
    return read_through_window(*header, position, size, buffer);
}

bool tag_file_write(tag_handle& handle, std::int32_t position, std::int32_t size, const void* buffer) {
    if (!tag_visible_header(handle) || !valid_write_range(position, size)) return false;
    tag_about_to_change(tag_get_group(handle), tag_get_subgroup(handle));
    if (!copy_tag_to_local(handle)) return false;
    if (!local_tag_open(handle)) return false;
    if (!local_tag_write(local_tag_data_offset + static_cast<std::int64_t>(position), size, buffer)) return false;
    update_local_size(handle, static_cast<std::int64_t>(position) + size);
    return true;
}

bool tag_file_write_byte_swapped(tag_handle& handle, std::int32_t position, std::int32_t element_size,
                                 std::int32_t count, void* data, std::span<const std::int16_t> codes) {
    const std::int64_t size = static_cast<std::int64_t>(element_size) * count;
    if (element_size < 0 || count < 0 || size > maximum_data_size) return false;
    if (codes.empty()) return tag_file_write(handle, position, static_cast<std::int32_t>(size), data);
    byte_swap_data("tag_file_write_byte_swapped", data, element_size, count, codes);
    const bool written = tag_file_write(handle, position, static_cast<std::int32_t>(size), data);
    byte_swap_data("tag_file_write_byte_swapped", data, element_size, count, codes);
    return written;
}

bool tag_replace_data(tag_handle& handle, const void* data, std::int32_t size) {
    if (size < 0) return false;
    const std::span<const std::byte> whole(static_cast<const std::byte*>(data), static_cast<std::size_t>(size));
    return tag_replace_data(handle, std::span(&whole, 1));
}

bool tag_replace_data(tag_handle& handle, std::span<const std::span<const std::byte>> pieces) {
    std::int64_t total = 0;
    for (const std::span<const std::byte> piece : pieces) total += static_cast<std::int64_t>(piece.size());
    if (total > INT32_MAX) return false;
    const auto size = static_cast<std::int32_t>(total);
    if (!tag_visible_header(handle) || !valid_write_range(0, size)) return false;
    tag_about_to_change(tag_get_group(handle), tag_get_subgroup(handle));
    if (!copy_tag_to_local(handle) || !local_tag_open(handle)) return false;
    tag_header* header = tag_header_for_update(handle);
    tag_header replaced = *header;
    replaced.size = size;
    if (!local_tag_replace_contents(replaced, pieces)) {
        file_reference file;
        local_tag_file_reference(handle, file);
        handle_error(error_file_write, __FILE__, __LINE__, "couldn't write #%d bytes to offset #%d in local tag '%s'",
                     static_cast<int>(size), static_cast<int>(local_tag_data_offset),
                     file_reference_full_path(file).c_str());
        return false;
    }
    header->size = size;
    return true;
}

void tag_file_close_local() { local_tag_close(); }

void tag_read_ahead_discard() {
    window().file_index = NONE;
    window().length = 0;
}

bool tag_read_ahead_allocate() {
    read_ahead_window& read_ahead = window();
    tag_read_ahead_discard();
    if (!read_ahead.buffer) read_ahead.buffer.reset(new (std::nothrow) unsigned char[read_ahead_buffer_size]);
    return read_ahead.buffer != nullptr;
}

void tag_read_ahead_free() {
    tag_read_ahead_discard();
    window().buffer.reset();
}
