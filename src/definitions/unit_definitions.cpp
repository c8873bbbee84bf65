#include "definitions/unit_definitions.h"

#include "core/byte_swap.h"
#include "core/tag_code.h"
#include "definitions/field_builders.h"

namespace definitions {

constinit const unit_definition unit_definition_default{.monster = NONE, .collection_reference = NONE, .reserved = {}};

constinit const artifact_definition artifact_definition_default{};

int32_t unit_user_data(const void*) { return NONE; }

int32_t artifact_user_data(const void*) { return NONE; }

void convert_artifact_attack(void* record) {
    auto* artifact = static_cast<artifact_definition*>(record);
    byte_swap_data("attack_definition", &artifact->override_attack, sizeof(attack_definition), 1,
                   attack_definition_codes);
}

namespace {

using namespace fields;

constexpr FieldDescription unit_definition_fields[] = {
    reference("monster", offsetof(unit_definition, monster), make_tag("mons")),
    reference("collection_reference", offsetof(unit_definition, collection_reference), make_tag("core")),
    reserved("reserved", offsetof(unit_definition, reserved), 120),
};

#define AT(member) offsetof(artifact_definition, member)

constexpr FieldDescription artifact_definition_fields[] = {
    flags("flags", AT(flags), 4, artifact_flag_names),
    reference("monster_restriction", AT(monster_restriction), make_tag("mons")),
    enumeration("specialization_restriction", AT(specialization_restriction), artifact_specialization_names, 1),
    int16("initial_charges_lower", AT(initial_charges_lower)),
    int16("initial_charges_delta", AT(initial_charges_delta)),
    reserved("reserved_14", AT(reserved_14), 2),
    reference("collection", AT(collection), make_tag(".256")),
    int16("inventory_sequence", AT(inventory_sequence), FieldKind::sequence_index),
    reserved_words("reserved_22", AT(reserved_22), 2, 3),
    reference("projectile", AT(projectile), make_tag("proj")),
    reserved_words("reserved_32", AT(reserved_32), 4, 3),
    reserved_words("reserved_44", AT(reserved_44), 4),
    reserved("reserved_48", AT(reserved_48), 2),
    int16("vanish_time_period", AT(vanish_time_period)),
    records("bonus_effect_modifiers", AT(bonus_effect_modifiers), damage_effect_modifiers_description, 1),
    int16("unused_effect_modifiers", AT(unused_effect_modifiers), FieldKind::short_fixed,
          artifact_unused_effect_modifiers),
    records("override_attack", AT(override_attack), attack_definition_description, 1),
    reference("special_ability", AT(special_ability), make_tag("stli")),
    reference("monster_override", AT(monster_override), make_tag("mons")),
    reserved("reserved_156", AT(reserved_156), 12),
};

#undef AT

}  // namespace

constinit const RecordDescription unit_definition_description{
    "unit_definition", sizeof(unit_definition), unit_definition_codes, unit_definition_fields};
constinit const RecordDescription artifact_definition_description{
    "artifact_definition", sizeof(artifact_definition), artifact_definition_codes, artifact_definition_fields};

}  // namespace definitions
