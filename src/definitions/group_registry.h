#pragma once

// The editor's table of the 39 tag groups it knows: whether a group has a form,
// how the tree shows it, what a new tag of it contains, how its record converts
// between host and file order and how a tag header's user data is derived.
// Default records are kept in host order and never change; writers take a copy
// in file order.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

// Bit 0: left out of the main tree unless Shift is held while it is built.
inline constexpr uint32_t TAG_GROUP_HIDDEN = 0x1;
// Bit 1: reference pickers need the group's tag-name list.
inline constexpr uint32_t TAG_GROUP_TAG_LIST = 0x2;

inline constexpr int tag_group_registry_size = 39;

using user_data_function = int32_t (*)(const void* record);
// Converts the parts of a record that its codes leave alone; reads the record's
// own fields, so it needs them in host order. Its own inverse.
using sub_record_conversion = void (*)(void* record);

struct TagGroupEntry {
    tag_code group_tag;
    int16_t editor_dialog;  // dialog resource of the group's form; 0 when the group has none
    uint32_t flags;
    const void* default_definition;  // host order; nullptr when a new tag gets no record
    user_data_function get_user_data;
    uint32_t definition_size;  // 0 where there is no default
    std::span<const int16_t> byte_swap_codes;  // empty where there is no default
    const RecordDescription* description;      // the record at the start of the tag's data, if known
    sub_record_conversion convert_sub_records;  // nullptr when the codes cover everything

    bool has_editor() const { return editor_dialog != 0; }
};

// The rows in their fixed order.
std::span<const TagGroupEntry> tag_group_registry();

// The group's row, or nullptr when the editor does not know the group.
const TagGroupEntry* find_group(tag_code group_tag);

bool has_editor(tag_code group_tag);
bool is_hidden(tag_code group_tag);
bool keeps_tag_list(tag_code group_tag);
// Host order; nullptr without a row or a default.
const void* get_default_definition(tag_code group_tag);
user_data_function get_user_data_function(tag_code group_tag);
uint32_t get_definition_size(tag_code group_tag);

// A copy of the group's default record converted to file order, ready to be
// written to a new tag; empty when the group has none. The user data of a new
// tag is computed from the host-order default, never from this copy.
std::vector<std::byte> default_record_in_file_order(tag_code group_tag);

// Convert one record of the row's group in place (sub-records included); a row
// without codes leaves the bytes as they are.
void record_to_file_order(const TagGroupEntry& row, void* record);
void record_to_host_order(const TagGroupEntry& row, void* record);

}  // namespace definitions
