#pragma once

// Mesh effects (group `meef`): ground-shaking shock waves and camera shaking.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

struct mesh_effect_definition {
    uint32_t flags;
    int16_t amplitude;      // world distance
    int16_t cutoff_radius;  // world distance
    int16_t dissipation;    // short fixed
    int16_t velocity;       // world distance
    int16_t epicenter_offset;
    int16_t camera_shaking_type;  // NONE or an index into the names below
    tag_code collection_reference;
    int16_t shockwave_sequence;
    int16_t radial_point_count;
    int16_t thickness;
    int16_t height_offset;
    uint8_t reserved[8];
};
static_assert(sizeof(mesh_effect_definition) == 36);
static_assert(offsetof(mesh_effect_definition, amplitude) == 4);
static_assert(offsetof(mesh_effect_definition, camera_shaking_type) == 14);
static_assert(offsetof(mesh_effect_definition, collection_reference) == 16);
static_assert(offsetof(mesh_effect_definition, shockwave_sequence) == 20);
static_assert(offsetof(mesh_effect_definition, radial_point_count) == 22);
static_assert(offsetof(mesh_effect_definition, height_offset) == 26);
static_assert(offsetof(mesh_effect_definition, reserved) == 28);

inline constexpr int16_t mesh_effect_definition_codes[] = {
    -100, 1, -4, -100, 6, -2, -101, -4, -100, 4, -2, -101, 8, -101};

extern const mesh_effect_definition mesh_effect_definition_default;
int32_t mesh_effect_user_data(const void* record);
extern const RecordDescription mesh_effect_definition_description;

inline constexpr NamedValue mesh_effect_flag_names[] = {{0x1, "Is Inverted"}, {0x2, "Has Shockwave"}};

inline constexpr NamedValue camera_shaking_type_names[] = {{-1, "NONE"}, {0, "Earthquake"}, {1, "Explosion"}};

}  // namespace definitions
