#include "definitions/ambient_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

constinit const ambient_sound_definition ambient_sound_definition_default{
    .flags = 0,
    .inner_radius = 6144,
    .outer_radius = 10240,
    .period_lower = 150,
    .period_delta = 150,
    .background_sound = NONE,
    .random_sound = NONE,
    .further_sounds = {NONE, NONE, NONE, NONE},
    .random_sound_radius = 3072,
    .reserved = {},
    .runtime = {},
};

int32_t ambient_sound_user_data(const void*) { return NONE; }

constinit const lightning_definition lightning_definition_default{
    .flags = 0,
    .collection_reference = NONE,
    .shock_duration = 90,
    .fade_duration = 90,
    .bolt_length = 2560,
    .fork_sequence = NONE,
    .main_bolt_sequence = NONE,
    .mesh_stain_sequence = NONE,
    .velocity = 102,
    .scale = 255,
    .fork_segments_lower = 2,
    .fork_segments_delta = 4,
    .fork_overlap = 10,
    .main_bolt_overlap = 20,
    .fork_angle = 12743,
    .damage = {.type = NONE,
               .flags = 0,
               .damage_lower = 0,
               .damage_delta = 0,
               .radius_lower = 0,
               .radius_delta = 0,
               .rate_of_expansion = 0,
               .damage_to_velocity = 0},
    .apparent_bolt_count = 1,
    .runtime = {},
};

int32_t lightning_user_data(const void*) { return NONE; }

constinit const wind_definition wind_definition_default{
    .flags = 0,
    .time_lower = 60,
    .time_delta = 150,
    .maximum_adjustment_per_tick = 8192,
    .velocity_lower = {-655360, -655360, 0},
    .velocity_delta = {1310720, 1310720, 0},
    .runtime_ticks_until_adjustment = 0,
    .runtime_current_velocity = {},
    .runtime_target_velocity = {},
    .reserved = {},
};

int32_t wind_user_data(const void*) { return NONE; }

namespace {

constexpr FieldDescription ambient_sound_fields[] = {
    reserved_words("flags", 0, 4),
    int16("inner_radius", 4, FieldKind::world_distance),
    int16("outer_radius", 6, FieldKind::world_distance),
    int16("period_lower", 8, FieldKind::game_ticks),
    int16("period_delta", 10, FieldKind::game_ticks),
    reference("background_sound", 12, make_tag("soun")),
    reference("random_sound", 16, make_tag("soun")),
    reference("further_sounds", 20, make_tag("soun"), ambient_further_sound_count),
    int16("random_sound_radius", 36, FieldKind::world_distance),
    reserved("reserved", 38, 10),
    reserved("runtime", 48, 16),
};

constexpr FieldDescription lightning_fields[] = {
    flags("flags", 0, 4, lightning_flag_names),
    reference("collection_reference", 4, make_tag("core")),
    int32("shock_duration", 8, FieldKind::game_ticks),
    int32("fade_duration", 12, FieldKind::game_ticks),
    int32("bolt_length", 16, FieldKind::world_distance),
    int16("fork_sequence", 20, FieldKind::sequence_index),
    int16("main_bolt_sequence", 22, FieldKind::sequence_index),
    int16("mesh_stain_sequence", 24, FieldKind::sequence_index),
    int16("velocity", 26, FieldKind::world_distance),
    int16("scale", 28, FieldKind::short_fixed),
    int16("fork_segments_lower", 30),
    int16("fork_segments_delta", 32),
    int16("fork_overlap", 34),
    int16("main_bolt_overlap", 36),
    uint16("fork_angle", 38, FieldKind::angle),
    records("damage", 40, damage_definition_description, 1),
    int16("apparent_bolt_count", 56),
    reserved("runtime", 58, 6),
};

constexpr FieldDescription wind_fields[] = {
    reserved_words("flags", 0, 4),
    int32("time_lower", 4, FieldKind::game_ticks),
    int32("time_delta", 8, FieldKind::game_ticks),
    int32("maximum_adjustment_per_tick", 12, FieldKind::fixed),
    int32("velocity_lower", 16, FieldKind::fixed, 3),
    int32("velocity_delta", 28, FieldKind::fixed, 3),
    reserved("runtime", 40, 28),
    reserved("reserved", 68, 60),
};

}  // namespace

const RecordDescription ambient_sound_definition_description{
    "ambient_sound_definition", sizeof(ambient_sound_definition), ambient_sound_definition_codes,
    ambient_sound_fields};
const RecordDescription lightning_definition_description{
    "lightning_definition", sizeof(lightning_definition), lightning_definition_codes, lightning_fields};
const RecordDescription wind_definition_description{
    "wind_definition", sizeof(wind_definition), wind_definition_codes, wind_fields};

}  // namespace definitions
