#pragma once

// Creating a tag as the editor's New command does: the group's current version
// and default destination, then, for a group with a default record and a
// user-data function, the user data of the default and the default record in
// file order. A map gets an all-zero header of 1024 bytes, which is what the
// editor's form makes of an empty map. Other groups get an empty tag.

#include <string>

#include "tag_files/tag_directory.h"

namespace cli {

// The new tag's handle, or NONE (the tag file system has reported why).
tag_handle create_tag_from_default(tag_code group, const std::string& name);

}  // namespace cli
