#pragma once

// A file reference names a file or folder relative to a search root (0 the working
// folder, 1 the game disc) with a backslash-separated path; the separators become
// '/' only when the path is handed to the system.

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int file_path_capacity = 256;  // 255 characters and a NUL

// file_reference::flags
inline constexpr uint16_t file_reference_names_file = 0x0001;

struct file_reference {
    uint16_t flags;                  // file_reference_names_file, or 0 for a folder
    int16_t root;                    // search root index
    char path[file_path_capacity];   // relative to the root, '\\' separated
    int handle;                      // open descriptor, or -1 when closed
};

// file_reference_get_name parts
inline constexpr int name_part_folder = 1;
inline constexpr int name_part_name = 2;
inline constexpr int name_part_extension = 4;

void file_reference_initialize(file_reference& reference, int16_t root);
void file_reference_append_folder(file_reference& reference, std::string_view name);
void file_reference_set_name(file_reference& reference, std::string_view name);

// Root 0: the path; other roots: the root's folder followed by the path (at most
// 251 characters of it).
std::string file_reference_full_path(const file_reference& reference);

// The path as given to the system: the full path with '/' separators.
std::string file_reference_system_path(const file_reference& reference);

// Any combination of name_part_folder, name_part_name and name_part_extension; all
// three give the whole path, name and extension the file name.
std::string file_reference_get_name(const file_reference& reference, int parts);
