#include "cli/tag_creation.h"

#include <vector>

#include "definitions/group_registry.h"
#include "definitions/map_definitions.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace cli {

tag_handle create_tag_from_default(tag_code group, const std::string& name) {
    tag_handle handle = tag_file_create(group, name.c_str(), tag_group_get_version(group));
    if (handle == NONE) return NONE;
    const definitions::user_data_function user_data = definitions::get_user_data_function(group);
    const std::vector<std::byte> record = definitions::default_record_in_file_order(group);
    bool written = true;
    if (group == make_tag("mesh")) {
        // The editor's form reads an empty map as this header; here it is written at
        // once, so that every reader of the tag finds a whole header.
        const std::vector<std::byte> header(sizeof(definitions::mesh_header));
        written = tag_file_write(handle, 0, static_cast<std::int32_t>(header.size()), header.data());
    } else if (user_data && !record.empty()) {
        // The user data comes from the host-order default, as the registry keeps it.
        const auto value = static_cast<std::uint32_t>(user_data(definitions::get_default_definition(group)));
        written = tag_set_user_data(handle, value) &&
                  tag_file_write(handle, 0, static_cast<std::int32_t>(record.size()), record.data());
    }
    tag_file_close_local();
    return written ? handle : tag_handle(NONE);
}

}  // namespace cli
