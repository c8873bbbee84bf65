#include "tag_files/local_tag_scan.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "core/error_manager.h"
#include "core/file_layer.h"
#include "core/text.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_folders.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_name.h"

namespace {

// The header of a file in a group's folder, when the file is a valid local tag
// of that group; its name is the file name, made valid as a tag name.
bool read_local_tag_header(file_reference& file, const std::string& file_name, tag_code group, tag_header& header) {
    if (!open_file(file, open_for_reading)) {
        // Never left out without a word: the user would take the tag for gone.
        const int reason = errno;
        handle_error(error_file_open, __FILE__, __LINE__, "couldn't open local tag file '%s' (%s)",
                     file_reference_full_path(file).c_str(),
                     reason == EAGAIN || reason == EWOULDBLOCK ? "held by another program" : std::strerror(reason));
        return false;
    }
    const bool read = file_read_from_position(file, 0, sizeof header, &header);
    const std::int64_t length = get_file_length(file);
    close_file(file);
    if (!read || length < local_tag_data_offset || length - local_tag_data_offset > INT32_MAX) return false;
    byte_swap_tag_headers(&header, 1);

    copy_text(header.name, file_name);
    if (sanitize_tag_name(header.name) || header.name[0] == '\0') return false;
    const bool valid = header.offset == local_tag_data_offset && header.file_index == -1 &&
                       header.destination >= tag_destination_none && header.destination < tag_destination_count &&
                       header.file_type == tag_file_type_local && header.group_tag == group &&
                       header.signature == tag_header_signature;
    header.size = static_cast<std::int32_t>(length - local_tag_data_offset);
    return valid;
}

void scan_group_folder(const group_definition& group) {
    file_reference folder;
    if (!local_tag_folder(group.group_tag, folder)) return;
    begin_folder_listing(false, folder);
    file_reference file;
    while (next_file_in_listing(file)) {
        const std::string file_name = file_reference_get_name(file, name_part_name | name_part_extension);
        if (is_temporary_file_name(file_name)) continue;
        // A path the reference could not hold whole, or a backslash in the name,
        // would address another file than the one listed.
        if (file_name.find('\\') != std::string::npos ||
            file_reference_full_path(file).size() >= static_cast<std::size_t>(file_path_capacity - 1)) {
            continue;
        }

        tag_header header;
        if (!read_local_tag_header(file, file_name, group.group_tag, header)) continue;
        if (group.flags & group_flag_numbered) {
            while (header.subgroup_tag == NONE || tag_find(header.group_tag, header.subgroup_tag) != NONE) {
                ++header.subgroup_tag;
            }
        }
        if (tag_files_game_mode() && !tag_group_is_game_mode_group(group.group_tag)) continue;
        tag_header_add_local(&header, file_name.c_str());
    }
}

}  // namespace

bool scan_local_tags() {
    for (const group_definition* group = tag_group_next(nullptr); group; group = tag_group_next(group)) {
        scan_group_folder(*group);
    }
    return true;
}
