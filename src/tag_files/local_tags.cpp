#include "tag_files/local_tags.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "tag_files/tag_folders.h"

namespace {

struct open_local_tag {
    file_reference file;
    tag_handle handle;
};

open_local_tag& opened() {
    static open_local_tag open = [] {
        open_local_tag initial{};
        file_reference_initialize(initial.file, working_folder_root);
        initial.handle = NONE;
        return initial;
    }();
    return open;
}

constexpr std::size_t copy_chunk_size = 1 << 16;

// Copies the first length bytes of source into destination from its position 0.
bool copy_file_contents(file_reference& source, std::int64_t length, file_reference& destination) {
    std::vector<unsigned char> chunk(static_cast<std::size_t>(std::min<std::int64_t>(length, copy_chunk_size)));
    for (std::int64_t position = 0; position < length;) {
        const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(length - position, copy_chunk_size));
        if (!file_read_from_position(source, position, count, chunk.data())) return false;
        if (!file_write_at_position(destination, position, count, chunk.data())) return false;
        position += static_cast<std::int64_t>(count);
    }
    return true;
}

// Replaces the open local tag's file with what writer puts into a temporary file
// in the same folder, then opens the new file as the open local tag. The file on
// disk is always either the old or the new one. The open file is closed during
// the replacement, which refuses to replace a file someone holds for writing.
bool replace_open_local_tag(const std::function<bool(file_reference& original, file_reference& temporary)>& writer) {
    open_local_tag& open = opened();
    if (open.handle == NONE) return false;
    close_file(open.file);
    // Written only with write access, and not while anyone else has it open: the
    // file is opened for writing first, as the writer's claim on it.
    file_reference claim = open.file;
    const bool claimed = open_file(claim, open_for_reading | open_for_writing);
    if (claimed) close_file(claim);
    const bool replaced = claimed && replace_file_atomically(open.file, [&](file_reference& temporary) {
        file_reference original = open.file;
        if (!open_file(original, open_for_reading)) return false;
        const bool written = writer(original, temporary);
        close_file(original);
        return written;
    });
    if (open_file(open.file, open_for_reading)) return replaced;
    handle_error(error_file_open, __FILE__, __LINE__, "couldn't open local tag file '%s'.",
                 file_reference_get_name(open.file, name_part_name).c_str());
    open.handle = NONE;
    return replaced;
}

// Applies a write to a complete copy of the open local tag file.
bool rewrite_open_local_tag(std::int64_t position, std::int32_t count, const void* buffer) {
    if (position < 0 || count < 0) return false;
    return replace_open_local_tag([&](file_reference& original, file_reference& temporary) {
        const std::int64_t length = get_file_length(original);
        return length >= 0 && copy_file_contents(original, length, temporary) &&
               (count == 0 || file_write_at_position(temporary, position, static_cast<std::size_t>(count), buffer));
    });
}

tag_header file_order(const tag_header& header) {
    tag_header stored = header;
    byte_swap_tag_headers(&stored, 1);
    return stored;
}

}  // namespace

bool local_tag_file_reference(tag_handle handle, file_reference& file) {
    const tag_header* header = tag_header_of(handle);
    const char* name = tag_local_file_name(handle);
    if (!header || !name || !local_tag_folder(header->group_tag, file)) return false;
    file_reference_set_name(file, name);
    return true;
}

bool local_tag_create_file(const char* name, tag_code group, const tag_header& header, const void* data,
                           std::int32_t size) {
    if (size < 0) return false;
    file_reference folder;
    if (!local_tag_folder(group, folder)) return false;
    if (!file_exists(folder) && !create_file_or_folder(folder)) {
        handle_error(error_file_create, __FILE__, __LINE__, "couldn't create tag subfolder '%s'",
                     file_reference_full_path(folder).c_str());
        return false;
    }
    file_reference file = folder;
    file_reference_set_name(file, name);
    const tag_header stored = file_order(header);
    const bool created = replace_file_atomically(file, [&](file_reference& temporary) {
        return write_file(temporary, sizeof stored, &stored) &&
               (size == 0 || write_file(temporary, static_cast<std::size_t>(size), data));
    });
    if (!created) {
        handle_error(error_file_create, __FILE__, __LINE__, "couldn't create local tag file '%s'",
                     file_reference_full_path(file).c_str());
    }
    return created;
}

