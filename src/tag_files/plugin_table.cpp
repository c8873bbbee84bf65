#include "tag_files/plugin_table.h"

#include "core/text.h"
#include "tag_files/monolithic_loading.h"
#include "tag_files/slot_table.h"
#include "tag_files/tag_directory.h"

namespace {

struct entry_point_row {
    std::int16_t identifier;
    std::int16_t plugin_index;
    std::int16_t rank;
    bool is_local;
    tag_code subgroup;
    std::uint32_t user_data;
    char name[tag_name_capacity];
    char description[entry_point_description_capacity];
};

struct plugin_tables {
    typed_slot_table<plugin_row> plugins{"tag file plugin", plugin_table_capacity};
    typed_slot_table<entry_point_row> entry_points{"tag file entry points", entry_point_table_capacity};

    plugin_tables() {
        plugins.create();
        entry_points.create();
    }
};

plugin_tables& tables() {
    static plugin_tables instance;
    return instance;
}

std::int16_t rank_of(std::int16_t plugin_index, bool is_local) {
    if (is_local) return entry_point_rank_local;
    if (plugin_index == NONE) return entry_point_rank_foundation;
    const plugin_row* plugin = plugin_row_at(plugin_index);
    if (plugin && plugin->is_patch) return plugin->plugin_flags;
    return entry_point_rank_plugin;
}

bool same_text(std::string_view first, std::string_view second) {
    return compare_text_ignoring_case(first, second) == 0;
}

// Another row of at least this row's rank with the same name or description
// takes its place; in game mode local rows neither count nor are offered.
bool is_superseded(const entry_point_row& row, std::int32_t row_index, bool game_mode) {
    const auto& entry_points = tables().entry_points;
    for (std::int32_t index = 0; index < entry_points.high_water_mark(); ++index) {
        const entry_point_row* other = entry_points.at(index);
        if (!other || index == row_index || (game_mode && other->is_local) || other->rank < row.rank) continue;
        if (same_text(bounded_text(other->name), bounded_text(row.name)) ||
            same_text(bounded_text(other->description), bounded_text(row.description))) {
            return true;
        }
    }
    return false;
}

}  // namespace

void reset_plugin_tables() {
    tables().plugins.clear();
    tables().entry_points.clear();
}

std::int16_t plugin_row_take() {
    const std::int32_t handle = tables().plugins.take();
    return handle == NONE ? std::int16_t(NONE) : static_cast<std::int16_t>(slot_handle_index(handle));
}

void plugin_row_release(std::int16_t index) { tables().plugins.release(index); }

plugin_row* plugin_row_at(std::int32_t index) {
    if (index < 0 || index >= plugin_table_capacity) return nullptr;
    return tables().plugins.at(index);
}

std::int32_t plugin_table_high_water_mark() { return tables().plugins.high_water_mark(); }

bool get_plugin_info(std::int32_t index, plugin_info* info) {
    const plugin_row* row = plugin_row_at(index);
    if (index >= plugin_table_high_water_mark() || !row) return false;
    copy_text(info->name, bounded_text(row->name));
    info->marks_file = row->marks_file;
    info->is_patch = row->is_patch;
    info->has_entry_points = row->has_entry_points;
    return true;
}

std::int32_t get_plugin_list(plugin_info* infos) {
    const std::int32_t count = plugin_table_high_water_mark();
    if (infos) {
        for (std::int32_t index = 0; index < count; ++index) {
            if (!get_plugin_info(index, &infos[index])) infos[index] = plugin_info{};
        }
    }
    return count;
}

std::int16_t highest_patch_level() {
    std::int16_t level = first_patch_number - 1;
    while (level < INT16_MAX) {
        bool found = false;
        for (std::int32_t index = 0; index < plugin_table_high_water_mark() && !found; ++index) {
            const plugin_row* row = plugin_row_at(index);
            found = row && row->is_patch && row->plugin_flags == level + 1;
        }
        if (!found) break;
        ++level;
    }
    return level;
}

std::uint32_t patch_checksum(std::int16_t number) {
    for (std::int32_t index = 0; index < plugin_table_high_water_mark(); ++index) {
        const plugin_row* row = plugin_row_at(index);
        if (row && row->is_patch && row->plugin_flags == number) return row->checksum;
    }
    return 0;
}

bool add_entry_point(const stored_entry_point& entry_point, std::int16_t plugin_index, bool is_local) {
    const std::int32_t handle = tables().entry_points.take();
    if (handle == NONE) return false;
    entry_point_row* row = tables().entry_points.for_handle(handle);
    row->plugin_index = plugin_index;
    row->rank = rank_of(plugin_index, is_local);
    row->is_local = is_local;
    row->subgroup = entry_point.subgroup;
    row->user_data = entry_point.user_data;
    copy_text(row->name, bounded_text(entry_point.name));
    copy_text(row->description, bounded_text(entry_point.description));
    return true;
}

std::int32_t get_entry_point_list(entry_point_item* items) {
    const bool game_mode = tag_files_game_mode();
    const auto& entry_points = tables().entry_points;
    std::int32_t count = 0;
    for (std::int32_t index = 0; index < entry_points.high_water_mark(); ++index) {
        const entry_point_row* row = entry_points.at(index);
        if (!row || (game_mode && row->is_local) || is_superseded(*row, index, game_mode)) continue;
        entry_point_item& item = items[count++];
        item.plugin_index = row->plugin_index;
        copy_text(item.description, bounded_text(row->description));
        item.subgroup = row->subgroup;
        item.user_data = row->user_data;
        copy_text(item.name, bounded_text(row->name));
    }
    return count;
}
