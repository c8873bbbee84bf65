#include "tag_files/mesh_entry_point.h"

#include <algorithm>
#include <cstring>

#include "core/text.h"
#include "tag_files/tag_data.h"

namespace {

// The mesh header is the first 1024 bytes of a mesh tag; the subgroup of the
// string list holding the map's long name is the big-endian field at byte 140.
constexpr std::int32_t mesh_header_size = 1024;
constexpr std::int32_t mesh_string_list_position = 140;

bool read_string_list_code(tag_handle mesh, tag_code& string_list) {
    if (tag_get_size(mesh) < mesh_header_size) return false;
    unsigned char stored[4];
    if (!tag_file_read(mesh, mesh_string_list_position, sizeof stored, stored)) return false;
    string_list = make_tag(static_cast<char>(stored[0]), static_cast<char>(stored[1]), static_cast<char>(stored[2]),
                           static_cast<char>(stored[3]));
    return true;
}

// The first line of the string list, cut at a line end or a NUL, at most 63 characters.
bool read_first_line(tag_code string_list, char (&description)[entry_point_description_capacity]) {
    const tag_handle handle = tag_find(string_list_group_tag, string_list);
    const std::int32_t size = tag_get_size(handle);
    if (handle == NONE || size < 0) return false;
    char text[entry_point_description_capacity] = {};
    const std::int32_t length = std::min<std::int32_t>(size, entry_point_description_capacity - 1);
    if (length > 0 && !tag_file_read(handle, 0, length, text)) return false;
    const std::size_t line_length = std::strcspn(text, "\r\n");
    copy_text(description, std::string_view(text, line_length));
    return true;
}

}  // namespace

bool entry_point_from_mesh_tag(tag_handle handle, stored_entry_point& entry_point) {
    const tag_header* header = tag_visible_header(handle);
    if (!header || header->group_tag != mesh_group_tag) return false;
    entry_point = stored_entry_point{};
    entry_point.subgroup = header->subgroup_tag;
    entry_point.user_data = header->user_data;
    copy_text(entry_point.name, bounded_text(header->name));
    tag_code string_list = 0;
    if (!read_string_list_code(handle, string_list) || !read_first_line(string_list, entry_point.description)) {
        copy_text(entry_point.description, bounded_text(header->name));
    }
    return true;
}
