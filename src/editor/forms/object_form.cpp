#include "editor/forms/object_form.h"

#include "definitions/object_definitions.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/damage_dialogs.h"

namespace object_form {

namespace {

using definitions::object_definition;
using toolkit::Field;

const EditorRegistration object_editor(make_tag("obje"), &create_object_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.distance(1060, "Gravity (WU/ticks^2):", &object_definition::gravity);
    form.short_fixed(1058, "Elastic Coefficient:", &object_definition::elastic_coefficient);
    form.distance(1059, "Terminal Velocity:", &object_definition::terminal_velocity);
    form.short_fixed_range(1053, 1054, "Max. Vitality:", &object_definition::maximum_vitality_lower,
                           &object_definition::maximum_vitality_delta);
    form.short_fixed_range(1055, 1056, "Scale Fraction:", &object_definition::scale_fraction_lower,
                           &object_definition::scale_fraction_delta);
    form.short_fixed(1057, "Minimum Damage:", &object_definition::minimum_damage);
    form.element_button(effect_modifiers_button_id, "Edit Effect Modifiers...", "Effect Modifiers",
                        Field::whole(&object_definition::effect_modifiers), toolkit::effect_modifiers_dialog());
    form.column();
    form.group("Flags", [&form] {
        for (const definitions::NamedValue& bit : definitions::object_flag_names)
            form.flag(toolkit::flag_check_id(static_cast<uint32_t>(bit.value)), bit.name, &object_definition::flags,
                      static_cast<uint32_t>(bit.value));
    });
}

}  // namespace object_form

CObjectDlg::CObjectDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(object_form::template_id, group, subgroup, parent, sizeof(definitions::object_definition),
                     definitions::object_definition_codes, object_form::declare) {}

CTagDialog* create_object_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CObjectDlg(group, subgroup, parent);
}
