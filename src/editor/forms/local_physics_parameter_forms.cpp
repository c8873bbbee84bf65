#include "editor/forms/local_physics_parameter_forms.h"

#include "definitions/local_physics_definitions.h"
#include "editor/toolkit/form_dialogs.h"

#include <array>

namespace local_physics_form {

namespace {

using namespace definitions;
using toolkit::Field;

constexpr const char* component_labels[] = {"I component:", "J component:", "K component:"};

void declare_linear(toolkit::Form& form) {
    using linear = linear_physics_parameters;
    form.flags(1195, &linear::flags, linear_physics_flag_names);
    form.group("Linear Acceleration", [&form] {
        for (int i = 0; i < 3; ++i) form.fixed(1183 + i, component_labels[i], Field(&linear::linear_acceleration, i));
    });
    form.group("Initial Linear Velocity", [&form] {
        for (int i = 0; i < 3; ++i)
            form.fixed_range(1189 + i, 1192 + i, component_labels[i], Field(&linear::initial_velocity_lower, i),
                             Field(&linear::initial_velocity_delta, i));
    });
    form.group("Random Acceleration", [&form] {
        for (int i = 0; i < 3; ++i) form.fixed(1186 + i, component_labels[i], Field(&linear::random_acceleration, i));
    });
}

void declare_cylindrical(toolkit::Form& form) {
    using cylindrical = cylindrical_physics_parameters;
    form.integer(1190, "Angular Acceleration:", &cylindrical::angular_acceleration);
    form.integer_range(1196, 1197, "Initial Angular Velocity:", &cylindrical::initial_angular_velocity_lower,
                       &cylindrical::initial_angular_velocity_delta);
    form.distance(1191, "Initial Z Deviation:", &cylindrical::initial_z_deviation);
    form.fixed(1193, "Attraction Constant:", &cylindrical::attraction_constant);
    form.fixed(1194, "Radial Velocity:", &cylindrical::radial_velocity);
    form.fixed(1195, "Z Acceleration:", &cylindrical::z_acceleration);
}

void declare_spherical_spring(toolkit::Form& form) {
    using spring = spherical_spring_physics_parameters;
    form.flags(1293, &spring::flags, spherical_spring_physics_flag_names);
    form.integer_range(1196, 1197, "Initial Angular Velocity:", &spring::initial_angular_velocity_lower,
                       &spring::initial_angular_velocity_delta);
    form.fixed(1193, "Attraction Constant:", &spring::attraction_constant);
}

void declare_point_attractor(toolkit::Form& form) {
    using attractor = point_attractor_physics_parameters;
    form.flags(1202, &attractor::flags, point_attractor_physics_flag_names);
    form.fixed(1198, "Maximum Velocity:", &attractor::maximum_velocity);
    form.fixed(1194, "Radial Velocity:", &attractor::radial_velocity);
    form.fixed(1193, "Attraction Constant:", &attractor::attraction_constant);
    form.distance(1201, "Minimum Height Above Mesh:", &attractor::minimum_height_above_mesh);
}

void declare_converging(toolkit::Form& form) {
    using converging = converging_physics_parameters;
    form.flags(1205, &converging::flags, converging_physics_flag_names);
    form.integer_range(1196, 1197, "Initial Angular Velocity:", &converging::initial_angular_velocity_lower,
                       &converging::initial_angular_velocity_delta);
    form.angle(1203, "Phi Min:", &converging::minimum_phi);
    form.angle(1204, "Phi Delta:", &converging::phi_delta);
}

void declare_explosive_gas(toolkit::Form& form) {
    using gas = explosive_gas_physics_parameters;
    constexpr const char* labels[] = {"I Component:", "J Component:", "K Component:"};
    form.fixed_range(1345, 1346, "Starting Velocity:", &gas::starting_velocity_lower, &gas::starting_velocity_delta);
    form.fixed(1198, "Radial Acceleration:", &gas::radial_acceleration);
    for (int i = 0; i < 3; ++i) form.fixed(1183 + i, labels[i], Field(&gas::linear_acceleration, i));
    form.short_fixed(1200, "Drag:", &gas::drag);
}

ParametersDialog make(int template_id, const char* caption, void (*declare)(toolkit::Form&)) {
    return {template_id, QString::fromUtf8(caption),
            toolkit::form_element_dialog(template_id, sizeof(local_physics_parameters), declare)};
}

}  // namespace

const ParametersDialog& parameters_dialog(int type) {
    static const std::array<ParametersDialog, local_physics_type_count> dialogs{
        make(181, "Linear Physics", declare_linear),
        make(182, "Cylindrical Physics", declare_cylindrical),
        make(183, "Spherical Spring Physics", declare_spherical_spring),
        make(184, "Point Attractor Physics", declare_point_attractor),
        make(185, "Converging Physics", declare_converging),
        make(206, "Explosive Gas Physics", declare_explosive_gas),
    };
    return dialogs.at(static_cast<size_t>(type));
}

}  // namespace local_physics_form
