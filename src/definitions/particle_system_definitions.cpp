#include "definitions/particle_system_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

constinit const particle_system_definition particle_system_definition_default{
    .flags = 0,
    .collection_reference = NONE,
    .minimum_view_distance = 1024,
    .transparency_rolloff_point = 3584,
    .transparency_cutoff_point = 4096,
    .sequence = NONE,
    .maximum_particle_count = 1000,
    .unused_24 = 3,
    .scale = 64,
    .velocity_lower = {-4, -4, -16},
    .velocity_delta = {8, 8, 8},
    .boundary_right = 128,
    .boundary_left = 256,
    .boundary_top = 128,
    .boundary_bottom = 256,
    .not_snowing = {150, 0, 6553, 0, 1000, 0},
    .snowing = {200, 0, 65535, 0, 500, 0},
    .ambient_sound = NONE,
    .splash_local_projectile_group = NONE,
    .unused_92 = {4, 1536, 0, 4, 3},
    .reserved = {},
};

int32_t particle_system_user_data(const void*) { return NONE; }

namespace {

constexpr FieldDescription particle_system_state_fields[] = {
    int16("duration_lower", 0, FieldKind::game_ticks),
    int16("duration_delta", 2, FieldKind::game_ticks),
    uint16("intensity_lower", 4, FieldKind::fraction),
    uint16("intensity_delta", 6, FieldKind::fraction),
    int16("transition_duration_lower", 8, FieldKind::game_ticks),
    int16("transition_duration_delta", 10, FieldKind::game_ticks),
};

}  // namespace

const RecordDescription particle_system_state_description{
    "particle_system_state", sizeof(particle_system_state), particle_system_state_codes,
    particle_system_state_fields};

namespace {

constexpr FieldDescription particle_system_fields[] = {
    flags("flags", 0, 4, particle_system_flag_names),
    reference("collection_reference", 4, make_tag("core")),
    int32("minimum_view_distance", 8, FieldKind::world_distance),
    int32("transparency_rolloff_point", 12, FieldKind::world_distance),
    int32("transparency_cutoff_point", 16, FieldKind::world_distance),
    int16("sequence", 20, FieldKind::sequence_index),
    int16("maximum_particle_count", 22),
    reserved_words("unused_24", 24, 2),
    int16("scale", 26, FieldKind::short_fixed),
    int32("velocity_lower", 28, FieldKind::fixed, 3),
    int32("velocity_delta", 40, FieldKind::fixed, 3),
    int16("boundary_right", 52, FieldKind::short_fixed),
    int16("boundary_left", 54, FieldKind::short_fixed),
    int16("boundary_top", 56, FieldKind::short_fixed),
    int16("boundary_bottom", 58, FieldKind::short_fixed),
    records("not_snowing", 60, particle_system_state_description, 1),
    records("snowing", 72, particle_system_state_description, 1),
    reference("ambient_sound", 84, make_tag("amso")),
    reference("splash_local_projectile_group", 88, make_tag("lpgr")),
    reserved_words("unused_92", 92, 2, 5),
    reserved("reserved", 102, 26),
};

}  // namespace

const RecordDescription particle_system_definition_description{
    "particle_system_definition", sizeof(particle_system_definition), particle_system_definition_codes,
    particle_system_fields};

}  // namespace definitions
