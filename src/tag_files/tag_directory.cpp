#include "tag_files/tag_directory.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/error_manager.h"
#include "core/exit_procedures.h"
#include "core/file_layer.h"
#include "core/text.h"
#include "tag_files/local_tag_scan.h"
#include "tag_files/local_tags.h"
#include "tag_files/monolithic_loader.h"
#include "tag_files/monolithic_loading.h"
#include "tag_files/slot_table.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_folders.h"

namespace {

struct directory_state {
    typed_slot_table<tag_header> headers{"tag header", tag_header_capacity};
    // Per slot: the on-disk file name of a local tag.
    std::vector<std::string> local_file_names;
    // Slots in use per group and subgroup, ascending, so precedence and lookups
    // need not walk the whole table.
    std::unordered_map<std::uint64_t, std::vector<std::int32_t>> slots_by_key;
    bool is_open = false;
    bool game_mode = false;
    bool foundation_present = false;
    bool local_entry_points_built = false;
    bool exit_procedure_registered = false;
};

directory_state& state() {
    static directory_state directory;
    return directory;
}

std::uint64_t key_of(tag_code group, tag_code subgroup) {
    return (static_cast<std::uint64_t>(group) << 32) | subgroup;
}

bool create_tables() {
    directory_state& directory = state();
    if (directory.headers.is_created()) return true;
    try {
        directory.local_file_names.resize(tag_header_capacity);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return directory.headers.create();
}

void require_tables() {
    if (!create_tables()) {
        handle_error(error_out_of_memory, __FILE__, __LINE__, "couldn't allocate memory for tag file globals");
    }
}

void clear_headers() {
    directory_state& directory = state();
    directory.headers.clear();
    directory.slots_by_key.clear();
    for (std::string& name : directory.local_file_names) name.clear();
}

// Re-ranks the tags with one group and subgroup: a local tag beats a tag of a
// monolithic file, a later monolithic file beats an earlier one, and among local
// tags the highest slot wins.
void settle_precedence(tag_code group, tag_code subgroup) {
    directory_state& directory = state();
    const auto found = directory.slots_by_key.find(key_of(group, subgroup));
    if (found == directory.slots_by_key.end()) return;
    tag_header* winner = nullptr;
    for (std::int32_t index : found->second) {
        tag_header* header = directory.headers.at(index);
        header->flags |= tag_header_flag_hidden;
        if (!winner || tag_header_is_local(*header) ||
            (!tag_header_is_local(*winner) && header->file_index > winner->file_index)) {
            winner = header;
        }
    }
    if (winner) winner->flags &= static_cast<std::uint8_t>(~tag_header_flag_hidden);
}

bool matches_query(const tag_header& header, const tag_info& query) {
    if (query.name[0] != '\0' &&
        compare_text_ignoring_case(bounded_text(query.name), bounded_text(header.name)) != 0) {
        return false;
    }
    if (query.user_data != NONE && query.user_data != header.user_data) return false;
    if (query.version != NONE && header.version < query.version) return false;
    if (query.destination != NONE && query.destination != header.destination) return false;
    if (query.file_type != NONE && query.file_type != header.file_type) return false;
    if (query.size != NONE && query.size != header.size) return false;
    if (query.group != NONE && query.group != header.group_tag) return false;
    if (query.subgroup != NONE && query.subgroup != header.subgroup_tag) return false;
    return true;
}

// Walks the visible tags in slot order, collecting those accepted.
template <class Accept>
std::int32_t collect_visible(Accept accept, tag_handle* handles, std::int32_t limit) {
    const directory_state& directory = state();
    std::int32_t collected = 0;
    for (std::int32_t index = 0; index < directory.headers.high_water_mark(); ++index) {
        if (limit >= 0 && collected >= limit) break;
        const tag_header* header = directory.headers.at(index);
        if (!header || tag_header_is_hidden(*header) || !accept(*header)) continue;
        if (handles) handles[collected] = directory.headers.handle_of(index);
        ++collected;
    }
    return collected;
}

tag_info group_query(tag_code group) {
    tag_info query;
    tag_query_initialize(&query);
    query.group = group;
    return query;
}

}  // namespace

// Setup ---------------------------------------------------------------------

void tag_files_initialize() {
    set_search_root_label(game_disc_root, "kelvo2");
    create_tags_folders();
    require_tables();
    // A second initialisation starts over as at program start: the plugins folder
    // is scanned into empty tables and the local entry points are built again.
    directory_state& directory = state();
    local_tag_close();
    reset_monolithic_state();
    clear_headers();
    directory.local_entry_points_built = false;
    scan_plugins_folder();
    if (!directory.exit_procedure_registered) {
        directory.exit_procedure_registered = register_exit_procedure(__FILE__, __LINE__, tag_files_close);
    }
}

bool tag_files_open(bool game_mode, const std::int16_t* plugin_list, std::int16_t plugin_count,
                    std::int16_t patch_level) {
    tag_files_close();
    require_tables();
    if (!tag_read_ahead_allocate()) {
        handle_error(error_out_of_memory, __FILE__, __LINE__, "couldn't allocate %d bytes for readahead buffer",
                     read_ahead_buffer_size);
    }
    if (patch_level == NONE) patch_level = highest_patch_level();

    directory_state& directory = state();
    if (!load_foundation_files() || !load_patches(patch_level) || !load_plugins(plugin_list, plugin_count)) {
        directory.is_open = false;
        return false;
    }
    directory.is_open = true;
    directory.game_mode = game_mode;
    scan_local_tags();
    if (!game_mode && !directory.local_entry_points_built) {
        build_local_entry_points();
        directory.local_entry_points_built = true;
    }
    return true;
}

void tag_files_close() {
    directory_state& directory = state();
    local_tag_close();
    unload_monolithic_files();
    clear_headers();
    directory.foundation_present = false;
    directory.is_open = false;
    tag_read_ahead_free();
}

bool tag_files_foundation_present() { return state().foundation_present; }
bool tag_files_is_open() { return state().is_open; }
bool tag_files_game_mode() { return state().game_mode; }
void tag_files_set_foundation_present(bool present) { state().foundation_present = present; }

// Finding and listing -------------------------------------------------------

tag_handle tag_find(tag_code group, tag_code subgroup) {
    const directory_state& directory = state();
    const auto found = directory.slots_by_key.find(key_of(group, subgroup));
    if (found == directory.slots_by_key.end()) return NONE;
    for (std::int32_t index : found->second) {
        if (!tag_header_is_hidden(*directory.headers.at(index))) return directory.headers.handle_of(index);
    }
    return NONE;
}

void tag_query_initialize(tag_info* query) {
    std::memset(query->name, 0, sizeof query->name);
    query->user_data = NONE;
    query->version = NONE;
    query->destination = NONE;
    query->file_type = NONE;
    query->size = NONE;
    query->group = NONE;
    query->subgroup = NONE;
}

std::int32_t tag_query(const tag_info* query, tag_handle* handles, std::int32_t limit) {
    return collect_visible([query](const tag_header& header) { return matches_query(header, *query); }, handles,
                           limit);
}

std::int32_t tag_select(tag_filter filter, void* filter_data, tag_handle* handles, std::int32_t limit) {
    return collect_visible([filter, filter_data](const tag_header& header) { return filter(&header, filter_data); },
                           handles, limit);
}

std::int32_t tag_list_of_group(tag_code group, tag_handle* handles) {
    const tag_info query = group_query(group);
    return tag_query(&query, handles, tag_group_list_limit);
}

std::int32_t tag_count_of_group(tag_code group) { return tag_list_of_group(group, nullptr); }

tag_handle tag_get_nth_of_group(tag_code group, std::int32_t n) {
    if (n < 0 || n >= tag_group_list_limit) return NONE;
    const directory_state& directory = state();
    std::int32_t seen = 0;
    for (std::int32_t index = 0; index < directory.headers.high_water_mark(); ++index) {
        const tag_header* header = directory.headers.at(index);
        if (!header || tag_header_is_hidden(*header) || header->group_tag != group) continue;
        if (seen++ == n) return directory.headers.handle_of(index);
    }
    return NONE;
}

// Describing ----------------------------------------------------------------

bool tag_get_info(tag_handle handle, tag_info* info) {
    const tag_header* header = tag_visible_header(handle);
    if (!header) return false;
    copy_text(info->name, bounded_text(header->name));
    info->user_data = header->user_data;
    info->version = header->version;
    info->destination = header->destination;
    info->file_type = header->file_type;
    info->size = header->size;
    info->group = header->group_tag;
    info->subgroup = header->subgroup_tag;
    return true;
}

const char* tag_get_name(tag_handle handle) {
    const tag_header* header = tag_header_of(handle);
    return header ? header->name : "<unknown>";
}

tag_code tag_get_group(tag_handle handle) {
    const tag_header* header = tag_visible_header(handle);
    return header ? header->group_tag : tag_code(NONE);
}

tag_code tag_get_subgroup(tag_handle handle) {
    const tag_header* header = tag_visible_header(handle);
    return header ? header->subgroup_tag : tag_code(NONE);
}

std::int32_t tag_get_size(tag_handle handle) {
    const tag_header* header = tag_visible_header(handle);
    return header ? header->size : NONE;
}

std::uint32_t tag_get_user_data(tag_handle handle) {
    const tag_header* header = tag_visible_header(handle);
    return header ? header->user_data : std::uint32_t(NONE);
}

std::int16_t tag_get_version(tag_handle handle) {
    const tag_header* header = tag_visible_header(handle);
    return header ? header->version : std::int16_t(NONE);
}

std::int16_t tag_get_file_type(tag_handle handle) {
    const tag_header* header = tag_visible_header(handle);
    return header ? std::int16_t(header->file_type) : std::int16_t(NONE);
}

std::int16_t tag_get_destination(tag_handle handle) {
    const tag_header* header = tag_visible_header(handle);
    return header ? std::int16_t(header->destination) : std::int16_t(NONE);
}

std::int32_t tag_get_data_offset(tag_handle handle) {
    const tag_header* header = tag_header_of(handle);
    return header ? header->offset : NONE;
}

// For the tag file system itself -------------------------------------------

tag_handle tag_header_add(const tag_header* header) {
    return tag_header_add_local(header, nullptr);
}

tag_handle tag_header_add_local(const tag_header* header, const char* file_name) {
    require_tables();
    directory_state& directory = state();
    const tag_handle handle = directory.headers.take();
    if (handle == NONE) {
        handle_error(error_array_full, __FILE__, __LINE__, "there are no more free tag_headers for '%s'",
                     std::string(bounded_text(header->name)).c_str());
        return NONE;
    }
    const std::int32_t index = slot_handle_index(handle);
    tag_header* slot = directory.headers.at(index);
    const std::int16_t identifier = slot->identifier;
    *slot = *header;
    slot->identifier = identifier;
    slot->flags = 0;
    slot->name[tag_name_capacity - 1] = '\0';
    if (tag_header_is_local(*slot)) directory.local_file_names[index] = file_name ? file_name : slot->name;

    std::vector<std::int32_t>& slots = directory.slots_by_key[key_of(slot->group_tag, slot->subgroup_tag)];
    slots.insert(std::upper_bound(slots.begin(), slots.end(), index), index);
    settle_precedence(slot->group_tag, slot->subgroup_tag);
    return handle;
}

bool tag_header_remove(tag_handle handle) {
    directory_state& directory = state();
    const tag_header* header = directory.headers.for_handle(handle);
    if (!header) return false;
    const tag_code group = header->group_tag;
    const tag_code subgroup = header->subgroup_tag;
    const std::int32_t index = slot_handle_index(handle);

    const auto found = directory.slots_by_key.find(key_of(group, subgroup));
    if (found != directory.slots_by_key.end()) {
        std::vector<std::int32_t>& slots = found->second;
        slots.erase(std::remove(slots.begin(), slots.end(), index), slots.end());
        if (slots.empty()) directory.slots_by_key.erase(found);
    }
    directory.local_file_names[index].clear();
    directory.headers.release(index);
    settle_precedence(group, subgroup);
    return true;
}

const tag_header* tag_header_of(tag_handle handle) { return state().headers.for_handle(handle); }

tag_header* tag_header_for_update(tag_handle handle) { return state().headers.for_handle(handle); }

const tag_header* tag_visible_header(tag_handle handle) {
    const tag_header* header = tag_header_of(handle);
    return (header && !tag_header_is_hidden(*header)) ? header : nullptr;
}

std::int32_t tag_header_free_count() {
    const directory_state& directory = state();
    return directory.headers.is_created() ? directory.headers.free_count() : tag_header_capacity;
}

const char* tag_local_file_name(tag_handle handle) {
    const tag_header* header = tag_header_of(handle);
    if (!header || !tag_header_is_local(*header)) return nullptr;
    return state().local_file_names[slot_handle_index(handle)].c_str();
}

tag_handle tag_find_local_file(tag_code group, const char* file_name) {
    const directory_state& directory = state();
    for (std::int32_t index = 0; index < directory.headers.high_water_mark(); ++index) {
        const tag_header* header = directory.headers.at(index);
        if (header && tag_header_is_local(*header) && header->group_tag == group &&
            directory.local_file_names[index] == file_name) {
            return directory.headers.handle_of(index);
        }
    }
    return NONE;
}

std::int32_t tag_local_tags_named(tag_code group, const char* name, tag_handle* handles, std::int32_t limit) {
    const directory_state& directory = state();
    std::int32_t found = 0;
    for (std::int32_t index = 0; index < directory.headers.high_water_mark() && found < limit; ++index) {
        const tag_header* header = directory.headers.at(index);
        if (header && tag_header_is_local(*header) && header->group_tag == group &&
            compare_text_ignoring_case(bounded_text(header->name), name) == 0) {
            handles[found++] = directory.headers.handle_of(index);
        }
    }
    return found;
}

void tag_header_set_local_name(tag_handle handle, const char* header_name, const char* file_name) {
    tag_header* header = tag_header_for_update(handle);
    if (!header || !tag_header_is_local(*header)) return;
    copy_text(header->name, header_name);
    state().local_file_names[slot_handle_index(handle)] = file_name;
}
