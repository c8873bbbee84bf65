#pragma once

// Object properties (group `obje`): physical traits shared by the monsters and
// projectiles that refer to them. Scenery (group `scen`): placeable map objects.

#include <cstddef>
#include <cstdint>

#include "definitions/field_description.h"
#include "definitions/projectile_definitions.h"

namespace definitions {

inline constexpr int object_unused_effect_modifiers = 16 - damage_effect_modifier_count;

struct object_definition {
    uint16_t flags;
    int16_t gravity;
    int16_t elastic_coefficient;
    int16_t terminal_velocity;
    int16_t maximum_vitality_lower;
    int16_t maximum_vitality_delta;
    int16_t scale_fraction_lower;
    int16_t scale_fraction_delta;
    damage_effect_modifiers effect_modifiers;
    int16_t unused_effect_modifiers[object_unused_effect_modifiers];
    int16_t minimum_damage;
    uint8_t reserved[14];
};
static_assert(sizeof(object_definition) == 64);
static_assert(offsetof(object_definition, gravity) == 2);
static_assert(offsetof(object_definition, elastic_coefficient) == 4);
static_assert(offsetof(object_definition, terminal_velocity) == 6);
static_assert(offsetof(object_definition, maximum_vitality_lower) == 8);
static_assert(offsetof(object_definition, maximum_vitality_delta) == 10);
static_assert(offsetof(object_definition, scale_fraction_lower) == 12);
static_assert(offsetof(object_definition, scale_fraction_delta) == 14);
static_assert(offsetof(object_definition, effect_modifiers) == 16);
static_assert(offsetof(object_definition, unused_effect_modifiers) == 34);
static_assert(offsetof(object_definition, minimum_damage) == 48);
static_assert(offsetof(object_definition, reserved) == 50);

inline constexpr int16_t object_definition_codes[] = {
    -100, 1,
    -2, -2, -2, -2, -2, -2, -2, -2,
    -100, 16, -2, -101,
    -2, 14,
    -101};

extern const object_definition object_definition_default;
int32_t object_user_data(const void* record);

inline constexpr NamedValue object_flag_names[] = {
    {0x1, "Draw Selection Box"},
    {0x2, "Draw Vitality Box"},
    {0x4, "Maintains Constant Height Above Mesh"},
    {0x8, "Ignore Model and Object Collisions"},
    {0x10, "Object is Solid"},
};

inline constexpr int scenery_sequence_slots = 6;

struct scenery_definition {
    uint32_t flags;
    int32_t collection_reference;
    int32_t object;
    int32_t projectile;
    int16_t netgame_scoring_type;
    int16_t netgame_flag_number;  // -1 to 8; the form shows it plus one
    uint8_t reserved_20[4];
    int32_t impact_projectile_group;
    int32_t detonation_projectile_group;
    int32_t reserved_32[2];
    // Undamaged, ruined, then four slots nothing edits but a collection change resets.
    int16_t sequences[scenery_sequence_slots];
    int16_t model_permutation_delta;
    uint8_t reserved_54[74];
};
static_assert(sizeof(scenery_definition) == 128);
static_assert(offsetof(scenery_definition, collection_reference) == 4);
static_assert(offsetof(scenery_definition, object) == 8);
static_assert(offsetof(scenery_definition, projectile) == 12);
static_assert(offsetof(scenery_definition, netgame_scoring_type) == 16);
static_assert(offsetof(scenery_definition, netgame_flag_number) == 18);
static_assert(offsetof(scenery_definition, reserved_20) == 20);
static_assert(offsetof(scenery_definition, impact_projectile_group) == 24);
static_assert(offsetof(scenery_definition, detonation_projectile_group) == 28);
static_assert(offsetof(scenery_definition, reserved_32) == 32);
static_assert(offsetof(scenery_definition, sequences) == 40);
static_assert(offsetof(scenery_definition, model_permutation_delta) == 52);
static_assert(offsetof(scenery_definition, reserved_54) == 54);

inline constexpr int scenery_undamaged_sequence = 0;
inline constexpr int scenery_ruined_sequence = 1;

inline constexpr int16_t scenery_definition_codes[] = {
    -100, 1,
    -4, -4, -4, -4, -2, -2, 4,
    -100, 4, -4, -101,
    -100, 6, -2, -101,
    -2, 58, 8, 8,
    -101};

extern const scenery_definition scenery_definition_default;
int32_t scenery_user_data(const void* record);

inline constexpr NamedValue scenery_flag_names[] = {
    {0x1, "Is Solid"},
    {0x2, "Has Random Facing"},
    {0x4, "Is Large Object"},
    {0x8, "Is Netgame Flag"},
    {0x10, "Respects Monster Visibility"},
    {0x20, "Adjusts Model Permutation"},
    {0x40, "Animates"},
    {0x80, "Marks Terrain Impassable"},
    {0x100, "Affects Model Animation Frame"},
    {0x200, "Destruction Starts Model Animation"},
};

inline constexpr NamedValue scenery_scoring_type_names[] = {
    {-1, "NONE"},
    {0, "Body Count"},
    {1, "Steal the Bacon"},
    {2, "Last Man on the Hill"},
    {3, "Scavenger Hunt"},
    {4, "Flag Rally"},
    {5, "Capture the Flag"},
    {6, "Balls on Parade"},
    {7, "Territories"},
    {8, "Captures"},
    {9, "King of the Hill"},
    {10, "Rugby"},
    {11, "Assassination"},
    {12, "Hunting"},
    {13, "None"},
};

extern const RecordDescription object_definition_description;
extern const RecordDescription scenery_definition_description;

}  // namespace definitions
