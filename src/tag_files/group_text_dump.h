#pragma once

// The text dump of a group: the names and subgroup codes of its tags, one line
// each, in a text file named after the group's folder.

#include <string>

#include "core/tag_code.h"

// One line per visible tag of the group in slot order: its name, a TAB and its
// subgroup code (four characters, right-aligned), ended by CR LF.
std::string group_text_dump(tag_code group);

// "<folder name>.txt".
std::string group_text_dump_file_name(tag_code group);

// Writes the dump to its file in the working folder, replacing an earlier one in
// one step. False when the file could not be written (nothing is reported).
bool dump_group_text(tag_code group);
