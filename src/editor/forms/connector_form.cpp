#include "editor/forms/connector_form.h"

#include "definitions/connector_definitions.h"
#include "editor/tag_group_registry.h"

namespace connector_form {

namespace {

using definitions::connector_definition;

constexpr int collection_reference_id = 1029;

const EditorRegistration connector_editor(make_tag("conn"), &create_connector_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.reference(collection_reference_id, "Collection Reference:", make_tag("core"),
                   &connector_definition::collection_reference);
    form.dependent_sequence(1292, "Normal:", &connector_definition::normal_sequence, collection_reference_id,
                            toolkit::SequenceSource::collection_reference);
    form.dependent_sequence(1293, "Damaged:", &connector_definition::damaged_sequence, collection_reference_id,
                            toolkit::SequenceSource::collection_reference);
    form.short_fixed(1028, "Origin Object Height Fraction:", &connector_definition::origin_object_height_fraction);
    form.distance(1030, "Interpolant Distance:", &connector_definition::interpolant_distance);
}

}  // namespace connector_form

CConnectorDlg::CConnectorDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(connector_form::template_id, group, subgroup, parent, sizeof(definitions::connector_definition),
                     definitions::connector_definition_codes, connector_form::declare) {}

CTagDialog* create_connector_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CConnectorDlg(group, subgroup, parent);
}
