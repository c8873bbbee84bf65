#pragma once

// Files and folders as the tag file system sees them. Operations return a truth
// value and record the kind of the last failure (error_file_read ...
// error_file_general); they report nothing themselves.
//
// Sharing: a file opened for reading only may be opened for reading elsewhere at
// the same time; a file opened with write access is not shared at all. Conflicting
// opens fail at once with error_file_open, between processes and within one.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "core/file_reference.h"
#include "core/folder_listing.h"
#include "core/search_roots.h"

// open_file modes
inline constexpr int open_for_reading = 1;
inline constexpr int open_for_writing = 2;
inline constexpr int open_at_end = 4;

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
// the temporary file is removed and the original left untouched. An existing file
// that this process may not write is not replaced.
bool replace_file_atomically(const file_reference& reference,
                             const std::function<bool(file_reference& temporary)>& writer);
bool replace_file_atomically(const file_reference& reference, std::span<const std::byte> contents);

// Names replace_file_atomically gives its temporary files, which a folder scan skips.
bool is_temporary_file_name(std::string_view name);
// Exactly such a name as mkstemp completes it: the prefix and six letters or digits.
bool is_own_temporary_file_name(std::string_view name);

// The last failure code, which is then reset to 0.
int16_t file_last_error();
