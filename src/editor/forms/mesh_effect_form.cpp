#include "editor/forms/mesh_effect_form.h"

#include "definitions/mesh_effect_definitions.h"
#include "editor/tag_group_registry.h"

namespace mesh_effect_form {

namespace {

using definitions::mesh_effect_definition;

constexpr int collection_reference_id = 1029;

const EditorRegistration mesh_effect_editor(make_tag("meef"), &create_mesh_effect_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.flag(1154, "Is Inverted", &mesh_effect_definition::flags, 0x1);
    form.distance(1148, "Amplitude:", &mesh_effect_definition::amplitude);
    form.distance(1150, "Cutoff Radius:", &mesh_effect_definition::cutoff_radius);
    form.short_fixed(1151, "Dissipation:", &mesh_effect_definition::dissipation);
    form.distance(1141, "Velocity:", &mesh_effect_definition::velocity);
    form.distance(1152, "Epicenter Offset:", &mesh_effect_definition::epicenter_offset);
    form.enumeration(1153, "Camera Shaking Type:", &mesh_effect_definition::camera_shaking_type,
                     definitions::camera_shaking_type_names, 1);
    form.column();
    form.group("Shockwave", [&form] {
        form.flag(1322, "Has Shockwave", &mesh_effect_definition::flags, 0x2);
        form.reference(collection_reference_id, "Collection Reference:", make_tag("core"),
                       &mesh_effect_definition::collection_reference);
        form.dependent_sequence(1021, "Sequence:", &mesh_effect_definition::shockwave_sequence,
                                collection_reference_id, toolkit::SequenceSource::collection_reference);
        form.integer(1149, "Number of Radial Points:", &mesh_effect_definition::radial_point_count);
        form.distance(1142, "Thickness:", &mesh_effect_definition::thickness);
        form.distance(1062, "Height Offset:", &mesh_effect_definition::height_offset);
    });
}

}  // namespace mesh_effect_form

CMeshEffectDlg::CMeshEffectDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(mesh_effect_form::template_id, group, subgroup, parent,
                     sizeof(definitions::mesh_effect_definition), definitions::mesh_effect_definition_codes,
                     mesh_effect_form::declare) {}

CTagDialog* create_mesh_effect_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CMeshEffectDlg(group, subgroup, parent);
}
