#include "editor/forms/artifact_form.h"

#include "definitions/unit_definitions.h"
#include "editor/forms/monster_attack_form.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/damage_dialogs.h"

namespace artifact_form {

namespace {

using definitions::artifact_definition;
using toolkit::Field;

constexpr tag_code monsters = make_tag("mons");
constexpr uint32_t vanishes_after_time_period = 0x80;

void declare_flags(toolkit::Form& form) {
    form.group("Flags", [&form] {
        for (const definitions::NamedValue& bit : definitions::artifact_flag_names) {
            const auto mask = static_cast<uint32_t>(bit.value);
            if (mask == vanishes_after_time_period) continue;
            form.flag(toolkit::flag_check_id(mask), bit.name, &artifact_definition::flags, mask);
        }
    });
}

const EditorRegistration artifact_editor(make_tag("arti"), &create_artifact_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.reference(1008, "Monster Restriction Tag:", monsters, &artifact_definition::monster_restriction);
    form.enumeration(1009, "Specialization Restriction:", &artifact_definition::specialization_restriction,
                     definitions::artifact_specialization_names, 1);
    form.reference(1011, "Monster Override Tag:", monsters, &artifact_definition::monster_override);
    form.reference(1010, "Special Ability:", make_tag("stli"), &artifact_definition::special_ability);
    form.filtered_reference(collection_id, "Collection:", make_tag(".256"), &artifact_definition::collection,
                            collection_user_data_filter, 2);
    form.current_collection_picker(collection_id);
    form.dependent_sequence(inventory_sequence_id, "Inventory Sequence:", &artifact_definition::inventory_sequence,
                            collection_id);
    form.reference(1026, "Projectile:", make_tag("proj"), &artifact_definition::projectile);
    form.integer_range(1284, 1285, "Initial Charges:", &artifact_definition::initial_charges_lower,
                       &artifact_definition::initial_charges_delta);
    form.line(QString(), [&form] {
        form.flag(toolkit::flag_check_id(vanishes_after_time_period), "Vanishes after Time Period:",
                  &artifact_definition::flags, vanishes_after_time_period);
        form.integer(vanish_time_period_id, QString(), &artifact_definition::vanish_time_period);
    });
    form.line(QString(), [&form] {
        form.element_button(effect_modifiers_button_id, "Edit Bonus Effect Modifier...", "Bonus Effect Modifiers",
                            Field::whole(&artifact_definition::bonus_effect_modifiers),
                            toolkit::effect_modifiers_dialog());
        form.element_button(override_attack_button_id, "Edit Override Attack", "Override Attack",
                            Field::whole(&artifact_definition::override_attack), monster_form::attack_dialog())
            .enabled_while_chosen(collection_id);
    });
    form.column();
    declare_flags(form);
    // The record's codes skip the override attack; its dialog works on it in host order.
    form.separately_converted([&form] { definitions::convert_artifact_attack(form.record_bytes()); });
}

}  // namespace artifact_form

CArtifactDlg::CArtifactDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(artifact_form::template_id, group, subgroup, parent, sizeof(definitions::artifact_definition),
                     definitions::artifact_definition_codes, artifact_form::declare) {}

CTagDialog* create_artifact_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CArtifactDlg(group, subgroup, parent);
}
