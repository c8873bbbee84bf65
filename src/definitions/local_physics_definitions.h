#pragma once

// Local physics (group `phys`): how the particles of a local projectile group
// move. The record holds a model number and a 60-byte parameter block whose
// layout, and so whose conversion, depends on the model; the record's own codes
// skip the block.

#include <cstddef>
#include <cstdint>
#include <span>

#include "definitions/field_description.h"

namespace definitions {

enum local_physics_type : int16_t {
    linear_physics = 0,
    cylindrical_physics = 1,
    spherical_spring_physics = 2,
    point_attractor_physics = 3,
    converging_physics = 4,
    explosive_gas_physics = 5,
};
inline constexpr int local_physics_type_count = 6;

// Three 16.16 ranges (I, J, K) keep their lower bounds and deltas apart.
struct linear_physics_parameters {
    uint32_t flags;
    int32_t linear_acceleration[3];
    int32_t initial_velocity_lower[3];
    int32_t initial_velocity_delta[3];
    int32_t random_acceleration[3];
    uint8_t reserved[8];
};
static_assert(sizeof(linear_physics_parameters) == 60);
static_assert(offsetof(linear_physics_parameters, linear_acceleration) == 4);
static_assert(offsetof(linear_physics_parameters, initial_velocity_lower) == 16);
static_assert(offsetof(linear_physics_parameters, initial_velocity_delta) == 28);
static_assert(offsetof(linear_physics_parameters, random_acceleration) == 40);
static_assert(offsetof(linear_physics_parameters, reserved) == 52);

inline constexpr int16_t linear_physics_parameters_codes[] = {
    -100, 1, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, 8, -101};

struct cylindrical_physics_parameters {
    uint32_t flags;
    int16_t angular_acceleration;
    int16_t initial_angular_velocity_lower;
    int16_t initial_angular_velocity_delta;
    int16_t initial_z_deviation;
    int32_t attraction_constant;
    int32_t radial_velocity;
    int32_t z_acceleration;
    uint8_t reserved[36];
};
static_assert(sizeof(cylindrical_physics_parameters) == 60);
static_assert(offsetof(cylindrical_physics_parameters, angular_acceleration) == 4);
static_assert(offsetof(cylindrical_physics_parameters, initial_angular_velocity_lower) == 6);
static_assert(offsetof(cylindrical_physics_parameters, initial_angular_velocity_delta) == 8);
static_assert(offsetof(cylindrical_physics_parameters, initial_z_deviation) == 10);
static_assert(offsetof(cylindrical_physics_parameters, attraction_constant) == 12);
static_assert(offsetof(cylindrical_physics_parameters, radial_velocity) == 16);
static_assert(offsetof(cylindrical_physics_parameters, z_acceleration) == 20);
static_assert(offsetof(cylindrical_physics_parameters, reserved) == 24);

inline constexpr int16_t cylindrical_physics_parameters_codes[] = {
    -100, 1, -4, -2, -2, -2, -2, -4, -4, -4, 36, -101};

struct spherical_spring_physics_parameters {
    uint32_t flags;
    int16_t initial_angular_velocity_lower;
    int16_t initial_angular_velocity_delta;
    int32_t attraction_constant;
    uint8_t reserved[48];
};
static_assert(sizeof(spherical_spring_physics_parameters) == 60);
static_assert(offsetof(spherical_spring_physics_parameters, initial_angular_velocity_lower) == 4);
static_assert(offsetof(spherical_spring_physics_parameters, initial_angular_velocity_delta) == 6);
static_assert(offsetof(spherical_spring_physics_parameters, attraction_constant) == 8);
static_assert(offsetof(spherical_spring_physics_parameters, reserved) == 12);

inline constexpr int16_t spherical_spring_physics_parameters_codes[] = {-100, 1, -4, -2, -2, -4, 48, -101};

struct point_attractor_physics_parameters {
    uint32_t flags;
    int32_t maximum_velocity;
    int32_t radial_velocity;
    int32_t attraction_constant;
    int16_t minimum_height_above_mesh;
    uint8_t reserved[42];
};
static_assert(sizeof(point_attractor_physics_parameters) == 60);
static_assert(offsetof(point_attractor_physics_parameters, maximum_velocity) == 4);
static_assert(offsetof(point_attractor_physics_parameters, radial_velocity) == 8);
static_assert(offsetof(point_attractor_physics_parameters, attraction_constant) == 12);
static_assert(offsetof(point_attractor_physics_parameters, minimum_height_above_mesh) == 16);
static_assert(offsetof(point_attractor_physics_parameters, reserved) == 18);

inline constexpr int16_t point_attractor_physics_parameters_codes[] = {-100, 1, -4, -4, -4, -4, -2, 42, -101};

struct converging_physics_parameters {
    uint32_t flags;
    int16_t initial_angular_velocity_lower;
    int16_t initial_angular_velocity_delta;
    uint16_t minimum_phi;
    uint16_t phi_delta;
    uint8_t reserved[48];
};
static_assert(sizeof(converging_physics_parameters) == 60);
static_assert(offsetof(converging_physics_parameters, initial_angular_velocity_lower) == 4);
static_assert(offsetof(converging_physics_parameters, initial_angular_velocity_delta) == 6);
static_assert(offsetof(converging_physics_parameters, minimum_phi) == 8);
static_assert(offsetof(converging_physics_parameters, phi_delta) == 10);
static_assert(offsetof(converging_physics_parameters, reserved) == 12);

inline constexpr int16_t converging_physics_parameters_codes[] = {-100, 1, -4, -2, -2, -2, -2, 48, -101};

struct explosive_gas_physics_parameters {
    uint32_t flags;
    int32_t starting_velocity_lower;
    int32_t starting_velocity_delta;
    int32_t radial_acceleration;
    int32_t linear_acceleration[3];
    int16_t drag;
    uint8_t reserved[30];
};
static_assert(sizeof(explosive_gas_physics_parameters) == 60);
static_assert(offsetof(explosive_gas_physics_parameters, starting_velocity_lower) == 4);
static_assert(offsetof(explosive_gas_physics_parameters, starting_velocity_delta) == 8);
static_assert(offsetof(explosive_gas_physics_parameters, radial_acceleration) == 12);
static_assert(offsetof(explosive_gas_physics_parameters, linear_acceleration) == 16);
static_assert(offsetof(explosive_gas_physics_parameters, drag) == 28);
static_assert(offsetof(explosive_gas_physics_parameters, reserved) == 30);

inline constexpr int16_t explosive_gas_physics_parameters_codes[] = {
    -100, 1, -4, -4, -4, -4, -4, -4, -4, -2, 30, -101};

// The block is read through the member its record's type names.
union local_physics_parameters {
    uint8_t bytes[60];
    linear_physics_parameters linear;
    cylindrical_physics_parameters cylindrical;
    spherical_spring_physics_parameters spherical_spring;
    point_attractor_physics_parameters point_attractor;
    converging_physics_parameters converging;
    explosive_gas_physics_parameters explosive_gas;
};
static_assert(sizeof(local_physics_parameters) == 60);

struct local_physics_definition {
    int16_t type;
    uint8_t reserved[2];
    local_physics_parameters parameters;
};
static_assert(sizeof(local_physics_definition) == 64);
static_assert(offsetof(local_physics_definition, reserved) == 2);
static_assert(offsetof(local_physics_definition, parameters) == 4);

inline constexpr int16_t local_physics_definition_codes[] = {-100, 1, -2, 2, 60, -101};

// A new local physics definition is all zero (linear, no parameters).
extern const local_physics_definition local_physics_definition_default;
int32_t local_physics_user_data(const void* record);

// Converts the parameter block of a record whose type is in host order, by that
// type; a type outside the six models converts nothing. Its own inverse.
void convert_physics_parameters(void* record);

inline constexpr NamedValue local_physics_type_names[] = {
    {0, "Linear"}, {1, "Cylindrical"}, {2, "Spherical Spring"},
    {3, "Point Attractor"}, {4, "Converging"}, {5, "Explosive Gas"},
};

inline constexpr NamedValue linear_physics_flag_names[] = {
    {0x1, "Projectiles originate within bounds"}, {0x2, "Projectiles respect group yaw"}};
inline constexpr NamedValue spherical_spring_physics_flag_names[] = {{0x1, "Random Time Offsets"}};
inline constexpr NamedValue point_attractor_physics_flag_names[] = {{0x1, "Maintain Minimum Height Above Mesh"}};
inline constexpr NamedValue converging_physics_flag_names[] = {{0x1, "Diverge"}};

extern const RecordDescription local_physics_definition_description;
extern const RecordDescription linear_physics_parameters_description;
extern const RecordDescription cylindrical_physics_parameters_description;
extern const RecordDescription spherical_spring_physics_parameters_description;
extern const RecordDescription point_attractor_physics_parameters_description;
extern const RecordDescription converging_physics_parameters_description;
extern const RecordDescription explosive_gas_physics_parameters_description;

// The parameter block's description for a type, or nullptr outside the six models.
const RecordDescription* local_physics_parameters_description(int16_t type);

}  // namespace definitions
