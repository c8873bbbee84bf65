#include "editor/forms/monster_form.h"

#include "definitions/monster_definitions.h"
#include "definitions/projectile_definitions.h"
#include "editor/forms/monster_attack_form.h"
#include "editor/forms/monster_part_forms.h"
#include "editor/tag_group_registry.h"

namespace monster_form {

namespace {

using definitions::monster_definition;
using toolkit::Field;

constexpr tag_code collections = make_tag(".256");
constexpr tag_code projectile_groups = make_tag("prgr");
constexpr tag_code string_lists = make_tag("stli");

constexpr uint32_t carries_multiple_items = 0x200000;
constexpr uint32_t burned = 0x400000;
constexpr uint32_t affects_morale = 0x8000000;

QString flag_name(uint32_t mask) {
    return toolkit::name_of(definitions::monster_flag_names, static_cast<int32_t>(mask));
}

void declare_references(toolkit::Form& form) {
    form.filtered_reference(collection_id, "Collection:", collections, &monster_definition::collection,
                            collection_user_data_filter, 2);
    form.current_collection_picker(collection_id);
    form.reference(1030, "Object Tag:", make_tag("obje"), &monster_definition::object);
    form.reference(1036, "Map Action Tag:", make_tag("temp"), &monster_definition::map_action_template);
    form.reference(1009, "Local Projectile Group:", make_tag("lpgr"), &monster_definition::local_projectile_group);
    form.reference(1053, "Ammo Tag:", make_tag("proj"), &monster_definition::ammunition_projectile);
    form.group("Projectile Groups", [&form] {
        form.line("Burned:", [&form] {
            form.reference(1055, QString(), projectile_groups, &monster_definition::burned_projectile_group);
            form.flag(1346, QString(), &monster_definition::flags, burned);
        });
        form.reference(1043, "Exploding:", projectile_groups, &monster_definition::exploding_projectile_group);
        form.reference(1044, "Melee Impact:", projectile_groups, &monster_definition::melee_impact_projectile_group);
        form.reference(1045, "Dying:", projectile_groups, &monster_definition::dying_projectile_group);
        form.reference(1046, "Blocked Impact:", projectile_groups,
                       &monster_definition::blocked_impact_projectile_group);
        form.reference(1047, "Absorbed Impact:", projectile_groups,
                       &monster_definition::absorbed_impact_projectile_group);
        form.reference(1048, "Entrance:", projectile_groups, &monster_definition::entrance_projectile_group);
        form.reference(1054, "Exit:", projectile_groups, &monster_definition::exit_projectile_group);
    });
    form.group("String Lists", [&form] {
        form.reference(1049, "Spelling:", string_lists, &monster_definition::spelling_string_list);
        form.reference(1050, "Names:", string_lists, &monster_definition::names_string_list);
        form.reference(1051, "Flavor:", string_lists, &monster_definition::flavor_string_list);
        form.reference(1052, "Special Ability:", string_lists, &monster_definition::special_ability_string_list);
    });
}

void declare_kind(toolkit::Form& form) {
    form.enumeration(1031, "Size:", &monster_definition::size, definitions::monster_size_names, 0);
    form.enumeration(1033, "Class:", &monster_definition::monster_class, definitions::monster_class_names, 0);
    form.enumeration(1034, "Allegiance:", &monster_definition::allegiance, definitions::monster_allegiance_names, 0);
    form.enumeration(1032, "Visibility:", &monster_definition::visibility, definitions::monster_visibility_names, 1);
    form.enumeration(1037, "Desired Projectile Volume:", &monster_definition::desired_projectile_volume,
                     definitions::projectile_volume_names, 1);
    form.line(QString(), [&form] {
        form.element_button(sequences_button_id, "Sequences...", "Monster Sequences",
                            Field::whole(&monster_definition::sequences), sequences_dialog());
        form.element_button(sounds_button_id, "Sounds...", "Monster Sounds", Field::at<uint32_t>(0),
                            sounds_dialog());
        form.element_button(terrain_button_id, "Terrain Params...", "Terrain Parameters", Field::at<uint32_t>(0),
                            terrain_dialog());
        form.element_button(flags_button_id, "Flags...", "Monster Flags", Field::at<uint32_t>(0), flags_dialog());
    });
}

void declare_physics(toolkit::Form& form) {
    form.group("Distances", [&form] {
        form.distance(1072, "Pathfinding Radius:", &monster_definition::pathfinding_radius);
        form.distance(1079, "Warning:", &monster_definition::warning_distance);
        form.distance(1080, "Critical:", &monster_definition::critical_distance);
        form.distance(1081, "Activation:", &monster_definition::activation_distance);
        form.distance(1069, "Longest Range:", &monster_definition::longest_range);
        form.angular_speed(1063, "Turning speed (°/sec):", &monster_definition::turning_speed);
        form.fraction(1062, "Left Handed Fraction:", &monster_definition::left_handed_fraction);
    });
    form.group("Damage", [&form] {
        form.fraction(1066, "Absorbed Fraction:", &monster_definition::absorbed_fraction);
        form.byte_fraction(1067, "Healing Fraction:", &monster_definition::healing_fraction);
        form.fraction(1064, "Hard Death System Shock:", &monster_definition::hard_death_system_shock);
        form.fraction(1065, "Flinch System Shock:", &monster_definition::flinch_system_shock);
        form.fraction(1089, "Propelled System Shock:", &monster_definition::propelled_system_shock);
        form.fraction(1090, "Damage to Propulsion:", &monster_definition::damage_to_propulsion);
        form.fraction(1086, "Berserk System Shock:", &monster_definition::berserk_system_shock);
        form.fraction(1087, "Berserk Health Fraction:", &monster_definition::berserk_health_fraction);
    });
}

void declare_worth(toolkit::Form& form) {
    form.integer(1070, "Experience Point Value:", &monster_definition::experience_point_value);
    form.integer(1068, "Combined Power:", &monster_definition::combined_power);
    form.integer(1071, "Cost:", &monster_definition::cost);
    form.group("Morale", [&form] {
        form.integer(1349, "Allied Kill Bonus:", &monster_definition::allied_kill_bonus);
        form.integer(1350, "Enemy Kill Bonus:", &monster_definition::enemy_kill_bonus);
        form.flag(1347, flag_name(affects_morale), &monster_definition::flags, affects_morale);
        form.integer(1348, "Affect Radius:", &monster_definition::morale_affect_radius);
    });
    form.group("Ammunition and Mana", [&form] {
        form.integer_range(1082, 1083, "Initial Count:", &monster_definition::ammunition_lower,
                           &monster_definition::ammunition_delta);
        form.integer(1084, "Maximum Count:", &monster_definition::maximum_ammunition_count);
        form.short_fixed(1073, "Maximum Mana:", &monster_definition::maximum_mana);
        form.short_fixed(1074, "Mana Recharge Rate:", &monster_definition::mana_recharge_rate);
        form.flag(1344, flag_name(carries_multiple_items), &monster_definition::flags, carries_multiple_items);
        form.integer(1345, "Maximum:", &monster_definition::maximum_carried_items);
    });
}

void declare_attacks(toolkit::Form& form) {
    form.group("Attacks", [&form] {
        form.line(QString(), [&form] {
            form.flag(1343, "Attack Frequency", &monster_definition::attack_frequency_flags, 0x1);
            form.ticks(1341, QString(), Field(&monster_definition::attack_frequency, 0));
            form.ticks(1342, "to", Field(&monster_definition::attack_frequency, 1));
        });
        form.element_list(attack_list_id, attack_list_config(), Field::whole(&monster_definition::attacks),
                          &monster_definition::attack_count);
    });
    // The record's codes skip the attacks; the list and the attack dialogs work on
    // them in host order.
    form.separately_converted([&form] { definitions::convert_monster_attacks(form.record_bytes()); });
}

const EditorRegistration monster_editor(make_tag("mons"), &create_monster_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    declare_references(form);
    declare_kind(form);
    form.column();
    declare_physics(form);
    form.column();
    declare_worth(form);
    declare_attacks(form);
}

}  // namespace monster_form

CMonsterDlg::CMonsterDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(monster_form::template_id, group, subgroup, parent, sizeof(definitions::monster_definition),
                     definitions::monster_definition_codes, monster_form::declare) {}

CTagDialog* create_monster_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CMonsterDlg(group, subgroup, parent);
}
