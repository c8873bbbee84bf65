#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/file_layer.h"
#include "tag_files/tag_directory.h"

// Local tag files: a 64-byte header in file order, then the data. At most one
// local tag file is open at a time, locked against every other opener.

// Makes sure the group's folder exists and creates the tag's file whole, with
// the header (converted to file order) and the data: the file appears complete
// or not at all. An existing file of that name is replaced.
bool local_tag_create_file(const char* name, tag_code group, const tag_header& header, const void* data,
                           std::int32_t size);
// Closes the open local tag file and deletes the given tag's file.
bool local_tag_delete_file(tag_handle handle);
// Makes the tag's file the open local tag file (read and write, not shared).
bool local_tag_open(tag_handle handle);
// Closes the open local tag file; the handle it belonged to, or NONE.
tag_handle local_tag_close();
// Reads at a file position of the open local tag file (data starts at 64).
bool local_tag_read(std::int64_t position, std::int32_t count, void* buffer);
// The header at the start of the open local tag file, in host order, exactly
// as stored (its identifier, flags and size included).
bool local_tag_read_file_header(tag_header& header);
// Writes at a file position of the open local tag file through a complete
// replacement copy of the file.
bool local_tag_write(std::int64_t position, std::int32_t count, const void* buffer);
// Writes the header (converted to file order) at position 0 the same way.
bool local_tag_write_header(const tag_header& header);
// Replaces the open local tag file with the header and data given, the data
// given in pieces that follow each other (header.size bytes in all).
bool local_tag_replace_contents(const tag_header& header, std::span<const std::span<const std::byte>> pieces);
// The open local tag file's length less 64, or NONE when none is open.
std::int32_t local_tag_data_size();
// The handle of the open local tag, or NONE.
tag_handle local_tag_open_handle();
// The reference of a local tag's file (its folder and on-disk name).
bool local_tag_file_reference(tag_handle handle, file_reference& file);
