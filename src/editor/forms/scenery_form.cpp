#include "editor/forms/scenery_form.h"

#include "definitions/object_definitions.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/tag_reads.h"

#include <QComboBox>

#include <algorithm>
#include <iterator>
#include <memory>

namespace scenery_form {

namespace {

using definitions::scenery_definition;
using toolkit::Field;
using toolkit::SequenceSource;

constexpr tag_code projectile_groups = make_tag("prgr");
// Collection references whose collection is meant for scenery.
constexpr int32_t scenery_collections = 8;

void declare_sequences(toolkit::Form& form) {
    form.current_collection_sequence(undamaged_sequence_id, "Undamaged:",
                                     Field::at<int16_t>(2 * definitions::scenery_undamaged_sequence),
                                     SequenceSource::collection_reference);
    form.current_collection_sequence(ruined_sequence_id, "Ruined:",
                                     Field::at<int16_t>(2 * definitions::scenery_ruined_sequence),
                                     SequenceSource::collection_reference);
}

void declare_projectile_groups(toolkit::Form& form) {
    form.reference(1254, "Impact:", projectile_groups, &scenery_definition::impact_projectile_group);
    form.reference(1255, "Detonation:", projectile_groups, &scenery_definition::detonation_projectile_group);
}

const EditorRegistration scenery_editor(make_tag("scen"), &create_scenery_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    auto& record = form.record<scenery_definition>();
    // The collection reference the sequence slots were chosen from.
    const auto shown_collection = std::make_shared<int32_t>(NONE);
    const auto update_sequences_button = [&form] {
        form.dialog().control(sequences_button_id)->setEnabled(form.current_collection() != NONE);
    };
    form.filtered_reference(collection_reference_id, "Collection Reference:", toolkit::collection_reference_group,
                            &scenery_definition::collection_reference, core_user_data_filter, scenery_collections)
        .on_change([&form, &record, shown_collection, update_sequences_button] {
            if (form.current_collection() == *shown_collection) return;
            *shown_collection = form.current_collection();
            std::fill(std::begin(record.sequences), std::end(record.sequences), int16_t{NONE});
            update_sequences_button();
        });
    form.current_collection_picker(collection_reference_id);
    form.reference(1030, "Object Tag:", make_tag("obje"), &scenery_definition::object);
    form.reference(1026, "Projectile:", make_tag("proj"), &scenery_definition::projectile);
    form.integer(1255, "Model Permutation Delta:", &scenery_definition::model_permutation_delta);
    form.group("Netgame", [&form] {
        form.enumeration(scoring_type_id, "Scoring Type:", &scenery_definition::netgame_scoring_type,
                         definitions::scenery_scoring_type_names, 1)
            .enabled_by(is_netgame_flag_id);
        form.offset_integer(flag_number_id, "Flag Number:", &scenery_definition::netgame_flag_number, 1, -1, 8)
            .enabled_by(is_netgame_flag_id);
    });
    form.line(QString(), [&form] {
        form.element_button(sequences_button_id, "Edit Sequences...", "Scenery Sequences",
                            Field::whole(&scenery_definition::sequences),
                            toolkit::form_element_dialog(sequences_template_id, sizeof(scenery_definition::sequences),
                                                         declare_sequences));
        form.element_button(projectile_groups_button_id, "Edit Projectile Groups...", "Scenery Projectile Groups",
                            Field::at<uint32_t>(0),
                            toolkit::form_element_dialog(projectile_groups_template_id, sizeof(scenery_definition),
                                                         declare_projectile_groups));
    });
    form.column();
    form.group("Flags", [&form] {
        for (const definitions::NamedValue& bit : definitions::scenery_flag_names)
            form.flag(flag_id(static_cast<uint32_t>(bit.value)), bit.name, &scenery_definition::flags,
                      static_cast<uint32_t>(bit.value));
    });
    form.after_load([&form, shown_collection, update_sequences_button] {
        *shown_collection = form.current_collection();
        update_sequences_button();
    });
}

}  // namespace scenery_form

CSceneryDlg::CSceneryDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(scenery_form::template_id, group, subgroup, parent, sizeof(definitions::scenery_definition),
                     definitions::scenery_definition_codes, scenery_form::declare) {}

CTagDialog* create_scenery_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CSceneryDlg(group, subgroup, parent);
}
