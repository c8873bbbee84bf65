#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "tag_files/tag_directory.h"

// Reading and writing a tag's data. Positions are relative to the start of the
// data; a negative position or size, or a range past the end of the data, is
// refused. Every change of a local tag's file is made on a complete copy in the
// same folder that then replaces the file, so an interrupted save leaves either
// the old or the new content.

bool tag_file_read(tag_handle handle, std::int32_t position, std::int32_t size, void* buffer);
// The same through the 16384-byte read-ahead window, for many small sequential
// reads of tags in monolithic files.
bool tag_file_read_ahead(tag_handle handle, std::int32_t position, std::int32_t size, void* buffer);

// Writes size bytes at position of the data (extending it when needed; never
// shortening), first making a monolithic tag local; the handle may change.
bool tag_file_write(tag_handle& handle, std::int32_t position, std::int32_t size, const void* buffer);
// With codes: converts count elements to file order, writes them and converts
// them back whatever the outcome. With no codes (an empty span) it is a plain write.
bool tag_file_write_byte_swapped(tag_handle& handle, std::int32_t position, std::int32_t element_size,
                                 std::int32_t count, void* data, std::span<const std::int16_t> codes);
// Replaces the whole data of a tag in one step, keeping its name, subgroup,
// version, destination and user data; a monolithic tag is made local first.
bool tag_replace_data(tag_handle& handle, const void* data, std::int32_t size);
// The same with the data in pieces that follow each other, so that a large tag
// is written from its parts without being put together in memory first.
bool tag_replace_data(tag_handle& handle, std::span<const std::span<const std::byte>> pieces);

// Closes the open local tag file.
void tag_file_close_local();

// Forgets what the read-ahead window holds (when a loaded monolithic file goes away).
void tag_read_ahead_discard();
// Allocates or frees the read-ahead window with the directory.
bool tag_read_ahead_allocate();
void tag_read_ahead_free();
