#pragma once

// Projectile groups (group `prgr`): bursts of up to fifteen kinds of projectiles.
// Local projectile groups (group `lpgr`): particle clouds drawn from a collection
// reference and moved by a local physics definition.

#include <cstddef>
#include <cstdint>

#include "definitions/field_description.h"

namespace definitions {

struct projectile_group_part {
    int32_t projectile;
    uint32_t flags;
    int16_t count_lower;
    int16_t count_delta;
    int16_t position_lower;
    int16_t position_delta;
    uint8_t reserved_16[4];
    uint16_t appearing_fraction;
    uint8_t reserved_22[10];
};
static_assert(sizeof(projectile_group_part) == 32);
static_assert(offsetof(projectile_group_part, flags) == 4);
static_assert(offsetof(projectile_group_part, count_lower) == 8);
static_assert(offsetof(projectile_group_part, count_delta) == 10);
static_assert(offsetof(projectile_group_part, position_lower) == 12);
static_assert(offsetof(projectile_group_part, position_delta) == 14);
static_assert(offsetof(projectile_group_part, reserved_16) == 16);
static_assert(offsetof(projectile_group_part, appearing_fraction) == 20);
static_assert(offsetof(projectile_group_part, reserved_22) == 22);

inline constexpr int16_t projectile_group_part_codes[] = {-100, 1, -4, -4, -2, -2, -2, -2, 4, -2, 8, 2, -101};

inline constexpr int projectile_group_part_capacity = 15;

struct projectile_group_definition {
    uint32_t flags;
    int16_t part_count;
    uint8_t reserved_6[2];
    int32_t mesh_effect;
    int32_t sound;
    int32_t local_projectile_group;
    uint8_t reserved_20[12];
    projectile_group_part parts[projectile_group_part_capacity];
};
static_assert(sizeof(projectile_group_definition) == 512);
static_assert(offsetof(projectile_group_definition, part_count) == 4);
static_assert(offsetof(projectile_group_definition, reserved_6) == 6);
static_assert(offsetof(projectile_group_definition, mesh_effect) == 8);
static_assert(offsetof(projectile_group_definition, sound) == 12);
static_assert(offsetof(projectile_group_definition, local_projectile_group) == 16);
static_assert(offsetof(projectile_group_definition, reserved_20) == 20);
static_assert(offsetof(projectile_group_definition, parts) == 32);

inline constexpr int16_t projectile_group_definition_codes[] = {
    -100, 1,
    -4, -2, 2, -4, -4, -4, 6, 6,
    -100, 15, -4, -4, -2, -2, -2, -2, 4, -2, 8, 2, -101,
    -101};

extern const projectile_group_definition projectile_group_definition_default;
// The element a new part receives.
extern const projectile_group_part projectile_group_part_default;
int32_t projectile_group_user_data(const void* record);

inline constexpr NamedValue projectile_group_part_flag_names[] = {{0x1, "Is Central"}, {0x2, "Is On Ground"}};

struct local_projectile_group_definition {
    uint32_t flags;
    int32_t collection_reference;
    int32_t physics;
    int16_t flight_sequence;
    int16_t stain_sequence;
    int16_t scale_fraction_lower;
    int16_t scale_fraction_delta;
    int16_t animation_rate_lower;
    int16_t animation_rate_delta;
    int16_t target_number_lower;
    int16_t target_number_delta;
    int32_t radius_lower;
    int32_t radius_delta;
    int32_t expiration_time_lower;
    int32_t expiration_time_delta;
    int16_t transfer_mode;
    int16_t height_offset;
    int16_t startup_transition_time_lower;
    int16_t startup_transition_time_delta;
    int16_t ending_transition_time_lower;
    int16_t ending_transition_time_delta;
    int32_t duration_lower;
    int32_t duration_delta;
    int16_t startup_horizontal_scale_from;
    int16_t startup_horizontal_scale_to;
    int16_t startup_vertical_scale_from;
    int16_t startup_vertical_scale_to;
    int16_t ending_horizontal_scale_from;
    int16_t ending_horizontal_scale_to;
    int16_t ending_vertical_scale_from;
    int16_t ending_vertical_scale_to;
    uint8_t reserved[48];
};
static_assert(sizeof(local_projectile_group_definition) == 128);
static_assert(offsetof(local_projectile_group_definition, collection_reference) == 4);
static_assert(offsetof(local_projectile_group_definition, physics) == 8);
static_assert(offsetof(local_projectile_group_definition, flight_sequence) == 12);
static_assert(offsetof(local_projectile_group_definition, stain_sequence) == 14);
static_assert(offsetof(local_projectile_group_definition, scale_fraction_lower) == 16);
static_assert(offsetof(local_projectile_group_definition, animation_rate_lower) == 20);
static_assert(offsetof(local_projectile_group_definition, target_number_lower) == 24);
static_assert(offsetof(local_projectile_group_definition, radius_lower) == 28);
static_assert(offsetof(local_projectile_group_definition, radius_delta) == 32);
static_assert(offsetof(local_projectile_group_definition, expiration_time_lower) == 36);
static_assert(offsetof(local_projectile_group_definition, expiration_time_delta) == 40);
static_assert(offsetof(local_projectile_group_definition, transfer_mode) == 44);
static_assert(offsetof(local_projectile_group_definition, height_offset) == 46);
static_assert(offsetof(local_projectile_group_definition, startup_transition_time_lower) == 48);
static_assert(offsetof(local_projectile_group_definition, ending_transition_time_lower) == 52);
static_assert(offsetof(local_projectile_group_definition, duration_lower) == 56);
static_assert(offsetof(local_projectile_group_definition, duration_delta) == 60);
static_assert(offsetof(local_projectile_group_definition, startup_horizontal_scale_from) == 64);
static_assert(offsetof(local_projectile_group_definition, startup_horizontal_scale_to) == 66);
static_assert(offsetof(local_projectile_group_definition, startup_vertical_scale_from) == 68);
static_assert(offsetof(local_projectile_group_definition, startup_vertical_scale_to) == 70);
static_assert(offsetof(local_projectile_group_definition, ending_horizontal_scale_from) == 72);
static_assert(offsetof(local_projectile_group_definition, ending_horizontal_scale_to) == 74);
static_assert(offsetof(local_projectile_group_definition, ending_vertical_scale_from) == 76);
static_assert(offsetof(local_projectile_group_definition, ending_vertical_scale_to) == 78);
static_assert(offsetof(local_projectile_group_definition, reserved) == 80);

inline constexpr int16_t local_projectile_group_definition_codes[] = {
    -100, 1,
    -4, -4, -4,
    -100, 2, -2, -101,
    -2, -2, -2, -2, -2, -2,
    -4, -4, -4, -4,
    -2, -2, -2, -2, -2, -2,
    -4, -4,
    -2, -2, -2, -2, -2, -2, -2, -2,
    40, 8,
    -101};

extern const local_projectile_group_definition local_projectile_group_definition_default;
int32_t local_projectile_group_user_data(const void* record);

// Labels repeat where the same check box caption appears in two group boxes.
inline constexpr NamedValue local_projectile_group_flag_names[] = {
    {0x1, "Never get recreated"},
    {0x2, "Affected by wind"},
    {0x4, "Deleted when they hit the ground"},
    {0x8, "Deleted after time expires"},
    {0x10, "Deleted after animation completes"},
    {0x20, "Do not animate"},
    {0x40, "Has Startup Transition"},
    {0x80, "Has Finite Duration"},
    {0x100, "Has Ending Transition"},
    {0x200, "Affects Transparency"},
    {0x400, "Affects Target Number"},
    {0x800, "Always update physics"},
    {0x1000, "Stay relative to the center"},
    {0x2000, "Affects Transparency"},
    {0x4000, "Affects Target Number"},
    {0x8000, "Stop Creating Particles"},
    {0x10000, "Delete after particles are gone"},
    {0x20000, "Affects Horizontal Scale"},
    {0x40000, "Affects Vertical Scale"},
    {0x80000, "Affects Horizontal Scale"},
    {0x100000, "Affects Vertical Scale"},
    {0x200000, "Created symmetrically"},
    {0x400000, "Don't respect height above ground"},
    {0x800000, "Always start at first frame"},
    {0x1000000, "Casts reflections"},
    {0x2000000, "Is media surface effect"},
    {0x4000000, "Update per tick"},
    {0x8000000, "Uses Owner Color Table"},
};

inline constexpr NamedValue local_projectile_group_transfer_mode_names[] = {
    {0, "Normal"},
    {1, "Fade In Over Time"},
    {2, "Fade In Over Animation"},
    {3, "Fade Out Over Time"},
    {4, "Fade Out Over Animation"},
};

extern const RecordDescription projectile_group_part_description;
extern const RecordDescription projectile_group_definition_description;
extern const RecordDescription local_projectile_group_definition_description;

}  // namespace definitions
