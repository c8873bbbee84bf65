#include "definitions/projectile_group_definitions.h"

#include "core/tag_code.h"
#include "definitions/field_builders.h"

namespace definitions {

namespace {

constexpr projectile_group_definition make_projectile_group_default() {
    projectile_group_definition group{};
    group.mesh_effect = NONE;
    group.sound = NONE;
    group.local_projectile_group = NONE;
    return group;
}

constexpr projectile_group_part make_part_default() {
    projectile_group_part part{};
    part.projectile = NONE;
    part.count_lower = 1;
    part.position_delta = 256;
    part.appearing_fraction = 65535;
    return part;
}

constexpr local_projectile_group_definition make_local_projectile_group_default() {
    local_projectile_group_definition group{};
    group.collection_reference = NONE;
    group.physics = NONE;
    group.flight_sequence = NONE;
    group.stain_sequence = NONE;
    group.scale_fraction_lower = 256;
    group.animation_rate_lower = 256;
    group.target_number_lower = 1;
    group.radius_delta = 512;
    group.duration_delta = 256;
    group.startup_horizontal_scale_from = 256;
    group.startup_horizontal_scale_to = 256;
    group.startup_vertical_scale_from = 256;
    group.startup_vertical_scale_to = 256;
    group.ending_horizontal_scale_from = 256;
    group.ending_horizontal_scale_to = 256;
    group.ending_vertical_scale_from = 256;
    return group;
}

using namespace fields;

#define AT(member) offsetof(projectile_group_part, member)

constexpr FieldDescription projectile_group_part_fields[] = {
    reference("projectile", AT(projectile), make_tag("proj")),
    flags("flags", AT(flags), 4, projectile_group_part_flag_names),
    int16("count_lower", AT(count_lower)),
    int16("count_delta", AT(count_delta)),
    int16("position_lower", AT(position_lower), FieldKind::short_fixed),
    int16("position_delta", AT(position_delta), FieldKind::short_fixed),
    reserved("reserved_16", AT(reserved_16), 4),
    uint16("appearing_fraction", AT(appearing_fraction), FieldKind::fraction),
    reserved("reserved_22", AT(reserved_22), 10),
};

#undef AT
#define AT(member) offsetof(projectile_group_definition, member)

constexpr FieldDescription projectile_group_definition_fields[] = {
    uint32("flags", AT(flags), FieldKind::flags),
    element_count("part_count", AT(part_count), projectile_group_part_capacity),
    reserved("reserved_6", AT(reserved_6), 2),
    reference("mesh_effect", AT(mesh_effect), make_tag("meef")),
    reference("sound", AT(sound), make_tag("soun")),
    reference("local_projectile_group", AT(local_projectile_group), make_tag("lpgr")),
    reserved("reserved_20", AT(reserved_20), 12),
    records("parts", AT(parts), projectile_group_part_description, projectile_group_part_capacity),
};

#undef AT
#define AT(member) offsetof(local_projectile_group_definition, member)

constexpr FieldDescription local_projectile_group_definition_fields[] = {
    flags("flags", AT(flags), 4, local_projectile_group_flag_names),
    reference("collection_reference", AT(collection_reference), make_tag("core")),
    reference("physics", AT(physics), make_tag("phys")),
    int16("flight_sequence", AT(flight_sequence), FieldKind::sequence_index),
    int16("stain_sequence", AT(stain_sequence), FieldKind::sequence_index),
    int16("scale_fraction_lower", AT(scale_fraction_lower), FieldKind::short_fixed),
    int16("scale_fraction_delta", AT(scale_fraction_delta), FieldKind::short_fixed),
    int16("animation_rate_lower", AT(animation_rate_lower), FieldKind::short_fixed),
    int16("animation_rate_delta", AT(animation_rate_delta), FieldKind::short_fixed),
    int16("target_number_lower", AT(target_number_lower)),
    int16("target_number_delta", AT(target_number_delta)),
    int32("radius_lower", AT(radius_lower), FieldKind::world_distance),
    int32("radius_delta", AT(radius_delta), FieldKind::world_distance),
    int32("expiration_time_lower", AT(expiration_time_lower), FieldKind::game_ticks),
    int32("expiration_time_delta", AT(expiration_time_delta), FieldKind::game_ticks),
    enumeration("transfer_mode", AT(transfer_mode), local_projectile_group_transfer_mode_names, 0),
    int16("height_offset", AT(height_offset), FieldKind::world_distance),
    int16("startup_transition_time_lower", AT(startup_transition_time_lower), FieldKind::game_ticks),
    int16("startup_transition_time_delta", AT(startup_transition_time_delta), FieldKind::game_ticks),
    int16("ending_transition_time_lower", AT(ending_transition_time_lower), FieldKind::game_ticks),
    int16("ending_transition_time_delta", AT(ending_transition_time_delta), FieldKind::game_ticks),
    int32("duration_lower", AT(duration_lower), FieldKind::game_ticks),
    int32("duration_delta", AT(duration_delta), FieldKind::game_ticks),
    int16("startup_horizontal_scale_from", AT(startup_horizontal_scale_from), FieldKind::short_fixed),
    int16("startup_horizontal_scale_to", AT(startup_horizontal_scale_to), FieldKind::short_fixed),
    int16("startup_vertical_scale_from", AT(startup_vertical_scale_from), FieldKind::short_fixed),
    int16("startup_vertical_scale_to", AT(startup_vertical_scale_to), FieldKind::short_fixed),
    int16("ending_horizontal_scale_from", AT(ending_horizontal_scale_from), FieldKind::short_fixed),
    int16("ending_horizontal_scale_to", AT(ending_horizontal_scale_to), FieldKind::short_fixed),
    int16("ending_vertical_scale_from", AT(ending_vertical_scale_from), FieldKind::short_fixed),
    int16("ending_vertical_scale_to", AT(ending_vertical_scale_to), FieldKind::short_fixed),
    reserved("reserved", AT(reserved), 48),
};

#undef AT

}  // namespace

constinit const projectile_group_definition projectile_group_definition_default = make_projectile_group_default();
constinit const projectile_group_part projectile_group_part_default = make_part_default();
constinit const local_projectile_group_definition local_projectile_group_definition_default =
    make_local_projectile_group_default();

int32_t projectile_group_user_data(const void*) { return NONE; }

int32_t local_projectile_group_user_data(const void*) { return NONE; }

constinit const RecordDescription projectile_group_part_description{
    "projectile_group_part", sizeof(projectile_group_part), projectile_group_part_codes,
    projectile_group_part_fields};
constinit const RecordDescription projectile_group_definition_description{
    "projectile_group_definition", sizeof(projectile_group_definition), projectile_group_definition_codes,
    projectile_group_definition_fields};
constinit const RecordDescription local_projectile_group_definition_description{
    "local_projectile_group_definition", sizeof(local_projectile_group_definition),
    local_projectile_group_definition_codes, local_projectile_group_definition_fields};

}  // namespace definitions
