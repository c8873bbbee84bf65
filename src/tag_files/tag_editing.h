#pragma once

#include <cstdint>

#include "tag_files/tag_directory.h"
#include "tag_files/tag_header.h"

// Creating, deleting and changing tags. Operations that may first copy a tag of
// a monolithic file into the local folder take the handle by reference and
// store the new handle there.

// Creates an empty local tag (replacing a local tag of the same name); its
// handle, or NONE.
tag_handle tag_file_create(tag_code group, const char* name, std::int16_t version);
// Deletes a local tag's file and header.
bool tag_file_delete(tag_handle handle);
// Makes a visible monolithic tag local, with the same subgroup; true at once
// for a local tag.
bool copy_tag_to_local(tag_handle& handle);

// Name, user_data, version and destination from info.
bool tag_set_info(tag_handle& handle, const tag_info* info);
bool tag_set_user_data(tag_handle& handle, std::uint32_t value);
bool tag_set_version(tag_handle& handle, std::int16_t value);
bool tag_set_destination(tag_handle& handle, std::int16_t value);
bool tag_rename(tag_handle& handle, const char* name);

// Makes the local tag of the header's group and subgroup exactly as stored:
// its file is written at once with this header (in file order) and the data.
// A local tag of that group and subgroup under another name is removed once
// the file is complete; a tag of that name with another subgroup refuses it.
// The handle, or NONE.
tag_handle tag_file_restore(const tag_header& stored, const void* data, std::int32_t size);
