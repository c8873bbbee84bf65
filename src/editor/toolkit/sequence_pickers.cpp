#include "editor/toolkit/sequence_pickers.h"

#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/tag_dialog.h"
#include "editor/toolkit/control_state.h"
#include "editor/toolkit/reference_pickers.h"
#include "editor/toolkit/stored_value.h"
#include "editor/toolkit/tag_reads.h"

#include <QComboBox>

namespace toolkit {

namespace {

constexpr Storage index_storage{2, true};

}  // namespace

tag_code collection_of_source(tag_code subgroup, SequenceSource source) {
    if (source == SequenceSource::collection) return subgroup;
    return collection_of_reference(subgroup).value_or(tag_code(NONE));
}

void fill_sequence_picker(QComboBox* combo, tag_code subgroup, SequenceSource source) {
    combo->clear();
    combo->addItem(QString::fromLatin1(no_sequence_text), int32_t{NONE});
    if (const auto names = sequence_names_of_collection(collection_of_source(subgroup, source))) {
        int32_t index = 0;
        for (const std::string& name : *names) combo->addItem(text_from_windows_1252(name), index++);
    }
    combo->setCurrentIndex(0);
}

void refill_dependent_sequence_picker(CTagDialog& dialog, int collection_picker_id, int sequence_picker_id,
                                      SequenceSource source) {
    const auto* collection_picker = dialog.control_as<QComboBox>(collection_picker_id);
    auto* sequence_picker = dialog.control_as<QComboBox>(sequence_picker_id);
    if (!collection_picker || !sequence_picker) return;
    const auto subgroup = static_cast<tag_code>(selected_reference(collection_picker));
    fill_sequence_picker(sequence_picker, subgroup, source);
    sequence_picker->setEnabled(subgroup != NONE);
}

void exchange_sequence_index(CDataExchange& dx, int control_id, void* field) {
    if (dx.failed()) return;
    auto* combo = qobject_cast<QComboBox*>(dx.prepare_control(control_id));
    if (!combo) return;
    if (dx.is_loading()) {
        const int64_t item = load_stored(field, index_storage) + 1;
        combo->setCurrentIndex(item >= 0 && item < combo->count() ? static_cast<int>(item) : -1);
        remember_loaded_state(combo);
        return;
    }
    if (!changed_since_load(combo) || combo->currentIndex() < 0) return;
    store_stored(field, index_storage, combo->currentIndex() - 1);
}

void exchange_sequence(CDataExchange& dx, int control_id, void* field, tag_code subgroup, SequenceSource source) {
    if (dx.failed()) return;
    auto* combo = dx.dialog().control_as<QComboBox>(control_id);
    if (combo && dx.is_loading()) fill_sequence_picker(combo, subgroup, source);
    exchange_sequence_index(dx, control_id, field);
}

void exchange_dependent_sequence(CDataExchange& dx, int collection_picker_id, int sequence_picker_id, void* field,
                                 SequenceSource source) {
    if (dx.failed()) return;
    if (dx.is_loading()) refill_dependent_sequence_picker(dx.dialog(), collection_picker_id, sequence_picker_id, source);
    exchange_sequence_index(dx, sequence_picker_id, field);
}

}  // namespace toolkit
