#pragma once

// Making new tags from the main frame: a new tag of a group, filled with the
// group's default record, and a copy of an existing tag. Both ask for the name
// with the name dialog, rebuild the group's branch of the tree and open the new
// tag in its form.

#include "core/tag_code.h"

#include <string>

class CQuilletFrameWnd;

// Creates a tag of `group` under a name the user gives. `font` runs the font
// import instead (nothing happens while there is none).
void create_tag_with_dialog(CQuilletFrameWnd& frame, tag_code group);

// Creates a copy of the tag `subgroup` of `group`, whose name the tree shows as
// `name` (Windows-1252), under a name the user gives.
void duplicate_tag(CQuilletFrameWnd& frame, tag_code group, tag_code subgroup, const std::string& name);
