#pragma once

// Formations (group `form`): spacing of the nine formations a group of units can
// take. Observer constants (group `obpc`): the camera's velocity limits per motion.

#include <cstddef>
#include <cstdint>

#include "definitions/field_description.h"

namespace definitions {

struct formation_definition {
    int16_t short_line_units_per_row;
    int16_t short_line_separation;  // world distance
    int16_t long_line_units_per_row;
    int16_t long_line_separation;
    int16_t loose_line_units_per_row;
    int16_t loose_line_separation;
    int16_t staggered_line_units_per_row;
    int16_t staggered_line_separation;
    int16_t box_separation;
    int16_t mob_minimum_separation;
    int16_t mob_x_bias;  // short fixed
    int16_t encirclement_minimum_radius;
    int16_t encirclement_separation;
    uint16_t shallow_encirclement_arc;  // angle
    uint16_t deep_encirclement_arc;
    int16_t vanguard_front_row_separation;
    int16_t vanguard_unit_separation;
    int16_t vanguard_row_separation;
    int16_t circle_separation;
    uint8_t reserved[2];
};
static_assert(sizeof(formation_definition) == 40);
static_assert(offsetof(formation_definition, mob_x_bias) == 20);
static_assert(offsetof(formation_definition, shallow_encirclement_arc) == 26);
static_assert(offsetof(formation_definition, vanguard_row_separation) == 34);
static_assert(offsetof(formation_definition, circle_separation) == 36);
static_assert(offsetof(formation_definition, reserved) == 38);

inline constexpr int16_t formation_definition_codes[] = {-100, 1, -100, 19, -2, -101, 2, -101};

extern const formation_definition formation_definition_default;
int32_t formation_user_data(const void* record);
extern const RecordDescription formation_definition_description;

// Maximum velocity, acceleration and deceleration in each direction, all 16.16.
struct velocity_parameters {
    int32_t negative_maximum_velocity;
    int32_t negative_acceleration;
    int32_t negative_deceleration;
    int32_t positive_maximum_velocity;
    int32_t positive_acceleration;
    int32_t positive_deceleration;
};
static_assert(sizeof(velocity_parameters) == 24);
static_assert(offsetof(velocity_parameters, positive_maximum_velocity) == 12);

inline constexpr int16_t velocity_parameters_codes[] = {-100, 1, -100, 6, -4, -101, -101};

struct observer_constants {
    velocity_parameters parallel;
    velocity_parameters orthogonal;
    velocity_parameters yaw;
    velocity_parameters orbit;
    velocity_parameters vertical;
    velocity_parameters pitch;
    velocity_parameters zoom;
    uint8_t reserved[88];
};
static_assert(sizeof(observer_constants) == 256);
static_assert(offsetof(observer_constants, orbit) == 72);
static_assert(offsetof(observer_constants, zoom) == 144);
static_assert(offsetof(observer_constants, reserved) == 168);

inline constexpr int16_t observer_constants_codes[] = {-100, 1, -100, 42, -4, -101, 88, -101};

extern const observer_constants observer_constants_default;
int32_t observer_constants_user_data(const void* record);
extern const RecordDescription velocity_parameters_description;
extern const RecordDescription observer_constants_description;

}  // namespace definitions
