#include "editor/forms/mesh_lighting_form.h"

#include "definitions/mesh_lighting_definitions.h"
#include "editor/tag_group_registry.h"

namespace mesh_lighting_form {

namespace {

using definitions::mesh_lighting_definition;
using toolkit::Field;

constexpr int decimals = definitions::mesh_lighting_fixed_decimals;

const EditorRegistration mesh_lighting_editor(make_tag("meli"), &create_mesh_lighting_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.group("Incident Light", [&form] {
        form.fixed(1156, "I component:", Field(&mesh_lighting_definition::incident_light, 0), decimals);
        form.fixed(1157, "J component:", Field(&mesh_lighting_definition::incident_light, 1), decimals);
        form.fixed(1158, "K component:", Field(&mesh_lighting_definition::incident_light, 2), decimals);
    });
    form.fixed(1159, "Ambient Light Intensity:", &mesh_lighting_definition::ambient_light_intensity, decimals);
    form.fixed(1160, "Maximum Diffuse Light Intensity:", &mesh_lighting_definition::maximum_diffuse_light_intensity,
               decimals);
    form.fixed(1161, "Model Shading Diffuse Light Intensity:",
               &mesh_lighting_definition::model_shading_diffuse_light_intensity, decimals);
    form.fixed(1162, "Maximum Total Light Intensity:", &mesh_lighting_definition::maximum_total_light_intensity,
               decimals);
    form.integer(1163, "Maximum Shadow Distance:", &mesh_lighting_definition::maximum_shadow_distance);
    form.group("Smoothing", [&form] {
        form.integer(1165, "Filter Width:", &mesh_lighting_definition::smoothing_filter_width);
        form.real(1164, "Gaussian Width:", &mesh_lighting_definition::smoothing_gaussian_width, 2);
    });
}

}  // namespace mesh_lighting_form

CMeshLightingDlg::CMeshLightingDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(mesh_lighting_form::template_id, group, subgroup, parent,
                     sizeof(definitions::mesh_lighting_definition), definitions::mesh_lighting_definition_codes,
                     mesh_lighting_form::declare) {}

CTagDialog* create_mesh_lighting_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CMeshLightingDlg(group, subgroup, parent);
}
