#pragma once

// Units (group `unit`): a monster dressed by a collection reference. Artifacts
// (group `arti`): items a monster carries, with charges, restrictions, bonus
// modifiers and an attack that can replace the carrier's own. The override attack
// is skipped by the artifact codes and converted on its own with the attack codes.

#include <cstddef>
#include <cstdint>

#include "definitions/field_description.h"
#include "definitions/monster_definitions.h"
#include "definitions/projectile_definitions.h"

namespace definitions {

struct unit_definition {
    int32_t monster;
    int32_t collection_reference;
    uint8_t reserved[120];
};
static_assert(sizeof(unit_definition) == 128);
static_assert(offsetof(unit_definition, collection_reference) == 4);
static_assert(offsetof(unit_definition, reserved) == 8);

inline constexpr int16_t unit_definition_codes[] = {-100, 1, -4, -4, 110, 2, 4, 4, -101};

extern const unit_definition unit_definition_default;
int32_t unit_user_data(const void* record);
extern const RecordDescription unit_definition_description;

inline constexpr int artifact_unused_effect_modifiers = 16 - damage_effect_modifier_count;

struct artifact_definition {
    uint32_t flags;
    int32_t monster_restriction;
    int16_t specialization_restriction;
    int16_t initial_charges_lower;
    int16_t initial_charges_delta;
    uint8_t reserved_14[2];
    int32_t collection;
    int16_t inventory_sequence;
    int16_t reserved_22[3];
    int32_t projectile;
    int32_t reserved_32[3];
    int32_t reserved_44;
    uint8_t reserved_48[2];
    int16_t vanish_time_period;
    damage_effect_modifiers bonus_effect_modifiers;
    int16_t unused_effect_modifiers[artifact_unused_effect_modifiers];
    attack_definition override_attack;
    int32_t special_ability;
    int32_t monster_override;
    uint8_t reserved_156[12];
};
static_assert(sizeof(artifact_definition) == 168);
static_assert(offsetof(artifact_definition, monster_restriction) == 4);
static_assert(offsetof(artifact_definition, specialization_restriction) == 8);
static_assert(offsetof(artifact_definition, initial_charges_lower) == 10);
static_assert(offsetof(artifact_definition, initial_charges_delta) == 12);
static_assert(offsetof(artifact_definition, reserved_14) == 14);
static_assert(offsetof(artifact_definition, collection) == 16);
static_assert(offsetof(artifact_definition, inventory_sequence) == 20);
static_assert(offsetof(artifact_definition, reserved_22) == 22);
static_assert(offsetof(artifact_definition, projectile) == 28);
static_assert(offsetof(artifact_definition, reserved_32) == 32);
static_assert(offsetof(artifact_definition, reserved_44) == 44);
static_assert(offsetof(artifact_definition, reserved_48) == 48);
static_assert(offsetof(artifact_definition, vanish_time_period) == 50);
static_assert(offsetof(artifact_definition, bonus_effect_modifiers) == 52);
static_assert(offsetof(artifact_definition, unused_effect_modifiers) == 70);
static_assert(offsetof(artifact_definition, override_attack) == 84);
static_assert(offsetof(artifact_definition, special_ability) == 148);
static_assert(offsetof(artifact_definition, monster_override) == 152);
static_assert(offsetof(artifact_definition, reserved_156) == 156);

inline constexpr int16_t artifact_definition_codes[] = {
    -100, 1,
    -4, -4, -2, -2, -2, 2, -4,
    -100, 4, -2, -101,
    -100, 4, -4, -101,
    -4, 2, -2,
    -100, 16, -2, -101,
    64,
    -4, -4, 4, 8,
    -101};

// A new artifact is all zero.
extern const artifact_definition artifact_definition_default;
int32_t artifact_user_data(const void* record);

// Converts the override attack of an artifact record with the attack codes; its own inverse.
void convert_artifact_attack(void* record);

inline constexpr NamedValue artifact_flag_names[] = {
    {0x1, "Overrides Owner Attack"},
    {0x2, "Vanishes After Last Charge"},
    {0x4, "Overrides Owner Monster"},
    {0x8, "Remembers Charge Count"},
    {0x10, "Only Restricted Monster Overrides"},
    {0x20, "Cannot be Holstered"},
    {0x40, "Cannot be Discarded"},
    {0x80, "Vanishes after Time Period:"},
    {0x100, "Restricted by Monster Collection"},
    {0x200, "Use Original Death Proj Groups"},
    {0x400, "Not dropped on death"},
    {0x800, "Display Charges As Percentage"},
    {0x1000, "Slows Monster Speed"},
    {0x2000, "Alters Monster Yaw"},
    {0x4000, "Monster Attacks Dont Use Charges"},
};

inline constexpr NamedValue artifact_specialization_names[] = {{-1, "None"}, {0, "Bow"}, {1, "Sword"}};

extern const RecordDescription artifact_definition_description;

}  // namespace definitions
