#include "editor/forms/local_physics_form.h"

#include "definitions/local_physics_definitions.h"
#include "editor/forms/local_physics_parameter_forms.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/control_state.h"

#include <QComboBox>

#include <cstring>
#include <memory>
#include <optional>

namespace local_physics_form {

namespace {

using definitions::local_physics_definition;

std::optional<int> known_type(int type) {
    if (type < 0 || type >= definitions::local_physics_type_count) return std::nullopt;
    return type;
}

const EditorRegistration local_physics_editor(make_tag("phys"), &create_local_physics_dialog);

}  // namespace

// The block belongs to the type chosen last: the stored one until the user picks
// another, which clears it. A stored type outside the six models edits nothing, so
// its block is written back as it was read.
void declare(toolkit::Form& form) {
    const auto current = std::make_shared<std::optional<int>>();
    auto& record = form.record<local_physics_definition>();
    const auto update_button = [&form, current] {
        form.dialog().control(parameters_button_id)->setEnabled(current->has_value());
    };
    form.enumeration(type_id, "Type:", &local_physics_definition::type, definitions::local_physics_type_names, 0)
        .on_change([&form, &record, current, update_button] {
            const std::optional<int> picked = known_type(form.dialog().control_as<QComboBox>(type_id)->currentIndex());
            if (picked == *current) return;
            *current = picked;
            std::memset(&record.parameters, 0, sizeof record.parameters);
            update_button();
        });
    form.button(parameters_button_id, "Edit Physics Parameters...", [&form, &record, current] {
        if (!current->has_value()) return;
        const ParametersDialog& dialog = parameters_dialog(**current);
        toolkit::run_element_dialog(dialog.factory, dialog.caption, &form.dialog(), &record.parameters);
    });
    form.after_load([&form, &record, current, update_button] {
        *current = known_type(record.type);
        // Below the list as above it: the combo box's own rule would show item 0.
        if (!current->has_value()) {
            auto* type = form.dialog().control_as<QComboBox>(type_id);
            type->setCurrentIndex(-1);
            toolkit::remember_loaded_state(type);
        }
        update_button();
    });
    form.separately_converted([&record] { definitions::convert_physics_parameters(&record); });
}

}  // namespace local_physics_form

CLocalPhysicsDlg::CLocalPhysicsDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(local_physics_form::template_id, group, subgroup, parent,
                     sizeof(definitions::local_physics_definition), definitions::local_physics_definition_codes,
                     local_physics_form::declare) {}

CTagDialog* create_local_physics_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CLocalPhysicsDlg(group, subgroup, parent);
}
