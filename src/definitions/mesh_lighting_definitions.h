#pragma once

// Mesh lighting (group `meli`): incident light, intensities, shadows and smoothing.

#include <cstddef>
#include <cstdint>

#include "definitions/field_description.h"

namespace definitions {

static_assert(sizeof(float) == 4);

// The form shows this group's 16.16 numbers with two decimals.
inline constexpr int mesh_lighting_fixed_decimals = 2;

struct mesh_lighting_definition {
    int32_t incident_light[3];  // 16.16 i, j, k
    int32_t ambient_light_intensity;
    int32_t maximum_diffuse_light_intensity;
    int32_t model_shading_diffuse_light_intensity;
    int32_t maximum_total_light_intensity;
    int16_t maximum_shadow_distance;
    int16_t smoothing_filter_width;
    float smoothing_gaussian_width;
    uint8_t reserved[28];
};
static_assert(sizeof(mesh_lighting_definition) == 64);
static_assert(offsetof(mesh_lighting_definition, ambient_light_intensity) == 12);
static_assert(offsetof(mesh_lighting_definition, maximum_total_light_intensity) == 24);
static_assert(offsetof(mesh_lighting_definition, maximum_shadow_distance) == 28);
static_assert(offsetof(mesh_lighting_definition, smoothing_filter_width) == 30);
static_assert(offsetof(mesh_lighting_definition, smoothing_gaussian_width) == 32);
static_assert(offsetof(mesh_lighting_definition, reserved) == 36);

inline constexpr int16_t mesh_lighting_definition_codes[] = {
    -100, 1, -100, 7, -4, -101, -2, -2, -4, 28, -101};

extern const mesh_lighting_definition mesh_lighting_definition_default;
int32_t mesh_lighting_user_data(const void* record);
extern const RecordDescription mesh_lighting_definition_description;

}  // namespace definitions
