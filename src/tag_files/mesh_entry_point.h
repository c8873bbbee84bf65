#pragma once

#include "tag_files/monolithic_records.h"
#include "tag_files/tag_directory.h"

// How a mesh tag offers itself as a playable map.

inline constexpr tag_code mesh_group_tag = make_tag("mesh");
inline constexpr tag_code string_list_group_tag = make_tag("stli");

// Fills the entry point (host order) of a visible mesh tag: its subgroup,
// user_data and name, and as description the first line of the string list its
// mesh header names, or the tag's name when the mesh header is short or the string
// list cannot be read. False when the tag is not a visible mesh tag.
bool entry_point_from_mesh_tag(tag_handle handle, stored_entry_point& entry_point);
