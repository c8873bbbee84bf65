#include "editor/forms/projectile_form.h"

#include "definitions/projectile_definitions.h"
#include "editor/tag_group_registry.h"
#include "editor/tag_dialog.h"
#include "editor/toolkit/damage_dialogs.h"

#include <algorithm>
#include <iterator>

namespace projectile_form {

namespace {

using definitions::projectile_definition;
using toolkit::Field;

constexpr tag_code projectiles = make_tag("proj");
constexpr tag_code projectile_groups = make_tag("prgr");
constexpr tag_code sounds = make_tag("soun");

void flag(toolkit::Form& form, uint32_t mask) {
    const auto& names = definitions::projectile_flag_names;
    const auto* named = std::find_if(std::begin(names), std::end(names), [mask](const definitions::NamedValue& bit) {
        return static_cast<uint32_t>(bit.value) == mask;
    });
    form.flag(toolkit::flag_check_id(mask), named->name, &projectile_definition::flags, mask);
}

void declare_flags_dialog(toolkit::Form& form) {
    int row = 0;
    for (const definitions::NamedValue& bit : definitions::projectile_flag_names) {
        const auto mask = static_cast<uint32_t>(bit.value);
        if ((mask & main_form_flags) != 0) continue;
        if (row++ == 12) form.column();
        form.flag(toolkit::flag_check_id(mask), bit.name, Field::at<uint32_t>(0), mask);
    }
}

ElementDialogFactory flags_dialog() {
    return toolkit::form_element_dialog(flags_template_id, sizeof(uint32_t), declare_flags_dialog);
}

void declare_appearance(toolkit::Form& form) {
    form.filtered_reference(collection_id, "Collection:", make_tag(".256"), &projectile_definition::collection,
                            collection_user_data_filter, 4);
    form.current_collection_picker(collection_id);
    form.dependent_sequence(flight_sequence_id, "Flight:", &projectile_definition::flight_sequence, collection_id);
    form.dependent_sequence(debris_sequence_id, "Debris:", &projectile_definition::debris_sequence, collection_id);
    form.dependent_sequence(bounce_sequence_id, "Bounce:", &projectile_definition::bounce_sequence, collection_id);
    form.short_fixed_range(1187, 1188, "Animation Rate:", &projectile_definition::animation_rate_lower,
                           &projectile_definition::animation_rate_delta);
    form.enumeration(1049, "Splash/Rebound Type:", &projectile_definition::splash_type,
                     definitions::projectile_splash_type_names, 1);
    form.enumeration(1051, "Volume:", &projectile_definition::volume, definitions::projectile_volume_names, 1);
    form.enumeration(1033, "Class:", &projectile_definition::projectile_class, definitions::projectile_class_names, 1);
    form.reference(1030, "Object Tag:", make_tag("obje"), &projectile_definition::object);
    form.reference(1041, "Lightning Tag:", make_tag("ligh"), &projectile_definition::lightning);
    form.reference(1042, "Artifact Tag:", make_tag("arti"), &projectile_definition::artifact);
    form.reference(1009, "Local Proj. Group:", make_tag("lpgr"), &projectile_definition::local_projectile_group);
    form.group("Sounds", [&form] {
        form.reference(1056, "Flight Tag:", sounds, &projectile_definition::flight_sound);
        form.reference(1055, "Rebound Tag:", sounds, &projectile_definition::rebound_sound);
    });
    form.line(QString(), [&form] {
        form.element_button(damage_button_id, "Edit Damage...", "Projectile Damage",
                            Field::whole(&projectile_definition::damage), toolkit::damage_dialog());
        form.element_button(flags_button_id, "Edit Flags...", "Projectile Flags", Field::at<uint32_t>(0),
                            flags_dialog());
    });
}

void declare_detonation(toolkit::Form& form) {
    form.group("Detonation", [&form] {
        form.reference(1047, "Tag:", projectile_groups, &projectile_definition::detonation_projectile_group);
        form.reference(1048, "Target:", projectile_groups,
                       &projectile_definition::target_detonation_projectile_group);
        form.distance(1141, "Velocity:", &projectile_definition::detonation_velocity);
        form.fraction(1173, "Normal Frequency:", &projectile_definition::detonation_frequency);
        form.fraction(1174, "Media Frequency:", &projectile_definition::media_detonation_frequency);
        for (uint32_t mask : {0x8u, 0x10u, 0x20u, 0x20000u}) flag(form, mask);
    });
    form.group("Contrail", [&form] {
        form.filtered_reference(contrail_id, "Tag:", projectiles, &projectile_definition::contrail_projectile,
                                not_self_filter, static_cast<int32_t>(form.dialog().subgroup()));
        form.integer(1176, "Ticks Between Contrails:", &projectile_definition::ticks_between_contrails);
        form.integer(maximum_contrails_id, "Maximum Number:", &projectile_definition::maximum_contrails)
            .optional(maximum_contrails_check_id, "Maximum Number:", definitions::maximum_contrails_unlimited);
        form.fraction(1178, "Initial Frequency:", &projectile_definition::contrail_initial_frequency);
        form.fraction(1179, "Final Frequency:", &projectile_definition::contrail_final_frequency);
        form.fraction(1180, "Frequency Change Per Tick:", &projectile_definition::contrail_frequency_change);
    });
}

void declare_flight(toolkit::Form& form) {
    form.short_fixed_range(1181, 1182, "Inertia:", &projectile_definition::inertia_lower,
                           &projectile_definition::inertia_delta);
    form.distance(1183, "Random Initial Velocity:", &projectile_definition::random_initial_velocity);
    form.angular_speed(1195, "Guided Turning Speed:", &projectile_definition::guided_turning_speed);
    form.integer(1194, "Tracking Priority:", &projectile_definition::tracking_priority);
    form.integer(1193, "Nearby Target Radius:", &projectile_definition::nearby_target_radius);
    form.ticks_range(lifespan_lower_id, lifespan_upper_id, "Lifespan:", &projectile_definition::lifespan_lower,
                     &projectile_definition::lifespan_delta)
        .optional(lifespan_check_id, "Lifespan:", 0);
    form.ticks_range(1191, 1192, "Delay:", &projectile_definition::delay_lower, &projectile_definition::delay_delta);
    for (uint32_t mask : {0x40u, 0x400u, 0x1000u, 0x2000u, 0x4000u}) flag(form, mask);
    form.group("Promotion", [&form] {
        form.filtered_reference(promotion_projectile_id, "Projectile Tag:", projectiles,
                                &projectile_definition::promotion_projectile, not_self_filter,
                                static_cast<int32_t>(form.dialog().subgroup()));
        form.reference(1053, "Group Tag:", projectile_groups, &projectile_definition::promotion_projectile_group);
        form.fraction(1184, "Promotion on Detonation Fraction:",
                      &projectile_definition::promotion_on_detonation_fraction);
    });
    form.group("Acceleration", [&form] {
        form.flag(1169, "Use Acceleration Values", &projectile_definition::acceleration_flags, 0x1);
        form.distance(1185, "Max. Safe Acceleration:", &projectile_definition::maximum_safe_acceleration);
        form.fraction(1186, "Accel. Detonation Fraction:", &projectile_definition::acceleration_detonation_fraction);
    });
}

const EditorRegistration projectile_editor(projectiles, &create_projectile_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    declare_appearance(form);
    form.column();
    declare_detonation(form);
    form.column();
    declare_flight(form);
}

}  // namespace projectile_form

CProjectileDlg::CProjectileDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(projectile_form::template_id, group, subgroup, parent, sizeof(definitions::projectile_definition),
                     definitions::projectile_definition_codes, projectile_form::declare) {}

CTagDialog* create_projectile_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CProjectileDlg(group, subgroup, parent);
}
