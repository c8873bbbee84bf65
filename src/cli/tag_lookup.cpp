#include "cli/tag_lookup.h"

#include <cstdio>

#include "cli/command_error.h"
#include "cli/utf8_text.h"
#include "core/text.h"
#include "tag_files/local_tags.h"
#include "tag_files/monolithic_file.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_groups.h"

namespace cli {

std::optional<tag_code> find_group_named(std::string_view text) {
    for (const group_definition* row = tag_group_next(nullptr); row; row = tag_group_next(row)) {
        const char code[4] = {static_cast<char>(row->group_tag >> 24), static_cast<char>(row->group_tag >> 16),
                              static_cast<char>(row->group_tag >> 8), static_cast<char>(row->group_tag)};
        if (same_ignoring_case(text, std::string_view(code, 4)) || same_ignoring_case(text, row->folder_name)) {
            return row->group_tag;
        }
    }
    return std::nullopt;
}

tag_code parse_group(std::string_view text) {
    if (const std::optional<tag_code> group = find_group_named(text)) return *group;
    throw CommandError("unknown group '" + std::string(text) + "' (give a code such as mons or a folder name "
                       "such as monsters)");
}

bool looks_like_tag_path(std::string_view text) {
    const std::size_t slash = text.find('/');
    return slash != std::string_view::npos && slash + 1 < text.size() && find_group_named(text.substr(0, slash));
}

TagPath parse_tag_path(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos || slash + 1 == text.size()) {
        throw CommandError("'" + std::string(text) + "' is not of the form G/NAME (such as monsters/Dwarf Lord)",
                           exit_usage);
    }
    return {parse_group(text.substr(0, slash)), std::string(text.substr(slash + 1))};
}

tag_handle find_tag(tag_code group, std::string_view name) {
    if (name.empty() || name.size() > static_cast<std::size_t>(tag_name_maximum_length)) return NONE;
    tag_info query;
    tag_query_initialize(&query);
    copy_text(query.name, name);
    query.group = group;
    tag_handle handle = NONE;
    return tag_query(&query, &handle, 1) == 1 ? handle : tag_handle(NONE);
}

tag_handle require_tag(const TagPath& path) {
    const tag_handle handle = find_tag(path.group, path.name);
    if (handle == NONE) throw CommandError("no tag " + tag_path_text(path.group, path.name));
    return handle;
}

std::vector<std::byte> read_tag_data(tag_handle handle) {
    const std::int32_t size = tag_get_size(handle);
    std::vector<std::byte> data(static_cast<std::size_t>(std::max(size, 0)));
    const bool read = size >= 0 && (size == 0 || tag_file_read(handle, 0, size, data.data()));
    tag_file_close_local();
    if (!read) throw CommandError("could not read " + tag_path_text(handle));
    return data;
}

std::string tag_path_text(tag_code group, std::string_view name) {
    return std::string(tag_group_get_folder_name(group)) + "/" + std::string(name);
}

std::string tag_path_text(tag_handle handle) {
    const tag_header* header = tag_header_of(handle);
    return header ? tag_path_text(header->group_tag, bounded_text(header->name)) : std::string("<unknown>");
}

const char* file_type_name(int file_type) {
    switch (file_type) {
        case tag_file_type_local: return "local";
        case tag_file_type_plugin: return "plugin";
        case tag_file_type_patch: return "patch";
        case tag_file_type_foundation: return "foundation";
        default: return "unknown";
    }
}

std::string destination_name(int destination) {
    if (destination >= 0 && destination < foundation_file_count) return foundation_file_names[destination];
    return "none";
}

std::string holding_file(tag_handle handle) {
    const tag_header* header = tag_header_of(handle);
    if (!header) return "";
    if (tag_header_is_local(*header)) {
        file_reference file;
        return local_tag_file_reference(handle, file) ? file_reference_system_path(file) : std::string();
    }
    const monolithic_header* holder = loaded_file_header(header->file_index);
    if (!holder) return "";
    const char* folder = holder->type == monolithic_type_foundation ? "tags/" : "plugins/";
    return folder + std::string(bounded_text(holder->name));
}

std::optional<std::string> DirectoryTagNames::name_of(tag_code group, tag_code subgroup) const {
    const tag_handle handle = tag_find(group, subgroup);
    if (handle == NONE) return std::nullopt;
    return std::string(tag_get_name(handle));
}

std::optional<tag_code> DirectoryTagNames::subgroup_of(tag_code group, std::string_view name) const {
    const tag_handle handle = find_tag(group, name);
    if (handle == NONE) return std::nullopt;
    return tag_get_subgroup(handle);
}

}  // namespace cli
