#pragma once

#include <cstdint>

#include "core/tag_code.h"

// The fixed table of the tag groups the tag file system knows, in the order in
// which the local folder is scanned and group folder names are listed.

inline constexpr std::uint32_t group_flag_marks_file = 0x1;     // a monolithic file holding one is flagged
inline constexpr std::uint32_t group_flag_outside_local = 0x2;  // folder in the working folder; never packaged
inline constexpr std::uint32_t group_flag_numbered = 0x4;       // local tags get unique subgroup numbers

inline constexpr int tag_group_table_size = 38;

struct group_definition {
    const char* folder_name;
    std::uint32_t flags;
    tag_code group_tag;
    std::int16_t version;             // the group's current data version
    std::int8_t default_destination;  // of a newly created local tag
};

// The row with that code, or nullptr.
const group_definition* tag_group_get_definition(tag_code group);
// The first row when given nullptr, else the following row; nullptr after the last.
const group_definition* tag_group_next(const group_definition* row);
int tag_group_count();
// Fills names[0..37] with the folder names in table order.
void tag_group_get_folder_names(const char* names[tag_group_table_size]);
// The folder name, or "<invalid group>" for a code not in the table.
const char* tag_group_get_folder_name(tag_code group);
// The current version; the group must be in the table (NONE otherwise).
std::int16_t tag_group_get_version(tag_code group);

// The six groups whose local tags count when the directory is opened in game mode.
bool tag_group_is_game_mode_group(tag_code group);
