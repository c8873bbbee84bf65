#include "tag_files/tag_folders.h"

#include "core/error_manager.h"
#include "tag_files/tag_groups.h"

#include <filesystem>
#include <system_error>

bool create_tags_folders() {
    bool created = true;
    for (const char* name : {local_folder_name, plugins_folder_name, tags_folder_name}) {
        file_reference folder;
        file_reference_initialize(folder, working_folder_root);
        file_reference_append_folder(folder, name);
        if (file_exists(folder)) continue;
        if (!create_file_or_folder(folder)) {
            handle_error(error_file_create, __FILE__, __LINE__, "couldn't create tags folder '%s'.", name);
            created = false;
        }
    }
    return created;
}

bool is_working_folder(const char* path) {
    std::error_code error;
    for (const char* name : {local_folder_name, plugins_folder_name, tags_folder_name}) {
        if (std::filesystem::is_directory(std::filesystem::path(path) / name, error)) return true;
    }
    return false;
}

bool local_tag_folder(tag_code group, file_reference& folder) {
    file_reference_initialize(folder, working_folder_root);
    const group_definition* definition = tag_group_get_definition(group);
    if (!definition) return false;
    if (!(definition->flags & group_flag_outside_local)) file_reference_append_folder(folder, local_folder_name);
    file_reference_append_folder(folder, definition->folder_name);
    return true;
}
