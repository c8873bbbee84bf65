#pragma once

// Media types (group `medi`): liquids with their reflection, wobble, surface
// effects and splash projectile groups.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/field_description.h"

namespace definitions {

inline constexpr int media_projectile_group_count = 7;

struct media_definition {
    uint32_t flags;
    tag_code collection_reference;
    uint8_t reserved_8[16];
    tag_code projectile_groups[media_projectile_group_count];  // `prgr`, in the order of the names below
    int32_t unused_references[9];
    int16_t reflection_tint_fraction;  // short fixed
    rgb_color reflection_tint_color;
    uint16_t surface_effect_density;  // fraction
    tag_code surface_effect;          // `lpgr`
    int16_t wobble_magnitude[3];      // world distances i, j, k
    int16_t wobble_phase_multiplier[3];
    int16_t maximum_effects_per_cell;
    int16_t time_between_effects;  // ticks
    uint16_t reflection_transparency;  // fraction
    uint8_t reserved_122[134];
};
static_assert(sizeof(media_definition) == 256);
static_assert(offsetof(media_definition, collection_reference) == 4);
static_assert(offsetof(media_definition, reserved_8) == 8);
static_assert(offsetof(media_definition, projectile_groups) == 24);
static_assert(offsetof(media_definition, unused_references) == 52);
static_assert(offsetof(media_definition, reflection_tint_fraction) == 88);
static_assert(offsetof(media_definition, reflection_tint_color) == 90);
static_assert(offsetof(media_definition, surface_effect_density) == 98);
static_assert(offsetof(media_definition, surface_effect) == 100);
static_assert(offsetof(media_definition, wobble_magnitude) == 104);
static_assert(offsetof(media_definition, wobble_phase_multiplier) == 110);
static_assert(offsetof(media_definition, maximum_effects_per_cell) == 116);
static_assert(offsetof(media_definition, time_between_effects) == 118);
static_assert(offsetof(media_definition, reflection_transparency) == 120);
static_assert(offsetof(media_definition, reserved_122) == 122);

inline constexpr int16_t media_definition_codes[] = {
    -100, 1,
    -4, -4, 16,
    -100, 16, -4, -101,
    -2, -2, -2, -2, -2, -2,
    -4,
    -100, 9, -2, -101,
    96, 6, 32,
    -101};

extern const media_definition media_definition_default;
int32_t media_user_data(const void* record);
extern const RecordDescription media_definition_description;

inline constexpr NamedValue media_flag_names[] = {{0x1, "Media Does Not Reflect"}};

// Labels of the seven splash projectile groups, by index.
inline constexpr NamedValue media_projectile_group_names[] = {
    {0, "Small Splash:"}, {1, "Medium Splash:"}, {2, "Large Splash:"}, {3, "Bloody Splash:"},
    {4, "Floating Splash:"}, {5, "Steam Splash:"}, {6, "Disturbance:"},
};

}  // namespace definitions
