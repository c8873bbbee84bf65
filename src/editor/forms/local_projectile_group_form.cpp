#include "editor/forms/local_projectile_group_form.h"

#include "definitions/projectile_group_definitions.h"
#include "editor/tag_group_registry.h"

#include <algorithm>
#include <iterator>

namespace local_projectile_group_form {

namespace {

using definitions::local_projectile_group_definition;
using toolkit::Field;
using toolkit::SequenceSource;

struct TransitionBox {
    uint32_t mask;
    int id;
};

// The transition check boxes keep the ids the enabling table names.
constexpr TransitionBox transition_boxes[] = {
    {0x40, has_startup_transition_id}, {0x200, 1155},  {0x400, 1156},  {0x20000, 1157}, {0x40000, 1158},
    {0x100, has_ending_transition_id}, {0x2000, 1160}, {0x4000, 1161}, {0x80000, 1162}, {0x100000, 1163},
    {0x8000, 1179},                    {0x80, has_finite_duration_id},
};

constexpr uint32_t projectile_flags[] = {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x1000, 0x200000, 0x400000, 0x800000};
constexpr uint32_t group_flags[] = {0x800, 0x10000, 0x1000000, 0x2000000, 0x4000000, 0x8000000};

toolkit::Row& flag(toolkit::Form& form, uint32_t mask) {
    return form.flag(flag_id(mask), toolkit::name_of(definitions::local_projectile_group_flag_names, static_cast<int32_t>(mask)), &local_projectile_group_definition::flags, mask);
}

void declare_particles(toolkit::Form& form) {
    form.reference(collection_reference_id, "Coll. Ref.:", make_tag("core"),
                   &local_projectile_group_definition::collection_reference);
    form.reference(1027, "Physics:", make_tag("phys"), &local_projectile_group_definition::physics);
    form.dependent_sequence(flight_sequence_id, "Flight:", &local_projectile_group_definition::flight_sequence,
                            collection_reference_id, SequenceSource::collection_reference);
    form.dependent_sequence(stain_sequence_id, "Stain:", &local_projectile_group_definition::stain_sequence,
                            collection_reference_id, SequenceSource::collection_reference);
    form.short_fixed_range(1055, 1056, "Scale Fraction:", &local_projectile_group_definition::scale_fraction_lower,
                           &local_projectile_group_definition::scale_fraction_delta);
    form.short_fixed_range(1177, 1178, "Animation Rate:", &local_projectile_group_definition::animation_rate_lower,
                           &local_projectile_group_definition::animation_rate_delta);
    form.integer_range(1057, 1058, "Target Number:", &local_projectile_group_definition::target_number_lower,
                       &local_projectile_group_definition::target_number_delta);
    form.distance_range(1009, 1010, "Radius:", &local_projectile_group_definition::radius_lower,
                        &local_projectile_group_definition::radius_delta);
    form.ticks_range(1059, 1061, "Proj. Expiration Time:", &local_projectile_group_definition::expiration_time_lower,
                     &local_projectile_group_definition::expiration_time_delta);
    form.enumeration(1040, "Transfer Mode:", &local_projectile_group_definition::transfer_mode,
                     definitions::local_projectile_group_transfer_mode_names, 0);
    form.distance(1062, "Height Offset:", &local_projectile_group_definition::height_offset);
}

void declare_flags(toolkit::Form& form) {
    form.group("Projectile Flags", [&form] {
        for (uint32_t mask : projectile_flags) flag(form, mask);
    });
    form.group("Group Flags", [&form] {
        for (uint32_t mask : group_flags) flag(form, mask);
    });
}

// A pair of plain scale values (not a range) after the check box that makes the
// transition change that scale.
void scale_pair(toolkit::Form& form, uint32_t mask, Field from, int from_id, Field to, int to_id, int enabler) {
    flag(form, mask).enabled_by(enabler);
    form.line(QString(), [&] {
        form.short_fixed(from_id, "Scale:", from).enabled_by(enabler);
        form.short_fixed(to_id, "to", to).enabled_by(enabler);
    });
}

void declare_transitions(toolkit::Form& form) {
    using lpgr = local_projectile_group_definition;
    form.group("Startup Transition", [&form] {
        flag(form, 0x40);
        for (uint32_t mask : {0x200u, 0x400u}) flag(form, mask).enabled_by(has_startup_transition_id);
        scale_pair(form, 0x20000, &lpgr::startup_horizontal_scale_from, 1060, &lpgr::startup_horizontal_scale_to, 1063,
                   has_startup_transition_id);
        scale_pair(form, 0x40000, &lpgr::startup_vertical_scale_from, 1064, &lpgr::startup_vertical_scale_to, 1065,
                   has_startup_transition_id);
        form.ticks_range(1066, 1067, "Time:", &lpgr::startup_transition_time_lower,
                         &lpgr::startup_transition_time_delta)
            .enabled_by(has_startup_transition_id);
    });
    form.group("Duration", [&form] {
        flag(form, 0x80);
        form.ticks_range(1006, 1007, "Time:", &lpgr::duration_lower, &lpgr::duration_delta)
            .enabled_by(has_finite_duration_id);
    });
    form.group("Ending Transition", [&form] {
        flag(form, 0x100);
        for (uint32_t mask : {0x2000u, 0x4000u}) flag(form, mask).enabled_by(has_ending_transition_id);
        scale_pair(form, 0x80000, &lpgr::ending_horizontal_scale_from, 1068, &lpgr::ending_horizontal_scale_to, 1069,
                   has_ending_transition_id);
        scale_pair(form, 0x100000, &lpgr::ending_vertical_scale_from, 1070, &lpgr::ending_vertical_scale_to, 1071,
                   has_ending_transition_id);
        form.ticks_range(1072, 1073, "Time:", &lpgr::ending_transition_time_lower, &lpgr::ending_transition_time_delta)
            .enabled_by(has_ending_transition_id);
        flag(form, 0x8000).enabled_by(has_ending_transition_id);
    });
}

const EditorRegistration local_projectile_group_editor(make_tag("lpgr"), &create_local_projectile_group_dialog);

}  // namespace

int flag_id(uint32_t mask) {
    const auto* found = std::find_if(std::begin(transition_boxes), std::end(transition_boxes),
                                     [mask](const TransitionBox& box) { return box.mask == mask; });
    return found != std::end(transition_boxes) ? found->id : toolkit::flag_check_id(mask);
}

void declare(toolkit::Form& form) {
    declare_particles(form);
    form.column();
    declare_flags(form);
    form.column();
    declare_transitions(form);
}

}  // namespace local_projectile_group_form

CLocalProjectileGroupDlg::CLocalProjectileGroupDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(local_projectile_group_form::template_id, group, subgroup, parent,
                     sizeof(definitions::local_projectile_group_definition),
                     definitions::local_projectile_group_definition_codes, local_projectile_group_form::declare) {}

CTagDialog* create_local_projectile_group_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CLocalProjectileGroupDlg(group, subgroup, parent);
}
