#include "tag_files/monolithic_loader.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "core/file_layer.h"
#include "core/text.h"
#include "tag_files/mesh_entry_point.h"
#include "tag_files/monolithic_file.h"
#include "tag_files/monolithic_loading.h"
#include "tag_files/plugin_table.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_folders.h"

namespace {

constexpr std::uint32_t content_checksum_start = 0x101;

struct loader_state {
    std::uint32_t content_checksum = content_checksum_start;
    std::uint32_t patch_checksum = 0;
    std::array<bool, foundation_file_count> foundation_entry_points_read{};
    std::int16_t extra_plugin = NONE;       // plugin row of the extra plugin
    std::int32_t extra_loaded_file = NONE;  // its loaded-file row
    // Files present but refused, by folder and name: by the plugins-folder scan
    // of initialization, and by the last opening of the directory.
    std::vector<std::string> refused_by_scan;
    std::vector<std::string> refused_by_open;
};

loader_state& state() {
    static loader_state instance;
    return instance;
}

void note_refused(std::vector<std::string>& refused, const std::string& path) {
    if (std::find(refused.begin(), refused.end(), path) == refused.end()) refused.push_back(path);
}

void note_refused(std::vector<std::string>& refused, const char* folder, const std::string& name) {
    note_refused(refused, std::string(folder) + "/" + name);
}

file_reference foundation_file(int index, std::int16_t root) {
    file_reference file;
    file_reference_initialize(file, root);
    file_reference_append_folder(file, tags_folder_name);
    file_reference_set_name(file, foundation_file_names[index]);
    return file;
}

file_reference plugin_file(const char* name) {
    file_reference file;
    file_reference_initialize(file, working_folder_root);
    file_reference_append_folder(file, plugins_folder_name);
    file_reference_set_name(file, name);
    return file;
}

// Tries the foundation file on the working folder, then on the game disc when it
// is available, until a root gives a valid foundation header that accept takes.
template <class Accept>
bool on_first_root(int index, Accept accept) {
    for (std::int16_t root : {working_folder_root, game_disc_root}) {
        if (root != working_folder_root && !search_root_available(root)) continue;
        file_reference file = foundation_file(index, root);
        monolithic_header header;
        if (read_monolithic_header(file, header) && header.type == monolithic_type_foundation &&
            accept(file, header)) {
            return true;
        }
    }
    return false;
}

bool load_foundation_file(int index) {
    const bool loaded = on_first_root(index, [index](file_reference& file, const monolithic_header& header) {
        std::int32_t file_index = NONE;
        if (!read_monolithic_tags(file, header, false, &file_index)) return false;
        state().content_checksum ^= header.checksum;
        if (!state().foundation_entry_points_read[index]) {
            read_entry_points(*loaded_file_reference(file_index), header, NONE);
            state().foundation_entry_points_read[index] = true;
        }
        return true;
    });
    // A foundation file that is not there is no refusal: the game disc may hold it.
    if (!loaded && file_exists(foundation_file(index, working_folder_root))) {
        note_refused(state().refused_by_open, tags_folder_name, foundation_file_names[index]);
    }
    return loaded;
}

// Loads one plugin row; its loaded-file row, or NONE.
std::int32_t load_plugin(std::int16_t index) {
    const plugin_row* row = plugin_row_at(index);
    if (!row) return NONE;
    file_reference file = plugin_file(row->name);
    monolithic_header header;
    std::int32_t file_index = NONE;
    const bool loaded = read_monolithic_header(file, header) &&
                        (header.type == monolithic_type_plugin || header.type == monolithic_type_patch) &&
                        read_monolithic_tags(file, header, false, &file_index);
    if (!loaded) note_refused(state().refused_by_open, plugins_folder_name, row->name);
    return loaded ? file_index : std::int32_t(NONE);
}

// Fills a plugin row from a plugins-folder file that passed every check; the row
// is given back when its entry points cannot be read. The row is filled before
// the entry points are read, since their rank depends on whether it is a patch.
// False when the file keeps no row.
bool add_plugin_row(file_reference& file, const monolithic_header& header) {
    const std::int16_t index = plugin_row_take();
    if (index == NONE) return false;
    plugin_row* row = plugin_row_at(index);
    row->plugin_flags = header.plugin_flags;
    copy_text(row->name, bounded_text(header.name));
    copy_text(row->url, bounded_text(header.url));
    row->checksum = header.checksum;
    row->marks_file = (header.flags & monolithic_flag_marks_file) != 0;
    row->is_patch = header.type == monolithic_type_patch;
    row->has_entry_points = header.entry_point_count != 0;
    if (read_entry_points(file, header, index)) return true;
    plugin_row_release(index);
    return false;
}

}  // namespace

bool load_foundation_files() {
    state().refused_by_open.clear();
    tag_files_set_foundation_present(true);
    state().content_checksum = content_checksum_start;
    for (int index = 0; index < foundation_file_count; ++index) {
        if (!load_foundation_file(index)) tag_files_set_foundation_present(false);
    }
    log_message(__FILE__, __LINE__, "load foundation");
    return true;
}

