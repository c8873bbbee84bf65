#pragma once

#include "core/file_layer.h"
#include "core/tag_code.h"

// The folders of the working folder: "local" (one sub-folder per group and the
// lock file), "plugins" and "tags".

inline constexpr const char* local_folder_name = "local";
inline constexpr const char* plugins_folder_name = "plugins";
inline constexpr const char* tags_folder_name = "tags";

// Creates "local", "plugins" and "tags" where missing.
bool create_tags_folders();
// Whether `path` (a system path; "." the current folder) is a working folder:
// it holds at least one of "local", "plugins" and "tags".
bool is_working_folder(const char* path);
// Fills a folder reference (root 0) with the folder of the group's local tags:
// local\<folder name>, or <folder name> for groups outside local.
bool local_tag_folder(tag_code group, file_reference& folder);
