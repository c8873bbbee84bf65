#pragma once

#include "core/tag_code.h"
#include "tag_files/tag_directory.h"

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

// Makes a new folder under the temporary folder, works in it and opens the tag
// file system there, with no tags yet.
inline std::filesystem::path open_empty_working_folder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) std::abort();
    const std::filesystem::path folder = pattern;
    std::filesystem::current_path(folder);
    tag_files_initialize();
    if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    return folder;
}