bool load_patches(std::int16_t level) {
    const bool at_highest = level == highest_patch_level();
    if (at_highest) state().patch_checksum = 0;
    std::vector<std::int16_t> patches;
    bool complete = true;
    for (std::int32_t number = first_patch_number; number <= level && complete; ++number) {
        bool found = false;
        for (std::int32_t index = 0; index < plugin_table_high_water_mark(); ++index) {
            const plugin_row* row = plugin_row_at(index);
            if (!row || !row->is_patch || row->plugin_flags != number) continue;
            found = true;
            patches.push_back(static_cast<std::int16_t>(index));
            if (at_highest) state().patch_checksum ^= row->checksum;
        }
        complete = found;
    }
    bool result = false;
    if (complete) {
        state().content_checksum ^= state().patch_checksum;
        result = load_plugins(patches.data(), static_cast<std::int16_t>(patches.size()));
    }
    log_message(__FILE__, __LINE__, "load patch %d/%d", result ? 1 : 0, level);
    return result;
}

bool load_plugins(const std::int16_t* plugin_list, std::int16_t count) {
    bool result = true;
    for (std::int16_t position = 0; plugin_list && position < count; ++position) {
        if (load_plugin(plugin_list[position]) == NONE) result = false;
    }
    log_message(__FILE__, __LINE__, "load plugin %d", result ? 1 : 0);
    return result;
}

void scan_plugins_folder() {
    file_reference folder;
    file_reference_initialize(folder, working_folder_root);
    file_reference_append_folder(folder, plugins_folder_name);
    // Every file is listed before any is opened, so that the listing is not
    // disturbed by the reads.
    std::vector<file_reference> files;
    begin_folder_listing(false, folder);
    for (file_reference file; next_file_in_listing(file);) {
        if (!is_temporary_file_name(file_reference_get_name(file, name_part_name | name_part_extension))) {
            files.push_back(file);
        }
    }
    state().refused_by_scan.clear();
    if (files.empty()) return;
    for (file_reference& file : files) {
        monolithic_header header;
        const std::string name = file_reference_get_name(file, name_part_name | name_part_extension);
        if (!read_monolithic_header(file, header) ||
            (header.type != monolithic_type_plugin && header.type != monolithic_type_patch) ||
            !read_monolithic_tags(file, header, true)) {
            note_refused(state().refused_by_scan, plugins_folder_name, name);
            continue;
        }
        if (!add_plugin_row(file, header)) note_refused(state().refused_by_scan, plugins_folder_name, name);
        close_file(file);
    }
    load_patches(highest_patch_level());
}

void build_local_entry_points() {
    tag_info query;
    tag_query_initialize(&query);
    query.group = mesh_group_tag;
    query.file_type = tag_file_type_local;
    std::vector<tag_handle> handles(static_cast<std::size_t>(tag_query(&query, nullptr, -1)));
    tag_query(&query, handles.data(), static_cast<std::int32_t>(handles.size()));
    for (tag_handle handle : handles) {
        stored_entry_point entry_point;
        if (entry_point_from_mesh_tag(handle, entry_point) && !add_entry_point(entry_point, NONE, true)) break;
    }
}

void unload_monolithic_files() {
    state().extra_plugin = NONE;
    state().extra_loaded_file = NONE;
    close_loaded_files();
}

void reset_monolithic_state() {
    unload_monolithic_files();
    reset_plugin_tables();
    state() = loader_state{};
}

std::vector<std::string> refused_monolithic_files() {
    std::vector<std::string> refused = state().refused_by_scan;
    for (const std::string& path : state().refused_by_open) note_refused(refused, path);
    return refused;
}

std::uint32_t tag_files_checksum() { return state().content_checksum; }

std::uint32_t recompute_tag_files_checksum() {
    std::uint32_t checksum = content_checksum_start;
    for (int index = 0; index < foundation_file_count; ++index) {
        on_first_root(index, [&checksum](file_reference&, const monolithic_header& header) {
            checksum ^= header.checksum;
            return true;
        });
    }
    state().content_checksum = checksum ^ state().patch_checksum;
    return state().content_checksum;
}

bool load_extra_plugin(std::int16_t index) {
    loader_state& loader = state();
    const plugin_row* row = plugin_row_at(index);
    if (!row) return false;
    if (loader.extra_plugin != NONE && loader.extra_plugin != index) unload_extra_plugin();
    if (find_loaded_file(row->name, row->checksum) != NONE) return true;
    const std::int32_t file_index = load_plugin(index);
    if (file_index == NONE) return false;
    loader.extra_plugin = index;
    loader.extra_loaded_file = file_index;
    return true;
}

void unload_extra_plugin() {
    loader_state& loader = state();
    if (loader.extra_loaded_file != NONE) unload_monolithic_file(loader.extra_loaded_file);
    loader.extra_plugin = NONE;
    loader.extra_loaded_file = NONE;
}
