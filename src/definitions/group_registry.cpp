#include "definitions/group_registry.h"

#include <algorithm>
#include <cstring>

#include "core/byte_swap.h"
#include "definitions/ambient_definitions.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/connector_definitions.h"
#include "definitions/font_definitions.h"
#include "definitions/formation_definitions.h"
#include "definitions/interface_definitions.h"
#include "definitions/local_physics_definitions.h"
#include "definitions/map_definitions.h"
#include "definitions/media_definitions.h"
#include "definitions/mesh_effect_definitions.h"
#include "definitions/mesh_lighting_definitions.h"
#include "definitions/model_animation_definitions.h"
#include "definitions/monster_definitions.h"
#include "definitions/object_definitions.h"
#include "definitions/particle_system_definitions.h"
#include "definitions/projectile_definitions.h"
#include "definitions/projectile_group_definitions.h"
#include "definitions/sound_definitions.h"
#include "definitions/unit_definitions.h"

namespace definitions {

namespace {

constexpr uint32_t shown = 0;
constexpr uint32_t listed = TAG_GROUP_TAG_LIST;
constexpr uint32_t hidden = TAG_GROUP_HIDDEN;
constexpr uint32_t hidden_listed = TAG_GROUP_HIDDEN | TAG_GROUP_TAG_LIST;

// A group whose form edits a record with a default.
template <typename Record>
constexpr TagGroupEntry row(const char (&group)[5], int16_t dialog, uint32_t flags, const Record& default_record,
                            user_data_function user_data, std::span<const int16_t> codes,
                            const RecordDescription& description, sub_record_conversion convert = nullptr) {
    return {make_tag(group), dialog, flags, &default_record, user_data, sizeof(Record), codes, &description,
            convert};
}

// A group whose new tags start empty.
constexpr TagGroupEntry row(const char (&group)[5], int16_t dialog, uint32_t flags,
                            const RecordDescription* description = nullptr) {
    return {make_tag(group), dialog, flags, nullptr, nullptr, 0, {}, description, nullptr};
}

constinit const TagGroupEntry rows[] = {
    row("amso", 138, listed, ambient_sound_definition_default, ambient_sound_user_data,
        ambient_sound_definition_codes, ambient_sound_definition_description),
    row("arti", 201, listed, artifact_definition_default, artifact_user_data, artifact_definition_codes,
        artifact_definition_description, convert_artifact_attack),
    row("anim", 147, shown, model_animation_definition_default, model_animation_user_data,
        model_animation_definition_codes, model_animation_definition_description),
    row("conn", 144, listed, connector_definition_default, connector_user_data, connector_definition_codes,
        connector_definition_description),
    row("core", 145, listed, collection_reference_default, collection_reference_user_data,
        collection_reference_codes, collection_reference_description),
    row("font", 198, listed, &font_definition_description),
    row("form", 204, shown, formation_definition_default, formation_user_data, formation_definition_codes,
        formation_definition_description),
    row("inte", 146, shown, interface_definition_default, interface_user_data, interface_definition_codes,
        interface_definition_description),
    row("ligh", 162, listed, lightning_definition_default, lightning_user_data, lightning_definition_codes,
        lightning_definition_description),
    row("phys", 179, listed, local_physics_definition_default, local_physics_user_data,
        local_physics_definition_codes, local_physics_definition_description, convert_physics_parameters),
    row("lpgr", 177, listed, local_projectile_group_definition_default, local_projectile_group_user_data,
        local_projectile_group_definition_codes, local_projectile_group_definition_description),
    row("meef", 166, listed, mesh_effect_definition_default, mesh_effect_user_data, mesh_effect_definition_codes,
        mesh_effect_definition_description),
    row("medi", 192, listed, media_definition_default, media_user_data, media_definition_codes,
        media_definition_description),
    row("mesh", 188, listed, &mesh_header_description),
    row("meli", 168, listed, mesh_lighting_definition_default, mesh_lighting_user_data,
        mesh_lighting_definition_codes, mesh_lighting_definition_description),
    row("mons", 154, listed, monster_definition_default, monster_user_data, monster_definition_codes,
        monster_definition_description, convert_monster_attacks),
    row("obje", 149, listed, object_definition_default, object_user_data, object_definition_codes,
        object_definition_description),
    row("obpc", 190, listed, observer_constants_default, observer_constants_user_data, observer_constants_codes,
        observer_constants_description),
    row("part", 153, listed, particle_system_definition_default, particle_system_user_data,
        particle_system_definition_codes, particle_system_definition_description),
    row("prgr", 141, listed, projectile_group_definition_default, projectile_group_user_data,
        projectile_group_definition_codes, projectile_group_definition_description),
    row("proj", 173, listed, projectile_definition_default, projectile_user_data, projectile_definition_codes,
        projectile_definition_description),
    row("scen", 195, shown, scenery_definition_default, scenery_user_data, scenery_definition_codes,
        scenery_definition_description),
    row("soli", 151, shown, sound_list_default, sound_list_user_data, sound_list_codes, sound_list_description),
    row("soun", 169, listed, sound_definition_default, sound_user_data, sound_definition_codes,
        sound_definition_description),
    row("stli", 187, listed),
    row("temp", 187, listed),
    row("text", 187, listed),
    row("unit", 165, shown, unit_definition_default, unit_user_data, unit_definition_codes,
        unit_definition_description),
    row("wind", 137, listed, wind_definition_default, wind_user_data, wind_definition_codes,
        wind_definition_description),
    row(".256", 0, hidden_listed),
    row("ditl", 0, hidden),
    row("bina", 0, hidden),
    row("geom", 0, hidden),
    row("mode", 0, hidden_listed),
    row("pref", 0, hidden),
    row("prel", 0, hidden),
    row("reco", 0, hidden),
    row("reva", 0, hidden),
    row("save", 0, hidden),
};
static_assert(std::size(rows) == tag_group_registry_size);

}  // namespace

std::span<const TagGroupEntry> tag_group_registry() { return rows; }

const TagGroupEntry* find_group(tag_code group_tag) {
    const auto found = std::ranges::find(rows, group_tag, &TagGroupEntry::group_tag);
    return found == std::end(rows) ? nullptr : &*found;
}

bool has_editor(tag_code group_tag) {
    const TagGroupEntry* row = find_group(group_tag);
    return row && row->has_editor();
}

bool is_hidden(tag_code group_tag) {
    const TagGroupEntry* row = find_group(group_tag);
    return row && (row->flags & TAG_GROUP_HIDDEN);
}

bool keeps_tag_list(tag_code group_tag) {
    const TagGroupEntry* row = find_group(group_tag);
    return row && (row->flags & TAG_GROUP_TAG_LIST);
}

const void* get_default_definition(tag_code group_tag) {
    const TagGroupEntry* row = find_group(group_tag);
    return row ? row->default_definition : nullptr;
}

user_data_function get_user_data_function(tag_code group_tag) {
    const TagGroupEntry* row = find_group(group_tag);
    return row ? row->get_user_data : nullptr;
}

uint32_t get_definition_size(tag_code group_tag) {
    const TagGroupEntry* row = find_group(group_tag);
    return row ? row->definition_size : 0;
}

void record_to_file_order(const TagGroupEntry& row, void* record) {
    if (row.byte_swap_codes.empty()) return;
    if (row.convert_sub_records) row.convert_sub_records(record);
    byte_swap_data(tag_code_to_text(row.group_tag), record, static_cast<int32_t>(row.definition_size), 1,
                   row.byte_swap_codes);
}

void record_to_host_order(const TagGroupEntry& row, void* record) {
    if (row.byte_swap_codes.empty()) return;
    byte_swap_data(tag_code_to_text(row.group_tag), record, static_cast<int32_t>(row.definition_size), 1,
                   row.byte_swap_codes);
    if (row.convert_sub_records) row.convert_sub_records(record);
}

std::vector<std::byte> default_record_in_file_order(tag_code group_tag) {
    const TagGroupEntry* row = find_group(group_tag);
    if (!row || !row->default_definition) return {};
    std::vector<std::byte> copy(row->definition_size);
    std::memcpy(copy.data(), row->default_definition, copy.size());
    record_to_file_order(*row, copy.data());
    return copy;
}

}  // namespace definitions
