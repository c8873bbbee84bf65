#include "tag_files/stale_temporary_files.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/error_manager.h"
#include "core/file_layer.h"
#include "tag_files/tag_folders.h"
#include "tag_files/tag_groups.h"

namespace {

void remove_from(const file_reference& folder) {
    // The folder listing passes temporary files over, so the folder is read here.
    std::error_code error;
    std::vector<std::string> stale;
    for (std::filesystem::directory_iterator entry(file_reference_system_path(folder), error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code kind_error;
        if (is_own_temporary_file_name(name) && entry->is_regular_file(kind_error)) stale.push_back(name);
    }
    for (const std::string& name : stale) {
        file_reference file = folder;
        file_reference_set_name(file, name);
        if (delete_file_or_folder(file)) {
            log_message(__FILE__, __LINE__, "removed the stale temporary file '%s'",
                        file_reference_full_path(file).c_str());
        }
    }
}

}  // namespace

void remove_stale_temporary_files() {
    for (const char* name : {plugins_folder_name, tags_folder_name}) {
        file_reference folder;
        file_reference_initialize(folder, working_folder_root);
        file_reference_append_folder(folder, name);
        remove_from(folder);
    }
    for (const group_definition* group = tag_group_next(nullptr); group; group = tag_group_next(group)) {
        file_reference folder;
        if (local_tag_folder(group->group_tag, folder)) remove_from(folder);
    }
}
