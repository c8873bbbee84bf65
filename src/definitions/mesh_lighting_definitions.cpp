#include "definitions/mesh_lighting_definitions.h"

#include "core/tag_code.h"
#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

constinit const mesh_lighting_definition mesh_lighting_definition_default{
    .incident_light = {65536, 65536, -39321},
    .ambient_light_intensity = 6553,
    .maximum_diffuse_light_intensity = 65536,
    .model_shading_diffuse_light_intensity = 19660,
    .maximum_total_light_intensity = 62259,
    .maximum_shadow_distance = 64,
    .smoothing_filter_width = 3,
    .smoothing_gaussian_width = 2.0f,
    .reserved = {},
};

int32_t mesh_lighting_user_data(const void*) { return NONE; }

namespace {

constexpr FieldDescription mesh_lighting_fields[] = {
    int32("incident_light", 0, FieldKind::fixed, 3),
    int32("ambient_light_intensity", 12, FieldKind::fixed),
    int32("maximum_diffuse_light_intensity", 16, FieldKind::fixed),
    int32("model_shading_diffuse_light_intensity", 20, FieldKind::fixed),
    int32("maximum_total_light_intensity", 24, FieldKind::fixed),
    int16("maximum_shadow_distance", 28),
    int16("smoothing_filter_width", 30),
    real("smoothing_gaussian_width", 32),
    reserved("reserved", 36, 28),
};

}  // namespace

const RecordDescription mesh_lighting_definition_description{
    "mesh_lighting_definition", sizeof(mesh_lighting_definition), mesh_lighting_definition_codes,
    mesh_lighting_fields};

}  // namespace definitions
