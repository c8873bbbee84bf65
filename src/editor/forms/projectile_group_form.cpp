#include "editor/forms/projectile_group_form.h"

#include "definitions/projectile_group_definitions.h"
#include "editor/tag_group_registry.h"

namespace projectile_group_form {

namespace {

using definitions::projectile_group_definition;
using definitions::projectile_group_part;
using toolkit::Field;

constexpr tag_code projectiles = make_tag("proj");

void declare_part(toolkit::Form& form) {
    form.reference(1026, "Projectile:", projectiles, &projectile_group_part::projectile);
    for (const definitions::NamedValue& bit : definitions::projectile_group_part_flag_names)
        form.flag(toolkit::flag_check_id(static_cast<uint32_t>(bit.value)), bit.name, &projectile_group_part::flags,
                  static_cast<uint32_t>(bit.value));
    form.integer_range(1024, 1025, "Count:", &projectile_group_part::count_lower, &projectile_group_part::count_delta);
    form.short_fixed_range(1008, 1009, "Position:", &projectile_group_part::position_lower,
                           &projectile_group_part::position_delta);
    form.fraction(1010, "Appearing Fraction:", &projectile_group_part::appearing_fraction);
}

const ElementListConfig& part_list_config() {
    static const ElementListConfig config{
        sizeof(projectile_group_part),
        offsetof(projectile_group_part, projectile),
        QStringLiteral("Projectile part#"),
        definitions::projectile_group_part_capacity,
        projectiles,
        toolkit::form_element_dialog(part_template_id, sizeof(projectile_group_part), declare_part),
        &definitions::projectile_group_part_default,
    };
    return config;
}

const EditorRegistration projectile_group_editor(make_tag("prgr"), &create_projectile_group_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.reference(1020, "Mesh Effect:", make_tag("meef"), &projectile_group_definition::mesh_effect);
    form.reference(1008, "Sound:", make_tag("soun"), &projectile_group_definition::sound);
    form.reference(1009, "Local Projectile Group:", make_tag("lpgr"),
                   &projectile_group_definition::local_projectile_group);
    form.group("Parts", [&form] {
        form.element_list(part_list_id, part_list_config(), Field::whole(&projectile_group_definition::parts),
                          &projectile_group_definition::part_count);
    });
}

}  // namespace projectile_group_form

CProjectileGroupDlg::CProjectileGroupDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(projectile_group_form::template_id, group, subgroup, parent,
                     sizeof(definitions::projectile_group_definition),
                     definitions::projectile_group_definition_codes, projectile_group_form::declare) {}

CTagDialog* create_projectile_group_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CProjectileGroupDlg(group, subgroup, parent);
}
