#pragma once

// Sequence pickers: combo boxes whose item 0 is "No Sequence" (item data NONE) and
// item k the name of sequence k - 1 of a collection (item data k - 1). A collection
// given through a collection reference (`core` tag) is the one its record names.

#include "core/tag_code.h"
#include "editor/toolkit/exchange_numbers.h"

#include <cstdint>

class CDataExchange;
class CTagDialog;
class QComboBox;

namespace toolkit {

inline constexpr const char* no_sequence_text = "No Sequence";

enum class SequenceSource : uint8_t { collection, collection_reference };

// The collection whose sequences a picker lists: `subgroup` itself, or the one the
// `core` tag names; NONE for none.
tag_code collection_of_source(tag_code subgroup, SequenceSource source);

// Refills the picker with the sequences of the collection (or of the collection the
// `core` tag names); "No Sequence" alone when there is none or it cannot be read.
// Leaves "No Sequence" selected.
void fill_sequence_picker(QComboBox* combo, tag_code subgroup, SequenceSource source);

// Refills a dependent picker from the selection of its collection picker and enables
// it only while that selection is a tag. For the collection picker's change handler.
void refill_dependent_sequence_picker(CTagDialog& dialog, int collection_picker_id, int sequence_picker_id,
                                      SequenceSource source);

// Exchange of an already filled picker with a 16-bit sequence index.
void exchange_sequence_index(CDataExchange& dx, int control_id, void* field);

void exchange_sequence(CDataExchange& dx, int control_id, void* field, tag_code subgroup, SequenceSource source);
void exchange_dependent_sequence(CDataExchange& dx, int collection_picker_id, int sequence_picker_id, void* field,
                                 SequenceSource source);

}  // namespace toolkit

template <toolkit::integer_of_width<2> Field>
void DDX_Sequence(CDataExchange& dx, int id, Field& field, tag_code collection) {
    toolkit::exchange_sequence(dx, id, &field, collection, toolkit::SequenceSource::collection);
}
template <toolkit::integer_of_width<2> Field>
void DDX_CoreSequence(CDataExchange& dx, int id, Field& field, tag_code collection_reference) {
    toolkit::exchange_sequence(dx, id, &field, collection_reference, toolkit::SequenceSource::collection_reference);
}
template <toolkit::integer_of_width<2> Field>
void DDX_DependentSequence(CDataExchange& dx, int collection_picker_id, int sequence_picker_id, Field& field) {
    toolkit::exchange_dependent_sequence(dx, collection_picker_id, sequence_picker_id, &field,
                                         toolkit::SequenceSource::collection);
}
template <toolkit::integer_of_width<2> Field>
void DDX_DependentCoreSequence(CDataExchange& dx, int core_picker_id, int sequence_picker_id, Field& field) {
    toolkit::exchange_dependent_sequence(dx, core_picker_id, sequence_picker_id, &field,
                                         toolkit::SequenceSource::collection_reference);
}
