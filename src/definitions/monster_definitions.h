#pragma once

// Monster definitions (group `mons`): the creature record with its four attacks.
// The attack array is skipped by the record's codes and converted on its own,
// element by element, with the attack codes.

#include <cstddef>
#include <cstdint>

#include "definitions/field_description.h"

namespace definitions {

struct attack_sequence {
    uint16_t flags;
    int16_t sequence;
    uint16_t skip_fraction;
    uint8_t reserved[2];
};
static_assert(sizeof(attack_sequence) == 8);
static_assert(offsetof(attack_sequence, sequence) == 2);
static_assert(offsetof(attack_sequence, skip_fraction) == 4);
static_assert(offsetof(attack_sequence, reserved) == 6);

struct attack_definition {
    uint16_t flags;
    uint16_t miss_fraction;
    int32_t projectile;
    int16_t minimum_range;
    int16_t maximum_range;
    attack_sequence sequences[4];
    int16_t repetitions;
    int16_t initial_velocity_lower;
    int16_t initial_velocity_delta;
    int16_t initial_velocity_error;
    int16_t recovery_time;
    int16_t recovery_time_experience_delta;
    int16_t velocity_experience_delta;
    int16_t mana_cost;
    uint16_t usage_flags;
    uint8_t reserved[2];
};
static_assert(sizeof(attack_definition) == 64);
static_assert(offsetof(attack_definition, miss_fraction) == 2);
static_assert(offsetof(attack_definition, projectile) == 4);
static_assert(offsetof(attack_definition, minimum_range) == 8);
static_assert(offsetof(attack_definition, maximum_range) == 10);
static_assert(offsetof(attack_definition, sequences) == 12);
static_assert(offsetof(attack_definition, repetitions) == 44);
static_assert(offsetof(attack_definition, initial_velocity_lower) == 46);
static_assert(offsetof(attack_definition, initial_velocity_delta) == 48);
static_assert(offsetof(attack_definition, initial_velocity_error) == 50);
static_assert(offsetof(attack_definition, recovery_time) == 52);
static_assert(offsetof(attack_definition, recovery_time_experience_delta) == 54);
static_assert(offsetof(attack_definition, velocity_experience_delta) == 56);
static_assert(offsetof(attack_definition, mana_cost) == 58);
static_assert(offsetof(attack_definition, usage_flags) == 60);
static_assert(offsetof(attack_definition, reserved) == 62);

inline constexpr int monster_attack_capacity = 4;
inline constexpr int monster_sequence_slots = 26;
inline constexpr int monster_edited_sequence_slots = 19;
inline constexpr int monster_terrain_types = 16;
inline constexpr int monster_sound_slots = 10;

struct monster_definition {
    uint32_t flags;
    int32_t collection;
    int16_t sequences[monster_sequence_slots];
    int32_t burned_projectile_group;
    uint8_t reserved_64[2];
    uint8_t allied_kill_bonus;
    uint8_t morale_affect_radius;
    uint16_t propelled_system_shock;
    uint16_t damage_to_propulsion;
    // The costs of "Sloped", "Grass" and "Desert" double as the extended flag bytes.
    int8_t terrain_costs[monster_terrain_types];
    int16_t reserved_88;
    int16_t pathfinding_radius;
    uint8_t terrain_speeds[monster_terrain_types];
    uint16_t absorbed_fraction;
    int16_t warning_distance;
    int16_t critical_distance;
    uint16_t healing_fraction;  // a byte fraction kept in a 16-bit word
    int16_t ammunition_lower;
    int16_t ammunition_delta;
    int16_t activation_distance;
    uint8_t reserved_122[2];
    uint16_t turning_speed;
    int16_t base_movement_speed;
    uint16_t left_handed_fraction;
    int16_t size;
    int32_t object;
    int16_t attack_count;
    int16_t desired_projectile_volume;
    attack_definition attacks[monster_attack_capacity];
    int32_t map_action_template;
    int16_t attack_frequency[2];
    int32_t exploding_projectile_group;
    int16_t reserved_408;
    int16_t maximum_ammunition_count;
    uint16_t hard_death_system_shock;
    uint16_t flinch_system_shock;
    int32_t melee_impact_projectile_group;
    int32_t dying_projectile_group;
    int32_t spelling_string_list;
    int32_t names_string_list;
    int32_t flavor_string_list;
    uint8_t attack_frequency_flags;
    uint8_t reserved_437;
    int16_t monster_class;
    int16_t allegiance;
    int16_t experience_point_value;
    int32_t sounds[monster_sound_slots];
    int32_t blocked_impact_projectile_group;
    int32_t absorbed_impact_projectile_group;
    int32_t ammunition_projectile;
    int16_t visibility;
    int16_t combined_power;
    int16_t longest_range;
    int16_t cost;
    int8_t sound_types[monster_sound_slots];
    int16_t enemy_kill_bonus;
    int32_t entrance_projectile_group;
    int32_t local_projectile_group;
    int32_t special_ability_string_list;
    int32_t exit_projectile_group;
    int16_t maximum_mana;
    int16_t mana_recharge_rate;
    uint16_t berserk_system_shock;
    uint16_t berserk_health_fraction;
    int16_t maximum_carried_items;
    int16_t reserved_542;
    uint8_t reserved_544[480];
};
static_assert(sizeof(monster_definition) == 1024);
static_assert(offsetof(monster_definition, collection) == 4);
static_assert(offsetof(monster_definition, sequences) == 8);
static_assert(offsetof(monster_definition, burned_projectile_group) == 60);
static_assert(offsetof(monster_definition, reserved_64) == 64);
static_assert(offsetof(monster_definition, allied_kill_bonus) == 66);
static_assert(offsetof(monster_definition, morale_affect_radius) == 67);
static_assert(offsetof(monster_definition, propelled_system_shock) == 68);
static_assert(offsetof(monster_definition, damage_to_propulsion) == 70);
static_assert(offsetof(monster_definition, terrain_costs) == 72);
static_assert(offsetof(monster_definition, reserved_88) == 88);
static_assert(offsetof(monster_definition, pathfinding_radius) == 90);
static_assert(offsetof(monster_definition, terrain_speeds) == 92);
static_assert(offsetof(monster_definition, absorbed_fraction) == 108);
static_assert(offsetof(monster_definition, warning_distance) == 110);
static_assert(offsetof(monster_definition, critical_distance) == 112);
static_assert(offsetof(monster_definition, healing_fraction) == 114);
static_assert(offsetof(monster_definition, ammunition_lower) == 116);
static_assert(offsetof(monster_definition, ammunition_delta) == 118);
static_assert(offsetof(monster_definition, activation_distance) == 120);
static_assert(offsetof(monster_definition, reserved_122) == 122);
static_assert(offsetof(monster_definition, turning_speed) == 124);
static_assert(offsetof(monster_definition, base_movement_speed) == 126);
static_assert(offsetof(monster_definition, left_handed_fraction) == 128);
static_assert(offsetof(monster_definition, size) == 130);
static_assert(offsetof(monster_definition, object) == 132);
static_assert(offsetof(monster_definition, attack_count) == 136);
static_assert(offsetof(monster_definition, desired_projectile_volume) == 138);
static_assert(offsetof(monster_definition, attacks) == 140);
static_assert(offsetof(monster_definition, map_action_template) == 396);
static_assert(offsetof(monster_definition, attack_frequency) == 400);
static_assert(offsetof(monster_definition, exploding_projectile_group) == 404);
static_assert(offsetof(monster_definition, reserved_408) == 408);
static_assert(offsetof(monster_definition, maximum_ammunition_count) == 410);
static_assert(offsetof(monster_definition, hard_death_system_shock) == 412);
static_assert(offsetof(monster_definition, flinch_system_shock) == 414);
static_assert(offsetof(monster_definition, melee_impact_projectile_group) == 416);
static_assert(offsetof(monster_definition, dying_projectile_group) == 420);
static_assert(offsetof(monster_definition, spelling_string_list) == 424);
static_assert(offsetof(monster_definition, names_string_list) == 428);
static_assert(offsetof(monster_definition, flavor_string_list) == 432);
static_assert(offsetof(monster_definition, attack_frequency_flags) == 436);
static_assert(offsetof(monster_definition, reserved_437) == 437);
static_assert(offsetof(monster_definition, monster_class) == 438);
static_assert(offsetof(monster_definition, allegiance) == 440);
static_assert(offsetof(monster_definition, experience_point_value) == 442);
static_assert(offsetof(monster_definition, sounds) == 444);
static_assert(offsetof(monster_definition, blocked_impact_projectile_group) == 484);
static_assert(offsetof(monster_definition, absorbed_impact_projectile_group) == 488);
static_assert(offsetof(monster_definition, ammunition_projectile) == 492);
static_assert(offsetof(monster_definition, visibility) == 496);
static_assert(offsetof(monster_definition, combined_power) == 498);
static_assert(offsetof(monster_definition, longest_range) == 500);
static_assert(offsetof(monster_definition, cost) == 502);
static_assert(offsetof(monster_definition, sound_types) == 504);
static_assert(offsetof(monster_definition, enemy_kill_bonus) == 514);
static_assert(offsetof(monster_definition, entrance_projectile_group) == 516);
static_assert(offsetof(monster_definition, local_projectile_group) == 520);
static_assert(offsetof(monster_definition, special_ability_string_list) == 524);
static_assert(offsetof(monster_definition, exit_projectile_group) == 528);
static_assert(offsetof(monster_definition, maximum_mana) == 532);
static_assert(offsetof(monster_definition, mana_recharge_rate) == 534);
static_assert(offsetof(monster_definition, berserk_system_shock) == 536);
static_assert(offsetof(monster_definition, berserk_health_fraction) == 538);
static_assert(offsetof(monster_definition, maximum_carried_items) == 540);
static_assert(offsetof(monster_definition, reserved_542) == 542);
static_assert(offsetof(monster_definition, reserved_544) == 544);

// Byte offsets of the terrain cost bytes that also hold extended flags.
inline constexpr int monster_sloped_extended_flags_offset = 76;
inline constexpr int monster_grass_extended_flags_offset = 78;
inline constexpr int monster_desert_extended_flags_offset = 79;

inline constexpr int16_t attack_sequence_codes[] = {-100, 1, -2, -2, -2, 2, -101};

inline constexpr int16_t attack_definition_codes[] = {
    -100, 1,
    -2, -2, -4, -2, -2,
    -100, 4, -2, -2, -2, 2, -101,
    -2, -2, -2, -2, -2, -2, -2, -2, -2,
    2,
    -101};

// The 256 bytes of attacks at 140 are a plain skip here; see convert_monster_attacks.
inline constexpr int16_t monster_definition_codes[] = {
    -100, 1,
    -4, -4,
    -100, 26, -2, -101,
    -4, 4, -2, -2, 16, -2, -2, 16,
    -2, -2, -2, -2, -2, -2, -2, 2,
    -2, -2, -2, -2, -4, -2, -2,
    256,
    -4, -2, -2, -4, -2, -2, -2, -2,
    -4, -4, -4, -4, -4, 2, -2, -2, -2,
    -100, 10, -4, -101,
    -4, -4, -4, -2, -2, -2, -2, 10, -2,
    -4, -4, -4, -4, -2, -2, -2, -2, -2, -2,
    428, 4, 20, 28,
    -101};

extern const monster_definition monster_definition_default;
// The element a new attack receives (a new monster's attack array is all zero).
extern const attack_definition attack_definition_default;

int32_t monster_user_data(const void* record);

// Converts the four attacks of a monster record with the attack codes; its own inverse.
void convert_monster_attacks(void* record);

inline constexpr NamedValue monster_flag_names[] = {
    {0x1, "Translates Continuously"},
    {0x2, "Holds with Clear Shot"},
    {0x4, "Floats"},
    {0x8, "Flies"},
    {0x10, "Allows Projectiles to Pass Through"},
    {0x20, "Experience Proportional to Damage"},
    {0x40, "Is Anti-Missile Unit"},
    {0x80, "Is Anti-Missile Target"},
    {0x100, "Turns to Stone When Killed"},
    {0x200, "Concentrates on a Single Target"},
    {0x400, "Is Undead"},
    {0x800, "Cannot Be Autotargeted"},
    {0x1000, "Is Giant Sized"},
    {0x2000, "Does Not Respect Visibility"},
    {0x4000, "Is Not Solid"},
    {0x8000, "Leaves Contrail"},
    {0x10000, "Invisible On Overhead Map"},
    {0x20000, "Cannot Be Healed"},
    {0x40000, "Does Not Drop Ammo When Dying"},
    {0x80000, "Is Inanimate Object"},
    {0x100000, "Use Extended"},
    {0x200000, "Carries multiple items"},
    {0x400000, "Burned"},  // the check box beside the burned projectile group has no caption
    {0x800000, "Can Be Propelled"},
    {0x1000000, "Raise to Flying Height"},
    {0x2000000, "If Ambient, can be targetted normally"},
    {0x4000000, "Morale can be boosted"},
    {0x8000000, "Affects Morale"},
};

inline constexpr NamedValue monster_sloped_extended_flag_names[] = {
    {0x1, "Moves to Position to Shoot Uphill"},
    {0x2, "Shift-Click Targets Group"},
    {0x4, "Walks Around Large Unit Blockages"},
    {0x8, "Chases Enemies Intelligently"},
    {0x10, "Responds to Enemies when attacking"},
    {0x80, "Can Target Flying Units"},
};

inline constexpr NamedValue monster_grass_extended_flag_names[] = {
    {0x1, "Doesn't Close on Target"},
    {0x2, "Resizable Selection Box"},
    {0x4, "Unit can Charge"},
    {0x8, "Turns in a Curve"},
    {0x10, "Enemies can't see Mana"},
    {0x20, "Mana isn't Shown"},
    {0x40, "Mixes Missile/Melee behaviour"},
    {0x80, "Has Long Range Eyesight"},
};

inline constexpr NamedValue monster_desert_extended_flag_names[] = {
    {0x1, "Double Click Selects by Mons Type"},
    {0x2, "Missile Attack Not Height Affected"},
    {0x4, "No Flinch when Healed"},
    {0x8, "Chases Enemy During Attack Recovery"},
    {0x10, "Walks on Surface of Water"},
    {0x20, "Doesn't Auto-target Enemies"},
    {0x40, "Extra Aggressive (Missile Units Only)"},
};

inline constexpr NamedValue monster_attack_frequency_flag_names[] = {{0x1, "Attack Frequency"}};

inline constexpr NamedValue monster_size_names[] = {{0, "Small"}, {1, "Man-sized"}, {2, "Giant"}};

inline constexpr NamedValue monster_class_names[] = {
    {0, "Melee"}, {1, "Missile"}, {2, "Suicide"}, {3, "Special"},
    {4, "Harmless"}, {5, "Ambient Life"}, {6, "Invisible Observer"},
};

inline constexpr NamedValue monster_allegiance_names[] = {{0, "Light"}, {1, "Dark"}};

inline constexpr NamedValue monster_visibility_names[] = {
    {-1, "None"}, {0, "Nearsighted"}, {1, "Farsighted"}};

inline constexpr NamedValue monster_terrain_names[] = {
    {0, "Dwarf-Depth Media"}, {1, "Human-Depth Media"}, {2, "Giant-Depth Media"},
    {3, "Really Deep Media"}, {4, "Sloped"}, {5, "Steep"}, {6, "Grass"}, {7, "Desert"},
    {8, "Rocky"}, {9, "Marsh"}, {10, "Snow"}, {11, "Unused 0"}, {12, "Unused 1"},
    {13, "Unused 2"}, {14, "Walking Impassable"}, {15, "Flying Impassable"},
};

// Labels of the sequence slots the "Monster Sequences" dialog edits (slots 0 to 18).
inline constexpr NamedValue monster_sequence_names[] = {
    {0, "Primary:"}, {1, "Moving:"}, {2, "Placeholder:"}, {3, "Pausing for Obstacle:"},
    {4, "Turning:"}, {5, "Blocking:"}, {6, "Flinching:"}, {7, "Picking Up Object:"},
    {8, "Head Shots:"}, {9, "Celebration:"}, {10, "Transition to Secondary:"},
    {11, "Secondary:"}, {12, "Transition to Primary:"}, {13, "Running:"},
    {14, "Ammunition Icon:"}, {15, "Holding for Attack:"}, {16, "Taunting:"},
    {17, "Gliding:"}, {18, "Being Propelled:"},
};

inline constexpr NamedValue monster_sound_type_names[] = {
    {-1, "None"},
    {0, "Attack Order"},
    {1, "Multiple Attack Order"},
    {2, "Attack Order vs. Undead"},
    {3, "Move Order"},
    {4, "Multiple Move Order"},
    {5, "Selection"},
    {6, "Multiple Selection"},
    {7, "Hit Friendly Unit"},
    {8, "Hit By Friendly Unit"},
    {9, "Attack Obstructed By Friendly Unit"},
    {10, "Attack Enemy Unit"},
    {11, "Attack Enemy Unit With Friends Nearby"},
    {12, "Sprayed By Gore"},
    {13, "Caused Enemy Death"},
    {14, "Caused Friendly Death"},
    {15, "Caused Death of Enemy Undead"},
    {16, "Caused Multiple Enemy Deaths"},
};

inline constexpr NamedValue attack_flag_names[] = {
    {0x1, "Is Indirect"},
    {0x2, "Does Not Require Solution"},
    {0x4, "Aimed at Target's Feet"},
    {0x8, "Leads Target"},
    {0x10, "Uses Ammunition"},
    {0x20, "Uses Carried Projectile"},
    {0x40, "Is Reflexive"},
    {0x80, "Is Special Ability"},
    {0x100, "Cannot Be Aborted"},
    {0x200, "Is Primary Attack"},
    {0x400, "Avoids Friendly Units"},
    {0x800, "Vs. Giant Sized"},
    {0x1000, "Prohibited vs. Giant Sized"},
    {0x2000, "Is Fixed Pitch"},
    {0x4000, "Don't Shoot Over Nearby Units"},
    {0x8000, "Lob To Hit Lower Nearby Units"},
};

inline constexpr NamedValue attack_usage_flag_names[] = {
    {0x1, "Can be used against friendly units"}, {0x4, "Player can interrupt"}};

inline constexpr NamedValue attack_sequence_flag_names[] = {
    {0x1, "Normal"}, {0x2, "Declinated"}, {0x4, "Elevated"}};

extern const RecordDescription attack_sequence_description;
extern const RecordDescription attack_definition_description;
extern const RecordDescription monster_definition_description;

}  // namespace definitions
