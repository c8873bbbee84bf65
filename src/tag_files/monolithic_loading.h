#pragma once

#include <cstdint>

#include "core/file_layer.h"

// What the tag directory needs from the monolithic files (foundation files,
// patches, plugins). The directory calls these; the monolithic file units
// implement them.

// Fills the plugin table from the plugins folder (at initialization).
void scan_plugins_folder();
// The highest patch level available in the plugin table (1 when none).
std::int16_t highest_patch_level();
// The three loading steps of opening the directory, in this order. Each adds
// the headers of the files it loads with tag_header_add.
bool load_foundation_files();
bool load_patches(std::int16_t level);
bool load_plugins(const std::int16_t* plugin_list, std::int16_t count);
// Adds the entry points of the local mesh tags (once per run).
void build_local_entry_points();

// The open file of the loaded monolithic file with that index, or nullptr.
file_reference* loaded_file_reference(std::int32_t file_index);
// Its length in bytes from its header, or 0 when there is no such file.
std::int32_t loaded_file_length(std::int32_t file_index);
// Closes every loaded monolithic file and empties the loaded-file table. The
// directory has already dropped the tags' headers.
void unload_monolithic_files();
