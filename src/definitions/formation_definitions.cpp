#include "definitions/formation_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

const formation_definition formation_definition_default{
    .short_line_units_per_row = 4,
    .short_line_separation = 640,
    .long_line_units_per_row = 8,
    .long_line_separation = 640,
    .loose_line_units_per_row = 4,
    .loose_line_separation = 1024,
    .staggered_line_units_per_row = 4,
    .staggered_line_separation = 1024,
    .box_separation = 640,
    .mob_minimum_separation = 768,
    .mob_x_bias = 384,
    .encirclement_minimum_radius = 1536,
    .encirclement_separation = 768,
    .shallow_encirclement_arc = 16384,
    .deep_encirclement_arc = 21845,
    .vanguard_front_row_separation = 256,
    .vanguard_unit_separation = 512,
    .vanguard_row_separation = 512,
    .circle_separation = 768,
    .reserved = {},
};

int32_t formation_user_data(const void*) { return NONE; }

const observer_constants observer_constants_default{
    .parallel = {42, 4, 4, 42, 4, 4},
    .orthogonal = {42, 4, 4, 42, 4, 4},
    .yaw = {68, 4, 4, 68, 4, 4},
    .orbit = {546, 78, 91, 546, 78, 91},
    .vertical = {8, 2, 2, 8, 2, 2},
    .pitch = {34, 34, 34, 34, 34, 34},
    .zoom = {10922, 1560, 1560, 10922, 1560, 1560},
    .reserved = {},
};

int32_t observer_constants_user_data(const void*) { return NONE; }

namespace {

constexpr FieldDescription formation_fields[] = {
    int16("short_line_units_per_row", 0, FieldKind::integer),
    int16("short_line_separation", 2, FieldKind::world_distance),
    int16("long_line_units_per_row", 4, FieldKind::integer),
    int16("long_line_separation", 6, FieldKind::world_distance),
    int16("loose_line_units_per_row", 8, FieldKind::integer),
    int16("loose_line_separation", 10, FieldKind::world_distance),
    int16("staggered_line_units_per_row", 12, FieldKind::integer),
    int16("staggered_line_separation", 14, FieldKind::world_distance),
    int16("box_separation", 16, FieldKind::world_distance),
    int16("mob_minimum_separation", 18, FieldKind::world_distance),
    int16("mob_x_bias", 20, FieldKind::short_fixed),
    int16("encirclement_minimum_radius", 22, FieldKind::world_distance),
    int16("encirclement_separation", 24, FieldKind::world_distance),
    uint16("shallow_encirclement_arc", 26, FieldKind::angle),
    uint16("deep_encirclement_arc", 28, FieldKind::angle),
    int16("vanguard_front_row_separation", 30, FieldKind::world_distance),
    int16("vanguard_unit_separation", 32, FieldKind::world_distance),
    int16("vanguard_row_separation", 34, FieldKind::world_distance),
    int16("circle_separation", 36, FieldKind::world_distance),
    reserved("reserved", 38, 2),
};

constexpr FieldDescription velocity_parameters_fields[] = {
    int32("negative_maximum_velocity", 0, FieldKind::fixed),
    int32("negative_acceleration", 4, FieldKind::fixed),
    int32("negative_deceleration", 8, FieldKind::fixed),
    int32("positive_maximum_velocity", 12, FieldKind::fixed),
    int32("positive_acceleration", 16, FieldKind::fixed),
    int32("positive_deceleration", 20, FieldKind::fixed),
};

}  // namespace

const RecordDescription formation_definition_description{
    "formation_definition", sizeof(formation_definition), formation_definition_codes, formation_fields};

const RecordDescription velocity_parameters_description{
    "velocity_parameters", sizeof(velocity_parameters), velocity_parameters_codes, velocity_parameters_fields};

namespace {

constexpr FieldDescription observer_constants_fields[] = {
    records("parallel", 0, velocity_parameters_description, 1),
    records("orthogonal", 24, velocity_parameters_description, 1),
    records("yaw", 48, velocity_parameters_description, 1),
    records("orbit", 72, velocity_parameters_description, 1),
    records("vertical", 96, velocity_parameters_description, 1),
    records("pitch", 120, velocity_parameters_description, 1),
    records("zoom", 144, velocity_parameters_description, 1),
    reserved("reserved", 168, 88),
};

}  // namespace

const RecordDescription observer_constants_description{
    "observer_constants", sizeof(observer_constants), observer_constants_codes, observer_constants_fields};

}  // namespace definitions
