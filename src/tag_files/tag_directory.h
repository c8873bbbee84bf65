#pragma once

#include <cstdint>

#include "tag_files/tag_header.h"

// The in-memory directory of every tag the program can see: the headers of the
// loaded monolithic files and of the local folder. Among tags that share a group
// and a subgroup exactly one is visible; the others are hidden.
//
// A tag handle holds the header's slot index in its low 16 bits and the slot's
// identifier in its high 16 bits. NONE, a slot out of range, a free slot or a
// stale identifier is treated as a hidden tag by every operation.

using tag_handle = std::int32_t;

inline constexpr std::int32_t tag_header_capacity = 10000;
inline constexpr std::int32_t tag_group_list_limit = 1024;
inline constexpr std::int32_t read_ahead_buffer_size = 16384;

// Describes one tag, or selects tags (-1 or an empty name means any).
struct tag_info {
    char name[tag_name_capacity];  // compared ignoring case
    std::uint32_t user_data;       // equal
    std::int16_t version;          // header version at least this
    std::int16_t destination;      // equal
    std::int16_t file_type;        // equal (0 selects local tags only)
    std::int32_t size;             // equal
    tag_code group;           // equal
    tag_code subgroup;        // equal
};

using tag_filter = bool (*)(const tag_header* header, void* filter_data);

// Setup ---------------------------------------------------------------------

// Folders, slot tables, the plugins folder scan and the exit procedure.
void tag_files_initialize();
// Loads the foundation files, the patches up to patch_level (NONE: the highest
// available) and the listed plugins, then scans the local folder.
bool tag_files_open(bool game_mode, const std::int16_t* plugin_list, std::int16_t plugin_count,
                    std::int16_t patch_level);
void tag_files_close();
bool tag_files_foundation_present();

// Finding and listing -------------------------------------------------------

tag_handle tag_find(tag_code group, tag_code subgroup);
void tag_query_initialize(tag_info* query);
// Collects up to limit (-1: no limit) visible matching tags in slot order;
// handles may be nullptr to count only. Returns the number collected.
std::int32_t tag_query(const tag_info* query, tag_handle* handles, std::int32_t limit);
std::int32_t tag_select(tag_filter filter, void* filter_data, tag_handle* handles, std::int32_t limit);
// handles must hold tag_group_list_limit entries.
std::int32_t tag_list_of_group(tag_code group, tag_handle* handles);
std::int32_t tag_count_of_group(tag_code group);
tag_handle tag_get_nth_of_group(tag_code group, std::int32_t n);

// Describing (NONE, or -1 for the 16-bit fields, for a hidden tag) ----------

bool tag_get_info(tag_handle handle, tag_info* info);
// "<unknown>" when the handle does not name a slot in use with its identifier.
const char* tag_get_name(tag_handle handle);
tag_code tag_get_group(tag_handle handle);
tag_code tag_get_subgroup(tag_handle handle);
std::int32_t tag_get_size(tag_handle handle);
std::uint32_t tag_get_user_data(tag_handle handle);
std::int16_t tag_get_version(tag_handle handle);
std::int16_t tag_get_file_type(tag_handle handle);
std::int16_t tag_get_destination(tag_handle handle);
// The data offset of any tag in use, hidden or not.
std::int32_t tag_get_data_offset(tag_handle handle);

// For the tag file system itself -------------------------------------------

// Adds a header (its identifier and hidden flag are ignored) and settles
// precedence; the new handle, or NONE when the table is full (reported).
tag_handle tag_header_add(const tag_header* header);
// Removes a header and settles precedence; false for a handle not in use.
bool tag_header_remove(tag_handle handle);
// The header a handle names when it is in use (hidden or not), else nullptr.
const tag_header* tag_header_of(tag_handle handle);
// The header of a visible tag, else nullptr.
const tag_header* tag_visible_header(tag_handle handle);
// The number of free header slots.
std::int32_t tag_header_free_count();

// A local tag's file name as it is on disk, which may differ from its header
// name (a name cut to 31 characters, a trailing run of periods and spaces);
// nullptr: the header's name.
tag_handle tag_header_add_local(const tag_header* header, const char* file_name);
// A local tag of the group, hidden or not, whose file has exactly that name; NONE if none.
tag_handle tag_find_local_file(tag_code group, const char* file_name);
// The local tags of the group, hidden or not, whose name equals name ignoring
// case (on disk they may differ in case), at most limit of them; the count.
std::int32_t tag_local_tags_named(tag_code group, const char* name, tag_handle* handles, std::int32_t limit);
// The on-disk file name of a local tag in use, else nullptr.
const char* tag_local_file_name(tag_handle handle);
// Changes a local tag's header name and on-disk file name together.
void tag_header_set_local_name(tag_handle handle, const char* header_name, const char* file_name);
// Mutable header of a tag in use, for the directory's own operations.
tag_header* tag_header_for_update(tag_handle handle);

bool tag_files_is_open();
bool tag_files_game_mode();
// Set by the foundation file loader.
void tag_files_set_foundation_present(bool present);
