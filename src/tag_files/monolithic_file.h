#pragma once

#include <cstdint>

#include "core/file_reference.h"
#include "tag_files/monolithic_records.h"

// Reading monolithic files, which may come from other players: every count,
// offset and size in them is checked before use. Failures are reported as Data
// Corrupted naming the file by its full path.

inline constexpr std::int32_t loaded_file_capacity = 32;

// Reads and checks the header; the name field becomes the file's own name. True
// when valid; the file is left closed.
bool read_monolithic_header(file_reference& file, monolithic_header& header);

// Reads and checks the tag headers. Unless check_only, adds the file to the
// loaded-file table and its tags to the directory and leaves it open (owned by
// the table, which keeps its own copy of the reference); with check_only a true
// result also leaves the file open, for the caller to close. When given,
// loaded_index receives the loaded-file row.
bool read_monolithic_tags(file_reference& file, const monolithic_header& header, bool check_only,
                          std::int32_t* loaded_index = nullptr);

// Reads the entry points from the open file and adds them to the entry-point
// table with the given plugin row (NONE for a foundation file).
bool read_entry_points(file_reference& file, const monolithic_header& header, std::int16_t plugin_index);

// The loaded-file row whose header has that name (ignoring case) and checksum, or NONE.
std::int32_t find_loaded_file(const char* name, std::uint32_t checksum);
// The header of a loaded file, or nullptr.
const monolithic_header* loaded_file_header(std::int32_t file_index);
// Closes every loaded file and empties the table; the directory drops the headers.
void close_loaded_files();
// Drops one loaded file: removes its tags from the directory, closes it, frees the row.
void unload_monolithic_file(std::int32_t file_index);
