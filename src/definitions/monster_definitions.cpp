#include "definitions/monster_definitions.h"

#include <algorithm>

#include "core/byte_swap.h"
#include "core/tag_code.h"
#include "definitions/field_builders.h"
#include "definitions/projectile_definitions.h"

namespace definitions {

namespace {

constexpr monster_definition make_monster_default() {
    monster_definition monster{};
    monster.collection = NONE;
    std::ranges::fill(monster.sequences, int16_t{NONE});
    monster.pathfinding_radius = 51;
    std::ranges::fill(monster.terrain_speeds, uint8_t{255});
    monster.warning_distance = 1024;
    monster.critical_distance = 6144;
    monster.healing_fraction = 204;
    monster.activation_distance = 2048;
    monster.turning_speed = 546;
    monster.base_movement_speed = 25;
    monster.left_handed_fraction = 32768;
    monster.size = 1;
    monster.object = NONE;
    monster.desired_projectile_volume = NONE;
    monster.map_action_template = NONE;
    monster.attack_frequency[0] = 30;
    monster.exploding_projectile_group = NONE;
    monster.hard_death_system_shock = 32768;
    monster.flinch_system_shock = 6553;
    monster.melee_impact_projectile_group = NONE;
    monster.dying_projectile_group = NONE;
    monster.spelling_string_list = NONE;
    monster.names_string_list = NONE;
    monster.flavor_string_list = NONE;
    monster.experience_point_value = 1;
    std::ranges::fill(monster.sounds, int32_t{NONE});
    monster.blocked_impact_projectile_group = NONE;
    monster.absorbed_impact_projectile_group = NONE;
    monster.ammunition_projectile = NONE;
    monster.cost = 1;
    std::ranges::fill(monster.sound_types, int8_t{NONE});
    monster.entrance_projectile_group = -2;
    monster.local_projectile_group = NONE;
    monster.special_ability_string_list = NONE;
    return monster;
}

constexpr attack_definition make_attack_default() {
    attack_definition attack{};
    attack.projectile = NONE;
    attack.minimum_range = 512;
    attack.maximum_range = 512;
    for (attack_sequence& sequence : attack.sequences) {
        sequence.flags = 1;
        sequence.sequence = NONE;
    }
    attack.repetitions = 1;
    attack.initial_velocity_lower = 25;
    attack.recovery_time = 30;
    attack.recovery_time_experience_delta = 3;
    return attack;
}

using namespace fields;

constexpr FieldDescription attack_sequence_fields[] = {
    flags("flags", offsetof(attack_sequence, flags), 2, attack_sequence_flag_names),
    int16("sequence", offsetof(attack_sequence, sequence), FieldKind::sequence_index),
    uint16("skip_fraction", offsetof(attack_sequence, skip_fraction), FieldKind::fraction),
    reserved("reserved", offsetof(attack_sequence, reserved), 2),
};

#define AT(member) offsetof(attack_definition, member)

constexpr FieldDescription attack_definition_fields[] = {
    flags("flags", AT(flags), 2, attack_flag_names),
    uint16("miss_fraction", AT(miss_fraction), FieldKind::fraction),
    reference("projectile", AT(projectile), make_tag("proj")),
    int16("minimum_range", AT(minimum_range), FieldKind::world_distance),
    int16("maximum_range", AT(maximum_range), FieldKind::world_distance),
    records("sequences", AT(sequences), attack_sequence_description, 4),
    int16("repetitions", AT(repetitions)),
    int16("initial_velocity_lower", AT(initial_velocity_lower), FieldKind::world_distance),
    int16("initial_velocity_delta", AT(initial_velocity_delta), FieldKind::world_distance),
    int16("initial_velocity_error", AT(initial_velocity_error), FieldKind::world_distance),
    int16("recovery_time", AT(recovery_time), FieldKind::game_ticks),
    int16("recovery_time_experience_delta", AT(recovery_time_experience_delta), FieldKind::game_ticks),
    int16("velocity_experience_delta", AT(velocity_experience_delta), FieldKind::world_distance),
    int16("mana_cost", AT(mana_cost), FieldKind::short_fixed),
    flags("usage_flags", AT(usage_flags), 2, attack_usage_flag_names),
    reserved("reserved", AT(reserved), 2),
};

#undef AT
#define AT(member) offsetof(monster_definition, member)

constexpr FieldDescription monster_definition_fields[] = {
    flags("flags", AT(flags), 4, monster_flag_names),
    reference("collection", AT(collection), make_tag(".256")),
    int16("sequences", AT(sequences), FieldKind::sequence_index, monster_sequence_slots),
    reference("burned_projectile_group", AT(burned_projectile_group), make_tag("prgr")),
    reserved("reserved_64", AT(reserved_64), 2),
    uint8("allied_kill_bonus", AT(allied_kill_bonus)),
    uint8("morale_affect_radius", AT(morale_affect_radius)),
    uint16("propelled_system_shock", AT(propelled_system_shock), FieldKind::fraction),
    uint16("damage_to_propulsion", AT(damage_to_propulsion), FieldKind::fraction),
    int8("terrain_costs", AT(terrain_costs), FieldKind::integer, monster_terrain_types),
    reserved_words("reserved_88", AT(reserved_88), 2),
    int16("pathfinding_radius", AT(pathfinding_radius), FieldKind::world_distance),
    uint8("terrain_speeds", AT(terrain_speeds), FieldKind::byte_fraction, monster_terrain_types),
    uint16("absorbed_fraction", AT(absorbed_fraction), FieldKind::fraction),
    int16("warning_distance", AT(warning_distance), FieldKind::world_distance),
    int16("critical_distance", AT(critical_distance), FieldKind::world_distance),
    uint16("healing_fraction", AT(healing_fraction), FieldKind::byte_fraction),
    int16("ammunition_lower", AT(ammunition_lower)),
    int16("ammunition_delta", AT(ammunition_delta)),
    int16("activation_distance", AT(activation_distance), FieldKind::world_distance),
    reserved("reserved_122", AT(reserved_122), 2),
    uint16("turning_speed", AT(turning_speed), FieldKind::angular_speed),
    int16("base_movement_speed", AT(base_movement_speed), FieldKind::world_distance),
    uint16("left_handed_fraction", AT(left_handed_fraction), FieldKind::fraction),
    enumeration("size", AT(size), monster_size_names, 0),
    reference("object", AT(object), make_tag("obje")),
    element_count("attack_count", AT(attack_count), monster_attack_capacity),
    enumeration("desired_projectile_volume", AT(desired_projectile_volume), projectile_volume_names, 1),
    records("attacks", AT(attacks), attack_definition_description, monster_attack_capacity),
    reference("map_action_template", AT(map_action_template), make_tag("temp")),
    int16("attack_frequency", AT(attack_frequency), FieldKind::game_ticks, 2),
    reference("exploding_projectile_group", AT(exploding_projectile_group), make_tag("prgr")),
    reserved_words("reserved_408", AT(reserved_408), 2),
    int16("maximum_ammunition_count", AT(maximum_ammunition_count)),
    uint16("hard_death_system_shock", AT(hard_death_system_shock), FieldKind::fraction),
    uint16("flinch_system_shock", AT(flinch_system_shock), FieldKind::fraction),
    reference("melee_impact_projectile_group", AT(melee_impact_projectile_group), make_tag("prgr")),
    reference("dying_projectile_group", AT(dying_projectile_group), make_tag("prgr")),
    reference("spelling_string_list", AT(spelling_string_list), make_tag("stli")),
    reference("names_string_list", AT(names_string_list), make_tag("stli")),
    reference("flavor_string_list", AT(flavor_string_list), make_tag("stli")),
    flags("attack_frequency_flags", AT(attack_frequency_flags), 1, monster_attack_frequency_flag_names),
    reserved("reserved_437", AT(reserved_437), 1),
    enumeration("class", AT(monster_class), monster_class_names, 0),
    enumeration("allegiance", AT(allegiance), monster_allegiance_names, 0),
    int16("experience_point_value", AT(experience_point_value)),
    reference("sounds", AT(sounds), make_tag("soun"), monster_sound_slots),
    reference("blocked_impact_projectile_group", AT(blocked_impact_projectile_group), make_tag("prgr")),
    reference("absorbed_impact_projectile_group", AT(absorbed_impact_projectile_group), make_tag("prgr")),
    reference("ammunition_projectile", AT(ammunition_projectile), make_tag("proj")),
    enumeration("visibility", AT(visibility), monster_visibility_names, 1),
    int16("combined_power", AT(combined_power)),
    int16("longest_range", AT(longest_range), FieldKind::world_distance),
    int16("cost", AT(cost)),
    enumeration("sound_types", AT(sound_types), monster_sound_type_names, 1, 1, monster_sound_slots),
    int16("enemy_kill_bonus", AT(enemy_kill_bonus)),
    reference("entrance_projectile_group", AT(entrance_projectile_group), make_tag("prgr")),
    reference("local_projectile_group", AT(local_projectile_group), make_tag("lpgr")),
    reference("special_ability_string_list", AT(special_ability_string_list), make_tag("stli")),
    reference("exit_projectile_group", AT(exit_projectile_group), make_tag("prgr")),
    int16("maximum_mana", AT(maximum_mana), FieldKind::short_fixed),
    int16("mana_recharge_rate", AT(mana_recharge_rate), FieldKind::short_fixed),
    uint16("berserk_system_shock", AT(berserk_system_shock), FieldKind::fraction),
    uint16("berserk_health_fraction", AT(berserk_health_fraction), FieldKind::fraction),
    int16("maximum_carried_items", AT(maximum_carried_items)),
    reserved_words("reserved_542", AT(reserved_542), 2),
    reserved("reserved_544", AT(reserved_544), 480),
};

#undef AT

}  // namespace

constinit const monster_definition monster_definition_default = make_monster_default();
constinit const attack_definition attack_definition_default = make_attack_default();

int32_t monster_user_data(const void*) { return NONE; }

void convert_monster_attacks(void* record) {
    auto* monster = static_cast<monster_definition*>(record);
    byte_swap_data("attack_definition", monster->attacks, sizeof(attack_definition), monster_attack_capacity,
                   attack_definition_codes);
}

constinit const RecordDescription attack_sequence_description{
    "attack_sequence", sizeof(attack_sequence), attack_sequence_codes, attack_sequence_fields};
constinit const RecordDescription attack_definition_description{
    "attack_definition", sizeof(attack_definition), attack_definition_codes, attack_definition_fields};
constinit const RecordDescription monster_definition_description{
    "monster_definition", sizeof(monster_definition), monster_definition_codes, monster_definition_fields};

}  // namespace definitions
