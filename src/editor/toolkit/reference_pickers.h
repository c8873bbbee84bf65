#pragma once

// Reference pickers: combo boxes listing "No Tag" (item data NONE) and the tags of
// one group (item data: the tag's subgroup). Plain pickers show the registry's
// tag-name list; filtered ones list, in directory order, the tags a filter keeps.
// Either shows the group's one shared model, through a layer of its own where it
// filters or adds its stored tag; nothing may add or remove their items.

#include "core/tag_code.h"
#include "editor/toolkit/exchange_numbers.h"
#include "tag_files/tag_directory.h"

#include <cstdint>

class CDataExchange;
class QComboBox;

using tag_reference_filter = bool (*)(tag_handle handle, int32_t argument);

// The tag's user data has every bit of the argument set.
bool collection_user_data_filter(tag_handle handle, int32_t argument);
// The tag is a collection reference naming a present collection whose user data has
// every bit of the argument set.
bool core_user_data_filter(tag_handle handle, int32_t argument);
// The tag's user data equals the argument.
bool user_data_equals_filter(tag_handle handle, int32_t argument);
// The tag's subgroup differs from the argument (the tag being edited).
bool not_self_filter(tag_handle handle, int32_t argument);

namespace toolkit {

inline constexpr const char* no_tag_text = "No Tag";
// Ends the entry of a stored tag that the picker's list leaves out.
inline constexpr const char* unlisted_suffix = " (not in list)";

// Fills the picker from the group's tag-name list (built when missing).
void fill_reference_picker(QComboBox* combo, tag_code group);
// Fills the picker with the tags the filter keeps; a null filter keeps none, which
// leaves "No Tag" alone.
void fill_filtered_reference_picker(QComboBox* combo, tag_code group, tag_reference_filter filter,
                                    int32_t argument);

// Selects the entry holding `subgroup`. A subgroup the list leaves out gets an
// entry of its own, marked as not in the list, naming the tag of `group` (its
// subgroup code when the tag is absent); NONE and 0 (the blank of an all-zero
// record) select "No Tag".
void select_reference(QComboBox* combo, tag_code group, int64_t subgroup);

// The item data of the selection; NONE when nothing is selected.
int32_t selected_reference(const QComboBox* combo);

// Exchange of an already filled picker with a 32-bit reference field.
void exchange_reference(CDataExchange& dx, int control_id, tag_code group, void* field);

void exchange_tag_reference(CDataExchange& dx, int control_id, tag_code group, void* field);
void exchange_filtered_tag_reference(CDataExchange& dx, int control_id, tag_code group, void* field,
                                     tag_reference_filter filter, int32_t argument);

}  // namespace toolkit

template <toolkit::integer_of_width<4> Field>
void DDX_TagReference(CDataExchange& dx, int id, tag_code group, Field& field) {
    toolkit::exchange_tag_reference(dx, id, group, &field);
}
template <toolkit::integer_of_width<4> Field>
void DDX_FilteredTagReference(CDataExchange& dx, int id, tag_code group, Field& field, tag_reference_filter filter,
                              int32_t argument) {
    toolkit::exchange_filtered_tag_reference(dx, id, group, &field, filter, argument);
}
