#include "definitions/mesh_effect_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

namespace {

constexpr mesh_effect_definition make_mesh_effect_default() {
    mesh_effect_definition effect{};
    effect.amplitude = 409;
    effect.cutoff_radius = 2048;
    effect.dissipation = 256;
    effect.velocity = 102;
    effect.camera_shaking_type = NONE;
    effect.collection_reference = NONE;
    effect.shockwave_sequence = NONE;
    effect.radial_point_count = 32;
    effect.thickness = 512;
    effect.height_offset = 512;
    return effect;
}

constexpr FieldDescription mesh_effect_fields[] = {
    flags("flags", 0, 4, mesh_effect_flag_names),
    int16("amplitude", 4, FieldKind::world_distance),
    int16("cutoff_radius", 6, FieldKind::world_distance),
    int16("dissipation", 8, FieldKind::short_fixed),
    int16("velocity", 10, FieldKind::world_distance),
    int16("epicenter_offset", 12, FieldKind::world_distance),
    enumeration("camera_shaking_type", 14, camera_shaking_type_names, 1),
    reference("collection_reference", 16, make_tag("core")),
    int16("shockwave_sequence", 20, FieldKind::sequence_index),
    int16("radial_point_count", 22),
    int16("thickness", 24, FieldKind::world_distance),
    int16("height_offset", 26, FieldKind::world_distance),
    reserved("reserved", 28, 8),
};

}  // namespace

constinit const mesh_effect_definition mesh_effect_definition_default = make_mesh_effect_default();

int32_t mesh_effect_user_data(const void*) { return NONE; }

const RecordDescription mesh_effect_definition_description{
    "mesh_effect_definition", sizeof(mesh_effect_definition), mesh_effect_definition_codes, mesh_effect_fields};

}  // namespace definitions
