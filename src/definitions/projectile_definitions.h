#pragma once

// Projectiles (group `proj`), and the damage definition and damage effect
// modifiers that artifacts, objects and lightning share with them.

#include <cstddef>
#include <cstdint>

#include "definitions/field_description.h"

namespace definitions {

struct damage_definition {
    int16_t type;
    uint16_t flags;
    int16_t damage_lower;
    int16_t damage_delta;
    int16_t radius_lower;
    int16_t radius_delta;
    int16_t rate_of_expansion;
    int16_t damage_to_velocity;
};
static_assert(sizeof(damage_definition) == 16);
static_assert(offsetof(damage_definition, flags) == 2);
static_assert(offsetof(damage_definition, damage_lower) == 4);
static_assert(offsetof(damage_definition, damage_delta) == 6);
static_assert(offsetof(damage_definition, radius_lower) == 8);
static_assert(offsetof(damage_definition, radius_delta) == 10);
static_assert(offsetof(damage_definition, rate_of_expansion) == 12);
static_assert(offsetof(damage_definition, damage_to_velocity) == 14);

inline constexpr int16_t damage_definition_codes[] = {-100, 1, -2, -2, -2, -2, -2, -2, -2, -2, -101};

// Nine 8.8 multipliers, 1.0 = 256, in the order of damage_effect_modifier_names.
inline constexpr int damage_effect_modifier_count = 9;

struct damage_effect_modifiers {
    int16_t modifiers[damage_effect_modifier_count];
};
static_assert(sizeof(damage_effect_modifiers) == 18);

inline constexpr int16_t damage_effect_modifiers_codes[] = {-100, 1, -2, -2, -2, -2, -2, -2, -2, -2, -2, -101};

struct projectile_definition {
    uint32_t flags;
    int32_t collection;
    int16_t flight_sequence;
    int16_t debris_sequence;
    int16_t bounce_sequence;
    int16_t splash_type;
    int32_t detonation_projectile_group;
    int32_t contrail_projectile;
    int16_t ticks_between_contrails;
    int16_t maximum_contrails;  // 32767: no maximum
    int32_t object;
    int16_t inertia_lower;
    int16_t inertia_delta;
    int16_t random_initial_velocity;
    int16_t volume;
    int16_t tracking_priority;
    uint16_t promotion_on_detonation_fraction;
    uint16_t detonation_frequency;
    uint16_t media_detonation_frequency;
    int16_t detonation_velocity;
    int16_t projectile_class;
    int32_t lightning;
    uint8_t reserved_56[4];
    int32_t flight_sound;
    int32_t rebound_sound;
    int32_t reserved_68;
    int32_t reserved_72;
    int16_t animation_rate_lower;
    int16_t animation_rate_delta;
    int16_t lifespan_lower;  // lifespan lower and delta both 0: no lifespan
    int16_t lifespan_delta;
    uint16_t contrail_initial_frequency;
    uint16_t contrail_final_frequency;
    uint16_t contrail_frequency_change;
    uint16_t guided_turning_speed;
    int32_t promotion_projectile;
    int32_t promotion_projectile_group;
    int16_t maximum_safe_acceleration;
    uint16_t acceleration_detonation_fraction;
    damage_definition damage;
    int32_t artifact;
    int32_t target_detonation_projectile_group;
    int32_t reserved_128;
    int16_t delay_lower;
    int16_t delay_delta;
    int32_t local_projectile_group;
    int16_t nearby_target_radius;
    uint8_t reserved_142[2];
    uint8_t reserved_144[79];
    uint8_t acceleration_flags;
    uint8_t reserved_224[32];
};
static_assert(sizeof(projectile_definition) == 256);
static_assert(offsetof(projectile_definition, collection) == 4);
static_assert(offsetof(projectile_definition, flight_sequence) == 8);
static_assert(offsetof(projectile_definition, debris_sequence) == 10);
static_assert(offsetof(projectile_definition, bounce_sequence) == 12);
static_assert(offsetof(projectile_definition, splash_type) == 14);
static_assert(offsetof(projectile_definition, detonation_projectile_group) == 16);
static_assert(offsetof(projectile_definition, contrail_projectile) == 20);
static_assert(offsetof(projectile_definition, ticks_between_contrails) == 24);
static_assert(offsetof(projectile_definition, maximum_contrails) == 26);
static_assert(offsetof(projectile_definition, object) == 28);
static_assert(offsetof(projectile_definition, inertia_lower) == 32);
static_assert(offsetof(projectile_definition, inertia_delta) == 34);
static_assert(offsetof(projectile_definition, random_initial_velocity) == 36);
static_assert(offsetof(projectile_definition, volume) == 38);
static_assert(offsetof(projectile_definition, tracking_priority) == 40);
static_assert(offsetof(projectile_definition, promotion_on_detonation_fraction) == 42);
static_assert(offsetof(projectile_definition, detonation_frequency) == 44);
static_assert(offsetof(projectile_definition, media_detonation_frequency) == 46);
static_assert(offsetof(projectile_definition, detonation_velocity) == 48);
static_assert(offsetof(projectile_definition, projectile_class) == 50);
static_assert(offsetof(projectile_definition, lightning) == 52);
static_assert(offsetof(projectile_definition, reserved_56) == 56);
static_assert(offsetof(projectile_definition, flight_sound) == 60);
static_assert(offsetof(projectile_definition, rebound_sound) == 64);
static_assert(offsetof(projectile_definition, reserved_68) == 68);
static_assert(offsetof(projectile_definition, reserved_72) == 72);
static_assert(offsetof(projectile_definition, animation_rate_lower) == 76);
static_assert(offsetof(projectile_definition, animation_rate_delta) == 78);
static_assert(offsetof(projectile_definition, lifespan_lower) == 80);
static_assert(offsetof(projectile_definition, lifespan_delta) == 82);
static_assert(offsetof(projectile_definition, contrail_initial_frequency) == 84);
static_assert(offsetof(projectile_definition, contrail_final_frequency) == 86);
static_assert(offsetof(projectile_definition, contrail_frequency_change) == 88);
static_assert(offsetof(projectile_definition, guided_turning_speed) == 90);
static_assert(offsetof(projectile_definition, promotion_projectile) == 92);
static_assert(offsetof(projectile_definition, promotion_projectile_group) == 96);
static_assert(offsetof(projectile_definition, maximum_safe_acceleration) == 100);
static_assert(offsetof(projectile_definition, acceleration_detonation_fraction) == 102);
static_assert(offsetof(projectile_definition, damage) == 104);
static_assert(offsetof(projectile_definition, artifact) == 120);
static_assert(offsetof(projectile_definition, target_detonation_projectile_group) == 124);
static_assert(offsetof(projectile_definition, reserved_128) == 128);
static_assert(offsetof(projectile_definition, delay_lower) == 132);
static_assert(offsetof(projectile_definition, delay_delta) == 134);
static_assert(offsetof(projectile_definition, local_projectile_group) == 136);
static_assert(offsetof(projectile_definition, nearby_target_radius) == 140);
static_assert(offsetof(projectile_definition, reserved_142) == 142);
static_assert(offsetof(projectile_definition, reserved_144) == 144);
static_assert(offsetof(projectile_definition, acceleration_flags) == 223);
static_assert(offsetof(projectile_definition, reserved_224) == 224);

inline constexpr int16_t maximum_contrails_unlimited = 32767;

inline constexpr int16_t projectile_definition_codes[] = {
    -100, 1,
    -4, -4, -2, -2, -2, -2, -4, -4, -2, -2, -4,
    -2, -2, -2, -2, -2, -2, -2, -2, -2, -2,
    -4, 4, -4, -4, -4, -4,
    -2, -2, -2, -2, -2, -2, -2, -2,
    -4, -4,
    -2, -2, -2, -2, -2, -2, -2, -2, -2, -2,
    -4, -4, -4, -2, -2, -4, -2,
    2, 80, 18, 14,
    -101};

extern const projectile_definition projectile_definition_default;
extern const damage_definition damage_definition_default;

int32_t projectile_user_data(const void* record);

inline constexpr NamedValue projectile_flag_names[] = {
    {0x1, "Uses Owner Color Table Index"},
    {0x2, "Is Guided"},
    {0x4, "Is Bloody (Do Not Draw)"},
    {0x8, "When Animation Loops"},
    {0x10, "When Transfer Loops"},
    {0x20, "At Rest"},
    {0x40, "Affected By Wind"},
    {0x80, "Animates at Rest"},
    {0x100, "Becomes Dormant at Rest"},
    {0x200, "Can Animate Backwards"},
    {0x400, "Frequency Resets After Bouncing"},
    {0x800, "Can Be Mirrored"},
    {0x1000, "Promoted at End of Lifespan"},
    {0x2000, "Melee Attack"},
    {0x4000, "Cannot be Accelerated"},
    {0x8000, "Bloodies Landscape"},
    {0x10000, "Is On Fire"},
    {0x20000, "Remains After Detonation"},
    {0x40000, "Passes Through Target"},
    {0x80000, "Cannot Be Mirrored Vertically"},
    {0x100000, "Floats"},
    {0x200000, "Is Media Surface Effect"},
    {0x400000, "Damage Proportional to Mana"},
    {0x800000, "Continually Detonates"},
    {0x1000000, "Is Lightning"},
    {0x2000000, "Chooses Nearby Target"},
    {0x4000000, "Is Only Destroyed By Lifespan"},
    {0x8000000, "Makes Owner Monster Visible"},
    {0x10000000, "Can Set Landscape On Fire"},
    {0x20000000, "Centered On Target"},
    {0x40000000, "Markes Target As Having Been Chosen"},
    {static_cast<int32_t>(0x80000000u), "Detonates Immediately"},
};

inline constexpr NamedValue projectile_acceleration_flag_names[] = {{0x1, "Use Acceleration Values"}};

inline constexpr NamedValue projectile_splash_type_names[] = {
    {-1, "NONE"}, {0, "Small"}, {1, "Medium"}, {2, "Large"}};

// Also the list of a monster's desired projectile volume.
inline constexpr NamedValue projectile_volume_names[] = {
    {-1, "NONE"}, {0, "Unwieldy"}, {1, "Small"}, {2, "Large"}};

inline constexpr NamedValue projectile_class_names[] = {
    {-1, "NONE"},
    {0, "Unknown"},
    {1, "Head"},
    {2, "Arm"},
    {3, "Leg"},
    {4, "Torso"},
    {5, "Bloody Chunk"},
    {6, "Lethal Object"},
    {7, "Nonlethal Object"},
    {8, "Explosive Object"},
    {9, "Potentially Explosive Object"},
    {10, "Item"},
};

inline constexpr NamedValue damage_type_names[] = {
    {-1, "NONE"},
    {0, "Explosion"},
    {1, "Magical"},
    {2, "Holding (i.e. shocking)"},
    {3, "Healing"},
    {4, "Kinetic"},
    {5, "Slashing Metal"},
    {6, "Stoning"},
    {7, "Slashing Claws"},
    {8, "Explosive Electricity"},
    {9, "Fire"},
    {10, "Gas"},
    {11, "Charm"},
};

// Bit 0x8 has no check box and is carried through unedited.
inline constexpr NamedValue damage_flag_names[] = {
    {0x1, "Proportional to Velocity"},
    {0x2, "Area of Effect"},
    {0x4, "Does Not Interrupt Events"},
    {0x10, "Can Cause Paralysis"},
    {0x20, "Can Stun"},
    {0x40, "Cannot be Blocked"},
    {0x80, "Cannot Be Healed"},
    {0x100, "Does Not Affect Monsters"},
    {0x200, "Detonates Explosive Immediately"},
    {0x400, "Proportional to Mana"},
    {0x800, "Can Destroy Large Objects"},
    {0x1000, "Instantaneous"},
    {0x2000, "Cannot Hurt Owner"},
    {0x4000, "Does Not Make Monsters Flinch"},
    {0x8000, "Can Cause Confusion"},
};

// Labels of the nine modifiers, index = position in the sub-record.
inline constexpr NamedValue damage_effect_modifier_names[] = {
    {0, "Slashing Damage:"}, {1, "Kinetic Damage:"}, {2, "Explosive Damage:"},
    {3, "Electrical Damage:"}, {4, "Fire Damage:"}, {5, "Paralysis:"},
    {6, "Stone:"}, {7, "Gas Damage:"}, {8, "Confusion:"},
};

extern const RecordDescription damage_definition_description;
extern const RecordDescription damage_effect_modifiers_description;
extern const RecordDescription projectile_definition_description;

}  // namespace definitions