bool local_tag_delete_file(tag_handle handle) {
    local_tag_close();
    file_reference file;
    if (!local_tag_file_reference(handle, file)) return false;
    if (delete_file_or_folder(file)) return true;
    handle_error(error_file_create, __FILE__, __LINE__, "couldn't delete local tag file '%s'",
                 file_reference_full_path(file).c_str());
    return false;
}

bool local_tag_open(tag_handle handle) {
    open_local_tag& open = opened();
    if (handle != NONE && open.handle == handle) return true;
    local_tag_close();
    file_reference file;
    if (!local_tag_file_reference(handle, file)) return false;
    // Shared for reading: every write replaces the file as a whole, so a tag file
    // that may only be read opens too, and other readers are not shut out.
    if (!open_file(file, open_for_reading)) {
        handle_error(error_file_open, __FILE__, __LINE__, "couldn't open local tag file '%s'.",
                     file_reference_get_name(file, name_part_name).c_str());
        return false;
    }
    open.file = file;
    open.handle = handle;
    return true;
}

tag_handle local_tag_close() {
    open_local_tag& open = opened();
    const tag_handle closed = open.handle;
    if (closed != NONE) close_file(open.file);
    open.handle = NONE;
    return closed;
}

tag_handle local_tag_open_handle() { return opened().handle; }

bool local_tag_read(std::int64_t position, std::int32_t count, void* buffer) {
    open_local_tag& open = opened();
    if (open.handle == NONE || position < 0 || count < 0) return false;
    if (file_read_from_position(open.file, position, static_cast<std::size_t>(count), buffer)) return true;
    handle_error(error_file_read, __FILE__, __LINE__, "couldn't read #%d bytes from offset #%d in local tag '%s'",
                 static_cast<int>(count), static_cast<int>(position), file_reference_full_path(open.file).c_str());
    return false;
}

bool local_tag_read_file_header(tag_header& header) {
    if (!local_tag_read(0, sizeof header, &header)) return false;
    header = file_order(header);
    return true;
}

bool local_tag_write(std::int64_t position, std::int32_t count, const void* buffer) {
    if (rewrite_open_local_tag(position, count, buffer)) return true;
    const open_local_tag& open = opened();
    handle_error(error_file_write, __FILE__, __LINE__, "couldn't write #%d bytes to offset #%d in local tag '%s'",
                 static_cast<int>(count), static_cast<int>(position), file_reference_full_path(open.file).c_str());
    return false;
}

bool local_tag_write_header(const tag_header& header) {
    const tag_header stored = file_order(header);
    return rewrite_open_local_tag(0, sizeof stored, &stored);
}

bool local_tag_replace_contents(const tag_header& header, std::span<const std::span<const std::byte>> pieces) {
    if (header.size < 0) return false;
    const tag_header stored = file_order(header);
    return replace_open_local_tag([&](file_reference&, file_reference& temporary) {
        if (!write_file(temporary, sizeof stored, &stored)) return false;
        for (const std::span<const std::byte> piece : pieces) {
            if (!piece.empty() && !write_file(temporary, piece.size(), piece.data())) return false;
        }
        return true;
    });
}

std::int32_t local_tag_data_size() {
    open_local_tag& open = opened();
    if (open.handle == NONE) return NONE;
    const std::int64_t length = get_file_length(open.file);
    if (length < local_tag_data_offset || length - local_tag_data_offset > INT32_MAX) return NONE;
    return static_cast<std::int32_t>(length - local_tag_data_offset);
}
