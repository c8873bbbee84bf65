#pragma once

// Particle systems (group `part`): weather such as snow, with view-distance
// transparency, velocity ranges, boundary conditions and two alternating states.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

// One of the two alternating states; each pair is a value range (lower, delta).
struct particle_system_state {
    int16_t duration_lower;  // ticks
    int16_t duration_delta;
    uint16_t intensity_lower;  // fraction
    uint16_t intensity_delta;
    int16_t transition_duration_lower;  // ticks
    int16_t transition_duration_delta;
};
static_assert(sizeof(particle_system_state) == 12);
static_assert(offsetof(particle_system_state, intensity_lower) == 4);
static_assert(offsetof(particle_system_state, transition_duration_lower) == 8);

inline constexpr int16_t particle_system_state_codes[] = {-100, 1, -100, 6, -2, -101, -101};

struct particle_system_definition {
    uint32_t flags;
    tag_code collection_reference;
    int32_t minimum_view_distance;  // long world distances
    int32_t transparency_rolloff_point;
    int32_t transparency_cutoff_point;
    int16_t sequence;
    int16_t maximum_particle_count;
    int16_t unused_24;
    int16_t scale;                 // short fixed
    int32_t velocity_lower[3];     // 16.16 i, j, k
    int32_t velocity_delta[3];
    int16_t boundary_right;        // short fixed, each
    int16_t boundary_left;
    int16_t boundary_top;
    int16_t boundary_bottom;
    particle_system_state not_snowing;
    particle_system_state snowing;
    tag_code ambient_sound;
    tag_code splash_local_projectile_group;
    int16_t unused_92[5];
    uint8_t reserved[26];
};
static_assert(sizeof(particle_system_definition) == 128);
static_assert(offsetof(particle_system_definition, minimum_view_distance) == 8);
static_assert(offsetof(particle_system_definition, sequence) == 20);
static_assert(offsetof(particle_system_definition, unused_24) == 24);
static_assert(offsetof(particle_system_definition, scale) == 26);
static_assert(offsetof(particle_system_definition, velocity_lower) == 28);
static_assert(offsetof(particle_system_definition, velocity_delta) == 40);
static_assert(offsetof(particle_system_definition, boundary_right) == 52);
static_assert(offsetof(particle_system_definition, boundary_bottom) == 58);
static_assert(offsetof(particle_system_definition, not_snowing) == 60);
static_assert(offsetof(particle_system_definition, snowing) == 72);
static_assert(offsetof(particle_system_definition, ambient_sound) == 84);
static_assert(offsetof(particle_system_definition, splash_local_projectile_group) == 88);
static_assert(offsetof(particle_system_definition, unused_92) == 92);
static_assert(offsetof(particle_system_definition, reserved) == 102);

inline constexpr int16_t particle_system_definition_codes[] = {
    -100, 1,
    -100, 5, -4, -101,
    -100, 4, -2, -101,
    -100, 6, -4, -101,
    -100, 16, -2, -101,
    -4, -4,
    -100, 5, -2, -101,
    16, 10,
    -101};

extern const particle_system_definition particle_system_definition_default;
int32_t particle_system_user_data(const void* record);
extern const RecordDescription particle_system_state_description;
extern const RecordDescription particle_system_definition_description;

inline constexpr NamedValue particle_system_flag_names[] = {
    {0x1, "States last indefinitely"},
    {0x2, "Does not affect projectiles"},
    {0x4, "Transparency varies with distance"},
};

}  // namespace definitions
