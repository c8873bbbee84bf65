#pragma once

// Finding the tags a user names: "G/NAME", where G is a group code ("mons") or
// a folder name ("monsters"), and names compare ignoring case. Works on the open
// tag directory; failures throw CommandError.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/record_json.h"
#include "core/tag_code.h"
#include "tag_files/tag_directory.h"

namespace cli {

struct TagPath {
    tag_code group = 0;
    std::string name;
};

// A group of the tag file system's table, or nothing.
std::optional<tag_code> find_group_named(std::string_view text);
tag_code parse_group(std::string_view text);
TagPath parse_tag_path(std::string_view text);
// Whether the text has the "G/NAME" form with a known group.
bool looks_like_tag_path(std::string_view text);

// The visible tag of the group with that name (ignoring case), or NONE.
tag_handle find_tag(tag_code group, std::string_view name);
tag_handle require_tag(const TagPath& path);

std::vector<std::byte> read_tag_data(tag_handle handle);

// "monsters/Dwarf Lord".
std::string tag_path_text(tag_code group, std::string_view name);
std::string tag_path_text(tag_handle handle);

// "local", "plugin", "patch" or "foundation".
const char* file_type_name(int file_type);
// The foundation file a destination names, or "none".
std::string destination_name(int destination);
// The file that holds the tag, relative to the working folder
// ("local/monsters/Dwarf Lord", "tags/small install").
std::string holding_file(tag_handle handle);

// Names of visible tags, for reference fields.
class DirectoryTagNames final : public TagNames {
public:
    std::optional<std::string> name_of(tag_code group, tag_code subgroup) const override;
    std::optional<tag_code> subgroup_of(tag_code group, std::string_view name) const override;
};

}  // namespace cli
