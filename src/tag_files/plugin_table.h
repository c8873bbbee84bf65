#pragma once

#include <cstdint>

#include "core/tag_code.h"
#include "tag_files/monolithic_records.h"

// The plugins and patches found in the plugins folder ("tag file plugin", 512
// rows, never removed during a run) and the entry points known to the program
// ("tag file entry points", 512 rows).

inline constexpr std::int32_t plugin_table_capacity = 512;
inline constexpr std::int32_t entry_point_table_capacity = 512;

// Entry-point ranks: a row offers its map unless a row of at least its rank has
// the same name or description.
inline constexpr std::int16_t entry_point_rank_foundation = 0;
inline constexpr std::int16_t entry_point_rank_plugin = -1;
inline constexpr std::int16_t entry_point_rank_local = 32767;

struct plugin_row {
    std::int16_t identifier;
    std::int16_t plugin_flags;  // a plugin's option bits, a patch's number
    char name[tag_name_capacity];
    char url[monolithic_url_capacity];
    std::uint32_t checksum;     // the header's data checksum
    bool marks_file;
    bool is_patch;
    bool has_entry_points;
};

struct plugin_info {
    char name[tag_name_capacity];
    bool marks_file;
    bool is_patch;
    bool has_entry_points;
};

struct entry_point_item {
    std::int16_t plugin_index;  // plugin table row, NONE for a foundation file or a local tag
    char description[entry_point_description_capacity];
    tag_code subgroup;
    std::uint32_t user_data;
    char name[tag_name_capacity];
};

// Forgets every plugin, entry point and patch checksum, as at program start.
void reset_plugin_tables();

// Takes a plugin row (zero-filled); its index, or NONE when the table is full.
std::int16_t plugin_row_take();
void plugin_row_release(std::int16_t index);
// The row in use at index, or nullptr.
plugin_row* plugin_row_at(std::int32_t index);
// One past the highest row in use.
std::int32_t plugin_table_high_water_mark();

bool get_plugin_info(std::int32_t index, plugin_info* info);
// Fills infos (when given) for every row up to the high-water mark; returns that count.
std::int32_t get_plugin_list(plugin_info* infos);

// highest_patch_level() is declared with the loading steps (monolithic_loading.h).
// The checksum of the first patch with that number, 0 when there is none.
std::uint32_t patch_checksum(std::int16_t number);

// Adds a row for a stored entry point (host order) held by the given plugin row
// (NONE: a foundation file, or a local tag when is_local); false when the table is full.
bool add_entry_point(const stored_entry_point& entry_point, std::int16_t plugin_index, bool is_local);
// The entry points to offer after removing duplicates, at most
// entry_point_table_capacity items; returns the count.
std::int32_t get_entry_point_list(entry_point_item* items);
