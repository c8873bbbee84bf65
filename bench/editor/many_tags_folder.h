#pragma once

// A working folder over 10,000 tags, as a large installation has them: five
// foundation files written by the monolithic writer holding 8,000 tags
// ("packaged N"), and 2,000 local tags beside them ("local N"), spread over the
// groups shown in the tree. The tag directory is left open on it.

#include "definitions/group_registry.h"
#include "editor/tag_group_registry.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace many_tags {

inline constexpr int foundation_tags = 8000;
inline constexpr int local_tags = 2000;

// The groups shown in the tree whose tags have a default record.
inline std::vector<tag_code> shown_groups() {
    std::vector<tag_code> groups;
    for (const group_definition* row = tag_group_next(nullptr); row; row = tag_group_next(row)) {
        if (!CTagGroupRegistry::is_hidden(row->group_tag) &&
            CTagGroupRegistry::get_default_definition(row->group_tag)) {
            groups.push_back(row->group_tag);
        }
    }
    return groups;
}

inline void create_tags(const char* prefix, int count) {
    const std::vector<tag_code> groups = shown_groups();
    for (int index = 0; index < count; ++index) {
        const tag_code group = groups[static_cast<size_t>(index) % groups.size()];
        const std::string name = prefix + std::to_string(index);
        const std::vector<std::byte> record = definitions::default_record_in_file_order(group);
        tag_handle handle = tag_file_create(group, name.c_str(), tag_group_get_version(group));
        if (handle == NONE || !tag_file_write(handle, 0, static_cast<int32_t>(record.size()), record.data())) {
            std::abort();
        }
    }
    tag_file_close_local();
}

// Makes the folder under the temporary folder and works in it; the foundation
// files are built in a staging folder from local tags there.
inline std::filesystem::path make_working_folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessary-many-tags-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    const std::filesystem::path folder = pattern;
    const std::filesystem::path staging = folder / "staging";
    std::filesystem::create_directories(staging);
    std::filesystem::current_path(staging);
    tag_files_initialize();
    if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    create_tags("packaged ", foundation_tags);
    if (!rebuild_foundation_files()) std::abort();
    tag_files_close();

    std::filesystem::current_path(folder);
    std::filesystem::create_directories(folder / "local");
    std::filesystem::create_directories(folder / "plugins");
    std::filesystem::rename(staging / "tags", folder / "tags");
    std::filesystem::remove_all(staging);
    tag_files_initialize();
    if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    create_tags("local ", local_tags);
    return folder;
}

// Closes the directory and removes the folder.
inline void remove_working_folder(const std::filesystem::path& folder) {
    tag_files_close();
    std::filesystem::current_path(folder.parent_path());
    std::filesystem::remove_all(folder);
}

}  // namespace many_tags
