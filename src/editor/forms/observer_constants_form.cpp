#include "editor/forms/observer_constants_form.h"

#include "definitions/formation_definitions.h"
#include "editor/tag_group_registry.h"

namespace observer_constants_form {

namespace {

using definitions::observer_constants;
using definitions::velocity_parameters;
using toolkit::Field;

void declare_velocity_parameters(toolkit::Form& form) {
    form.group("Negative", [&form] {
        form.fixed(1238, "Maximum Velocity:", &velocity_parameters::negative_maximum_velocity);
        form.fixed(1239, "Acceleration:", &velocity_parameters::negative_acceleration);
        form.fixed(1240, "Deceleration:", &velocity_parameters::negative_deceleration);
    });
    form.column();
    form.group("Positive", [&form] {
        form.fixed(1241, "Maximum Velocity:", &velocity_parameters::positive_maximum_velocity);
        form.fixed(1242, "Acceleration:", &velocity_parameters::positive_acceleration);
        form.fixed(1243, "Deceleration:", &velocity_parameters::positive_deceleration);
    });
}

struct Motion {
    int button_id;
    const char* caption;
    velocity_parameters observer_constants::*set;
};

constexpr Motion motions[] = {
    {1237, "Parallel Velocity", &observer_constants::parallel},
    {1238, "Orthogonal Velocity", &observer_constants::orthogonal},
    {1240, "Yaw Velocity", &observer_constants::yaw},
    {1242, "Orbit Velocity", &observer_constants::orbit},
    {1239, "Vertical Velocity", &observer_constants::vertical},
    {1241, "Pitch Velocity", &observer_constants::pitch},
    {1243, "Zoom Velocity", &observer_constants::zoom},
};

const EditorRegistration observer_constants_editor(make_tag("obpc"), &create_observer_constants_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    const ElementDialogFactory velocity_dialog = toolkit::form_element_dialog(
        velocity_parameters_template_id, sizeof(velocity_parameters), declare_velocity_parameters);
    for (const Motion& motion : motions) {
        const QString caption = QString::fromUtf8(motion.caption);
        form.element_button(motion.button_id, caption, caption, Field::whole(motion.set), velocity_dialog);
    }
}

}  // namespace observer_constants_form

CObserverConstantsDlg::CObserverConstantsDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(observer_constants_form::template_id, group, subgroup, parent,
                     sizeof(definitions::observer_constants), definitions::observer_constants_codes,
                     observer_constants_form::declare) {}

CTagDialog* create_observer_constants_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CObserverConstantsDlg(group, subgroup, parent);
}
