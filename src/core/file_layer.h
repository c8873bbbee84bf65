#pragma once

// Files and folders as the tag file system sees them. A file reference names a
// file or folder relative to a search root (0 the working folder, 1 the game disc)
// with a backslash-separated path; the separators become '/' only at the system
// call. Operations return a truth value and record the kind of the last failure
// (error_file_read ... error_file_general); they report nothing themselves.
//
// Sharing: a file opened for reading only may be opened for reading elsewhere at
// the same time; a file opened with write access is not shared at all. Conflicting
// opens fail at once with error_file_open, between processes and within one.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
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

// open_file modes
inline constexpr int open_for_reading = 1;
inline constexpr int open_for_writing = 2;
inline constexpr int open_at_end = 4;

// file_reference_get_name parts
inline constexpr int name_part_folder = 1;
inline constexpr int name_part_name = 2;
inline constexpr int name_part_extension = 4;

// search roots
inline constexpr int16_t working_folder_root = 0;
inline constexpr int16_t game_disc_root = 1;
inline constexpr int search_root_count = 2;

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

bool create_file_or_folder(file_reference& reference);
bool delete_file_or_folder(file_reference& reference);
bool file_exists(const file_reference& reference);
bool rename_file(file_reference& reference, std::string_view name);

bool open_file(file_reference& reference, int mode);
bool close_file(file_reference& reference);

// -1 on failure.
int64_t get_file_position(file_reference& reference);
bool set_file_position(file_reference& reference, int64_t position);
int64_t get_file_length(file_reference& reference);
bool set_file_length(file_reference& reference, int64_t length);

// True only when all count bytes were read or written.
bool read_file(file_reference& reference, std::size_t count, void* buffer);
bool write_file(file_reference& reference, std::size_t count, const void* buffer);
bool file_read_from_position(file_reference& reference, int64_t position, std::size_t count, void* buffer);
bool file_write_at_position(file_reference& reference, int64_t position, std::size_t count,
                            const void* buffer);

// The whole file in a block from allocate_memory (the caller disposes of it) and its
// length, or nullptr.
void* load_whole_file(file_reference& reference, int64_t& length);

// Writes a complete new version of the file beside it under a temporary name, makes
// it durable, then renames it over the reference's file, so the old contents stay
// whole until the new ones are. The writer gets the temporary file open for writing
// (position 0) and answers whether it wrote everything; on false, or on any failure,
// the temporary file is removed and the original left untouched.
bool replace_file_atomically(const file_reference& reference,
                             const std::function<bool(file_reference& temporary)>& writer);
bool replace_file_atomically(const file_reference& reference, std::span<const std::byte> contents);

// Names replace_file_atomically gives its temporary files, which a folder scan skips.
bool is_temporary_file_name(std::string_view name);

// The last failure code, which is then reset to 0.
int16_t file_last_error();

// One listing at a time; starting another abandons the one under way. A recursive
// listing enters sub-folders depth first, at most 8 levels counting the first.
void begin_folder_listing(bool recursive, const file_reference& folder);
bool next_file_in_listing(file_reference& file);

// Slot 1 holds the game disc's volume label. The disc is a mounted volume whose
// mount point's last component, lower-cased, equals the label lower-cased.
void set_search_root_label(int16_t slot, std::string_view text);
void append_search_root_label(int16_t slot, std::string_view text);
bool search_root_available(int16_t slot);
