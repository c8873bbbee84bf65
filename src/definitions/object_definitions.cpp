#include "definitions/object_definitions.h"

#include <algorithm>

#include "core/tag_code.h"
#include "definitions/field_builders.h"

namespace definitions {

namespace {

constexpr object_definition make_object_default() {
    object_definition object{};
    object.gravity = -2;
    object.elastic_coefficient = 128;
    object.maximum_vitality_lower = 256;
    object.scale_fraction_lower = 256;
    std::ranges::fill(object.effect_modifiers.modifiers, int16_t{256});
    std::ranges::fill(object.unused_effect_modifiers, int16_t{256});
    return object;
}

constexpr scenery_definition make_scenery_default() {
    scenery_definition scenery{};
    scenery.collection_reference = NONE;
    scenery.object = NONE;
    scenery.projectile = NONE;
    scenery.netgame_scoring_type = NONE;
    scenery.impact_projectile_group = NONE;
    scenery.detonation_projectile_group = NONE;
    std::ranges::fill(scenery.reserved_32, int32_t{NONE});
    std::ranges::fill(scenery.sequences, int16_t{NONE});
    return scenery;
}

using namespace fields;

#define AT(member) offsetof(object_definition, member)

constexpr FieldDescription object_definition_fields[] = {
    flags("flags", AT(flags), 2, object_flag_names),
    int16("gravity", AT(gravity), FieldKind::world_distance),
    int16("elastic_coefficient", AT(elastic_coefficient), FieldKind::short_fixed),
    int16("terminal_velocity", AT(terminal_velocity), FieldKind::world_distance),
    int16("maximum_vitality_lower", AT(maximum_vitality_lower), FieldKind::short_fixed),
    int16("maximum_vitality_delta", AT(maximum_vitality_delta), FieldKind::short_fixed),
    int16("scale_fraction_lower", AT(scale_fraction_lower), FieldKind::short_fixed),
    int16("scale_fraction_delta", AT(scale_fraction_delta), FieldKind::short_fixed),
    records("effect_modifiers", AT(effect_modifiers), damage_effect_modifiers_description, 1),
    int16("unused_effect_modifiers", AT(unused_effect_modifiers), FieldKind::short_fixed,
          object_unused_effect_modifiers),
    int16("minimum_damage", AT(minimum_damage), FieldKind::short_fixed),
    reserved("reserved", AT(reserved), 14),
};

#undef AT
#define AT(member) offsetof(scenery_definition, member)

constexpr FieldDescription scenery_definition_fields[] = {
    flags("flags", AT(flags), 4, scenery_flag_names),
    reference("collection_reference", AT(collection_reference), make_tag("core")),
    reference("object", AT(object), make_tag("obje")),
    reference("projectile", AT(projectile), make_tag("proj")),
    enumeration("netgame_scoring_type", AT(netgame_scoring_type), scenery_scoring_type_names, 1),
    int16("netgame_flag_number", AT(netgame_flag_number)),
    reserved("reserved_20", AT(reserved_20), 4),
    reference("impact_projectile_group", AT(impact_projectile_group), make_tag("prgr")),
    reference("detonation_projectile_group", AT(detonation_projectile_group), make_tag("prgr")),
    reserved_words("reserved_32", AT(reserved_32), 4, 2),
    int16("sequences", AT(sequences), FieldKind::sequence_index, scenery_sequence_slots),
    int16("model_permutation_delta", AT(model_permutation_delta)),
    reserved("reserved_54", AT(reserved_54), 74),
};

#undef AT

}  // namespace

constinit const object_definition object_definition_default = make_object_default();
constinit const scenery_definition scenery_definition_default = make_scenery_default();

int32_t object_user_data(const void*) { return NONE; }

int32_t scenery_user_data(const void*) { return NONE; }

constinit const RecordDescription object_definition_description{
    "object_definition", sizeof(object_definition), object_definition_codes, object_definition_fields};
constinit const RecordDescription scenery_definition_description{
    "scenery_definition", sizeof(scenery_definition), scenery_definition_codes, scenery_definition_fields};

}  // namespace definitions
