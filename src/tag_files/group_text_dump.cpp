#include "tag_files/group_text_dump.h"

#include <array>
#include <cstddef>
#include <span>

#include "core/file_layer.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_groups.h"

std::string group_text_dump(tag_code group) {
    std::string text;
    std::array<tag_handle, tag_group_list_limit> handles;
    const std::int32_t count = tag_list_of_group(group, handles.data());
    for (std::int32_t n = 0; n < count; ++n) {
        const tag_handle handle = handles[static_cast<std::size_t>(n)];
        text += tag_get_name(handle);
        text += '\t';
        text += tag_code_to_text(tag_get_subgroup(handle));
        text += "\r\n";
    }
    return text;
}

std::string group_text_dump_file_name(tag_code group) {
    return std::string(tag_group_get_folder_name(group)) + ".txt";
}

bool dump_group_text(tag_code group) {
    const std::string text = group_text_dump(group);
    file_reference file;
    file_reference_initialize(file, 0);
    file_reference_set_name(file, group_text_dump_file_name(group));
    return replace_file_atomically(file, std::as_bytes(std::span(text.data(), text.size())));
}
