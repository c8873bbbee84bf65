#include "editor/forms/lightning_form.h"

#include "definitions/ambient_definitions.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/damage_dialogs.h"

namespace lightning_form {

namespace {

using definitions::lightning_definition;
using toolkit::Field;
using toolkit::SequenceSource;

const EditorRegistration lightning_editor(make_tag("ligh"), &create_lightning_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.reference(collection_reference_id, "Collection Reference:", make_tag("core"),
                   &lightning_definition::collection_reference);
    form.group("Sequences", [&form] {
        form.dependent_sequence(fork_sequence_id, "Fork:", &lightning_definition::fork_sequence,
                                collection_reference_id, SequenceSource::collection_reference);
        form.dependent_sequence(main_bolt_sequence_id, "Main Bolt:", &lightning_definition::main_bolt_sequence,
                                collection_reference_id, SequenceSource::collection_reference);
        form.dependent_sequence(mesh_stain_sequence_id, "Mesh Stain:", &lightning_definition::mesh_stain_sequence,
                                collection_reference_id, SequenceSource::collection_reference);
    });
    form.ticks(1138, "Shock Duration:", &lightning_definition::shock_duration);
    form.ticks(1139, "Fade Duration:", &lightning_definition::fade_duration);
    form.distance(1140, "Bolt Length:", &lightning_definition::bolt_length);
    form.distance(1141, "Velocity:", &lightning_definition::velocity);
    form.short_fixed(1060, "Scale:", &lightning_definition::scale);
    form.column();
    form.integer_range(1144, 1155, "Fork Segments:", &lightning_definition::fork_segments_lower,
                       &lightning_definition::fork_segments_delta);
    form.integer(1145, "Fork Overlap:", &lightning_definition::fork_overlap);
    form.integer(1146, "Main Bolt Overlap:", &lightning_definition::main_bolt_overlap);
    form.angle(1147, "Fork Angle:", &lightning_definition::fork_angle);
    form.integer(1148, "Apparent # of Bolts:", &lightning_definition::apparent_bolt_count);
    form.group("Flags", [&form] {
        const int ids[] = {1154, 1156, 1157, 1158};
        int index = 0;
        for (const definitions::NamedValue& bit : definitions::lightning_flag_names)
            form.flag(ids[index++], bit.name, &lightning_definition::flags, static_cast<uint32_t>(bit.value));
    });
    form.element_button(damage_button_id, "Edit Damage...", "Lightning Damage",
                        Field::whole(&lightning_definition::damage), toolkit::damage_dialog());
}

}  // namespace lightning_form

CLightningDlg::CLightningDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(lightning_form::template_id, group, subgroup, parent, sizeof(definitions::lightning_definition),
                     definitions::lightning_definition_codes, lightning_form::declare) {}

CTagDialog* create_lightning_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CLightningDlg(group, subgroup, parent);
}
