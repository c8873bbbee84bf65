#pragma once

// What the checks over every registered form share: the groups that have a form,
// the forms of their element dialogs, tags for every group a form refers to, and
// records drawn from the groups' field descriptions. A form registered as its
// group's editor is covered by these checks without any code of its own here.

#include "core/tag_code.h"
#include "definitions/field_description.h"
#include "editor/platform/scripted_services.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/form.h"
#include "editor_fixture.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CTagDialog;

namespace editor_test {

// Groups whose registry row has a form builder and a described record, in registry
// order (the plain text form of the text groups has its own tests).
std::vector<tag_code> groups_with_forms();
// A test name for a group: its code with characters other than letters and digits as '_'.
std::string group_test_name(tag_code group);

// Every form a group's dialog is made of: the group form, then the form of each
// element dialog its element rows open, at the offset in the group's record of the
// element it edits (lists: their first element). Nothing is read.
void for_each_declared_form(tag_code group,
                            const std::function<void(const toolkit::Form& form, uint32_t offset)>& visit);

// The field description holding `offset` of the record, looking into sub-records
// (a field of kind record_array when `kind` asks for one starting there), and how
// far into that field the offset lies. Null when no field holds it.
struct DescribedField {
    const definitions::FieldDescription* field = nullptr;
    uint32_t inside = 0;
};
DescribedField described_field_at(const definitions::RecordDescription& record, uint32_t offset,
                                  definitions::FieldKind kind);

// The record a group's tags start from, host order: its default record, or
// zeros of its described size for a group whose new tags are made otherwise
// (fonts are imported).
std::vector<std::byte> starting_record(tag_code group);

// Sequences of the collections the tags of FormTest hold.
inline constexpr int sequences_per_collection = 12;

// A working folder with three tags in each group any registered form refers to
// (collections with sequences), so pickers list them and records can name them.
class FormTest : public EditorTest {
protected:
    void SetUp() override;

    // A record of the group whose every described field holds a valid value other
    // than its default (references name tags of the folder, counts of element lists
    // stay within their capacity), in host order.
    std::vector<std::byte> random_record(tag_code group, uint32_t seed);
    // Writes the host-order record as a new tag of the group; its subgroup.
    tag_code create_record_tag(tag_code group, const std::string& name, std::vector<std::byte> record);
    // Opens the group's form on the tag, shown.
    std::unique_ptr<CTagDialog> open_form(tag_code group, tag_code subgroup);

    // Opens every element dialog reachable from the dialog's element buttons, colour
    // buttons, element lists and sequence lists (recursively) and accepts each.
    void accept_every_element_dialog(CTagDialog& dialog);

    CTagGroupRegistry registry;
    std::map<tag_code, std::vector<tag_code>> tags;  // by group, the folder's tags
};

// The form a group or element dialog made from a declaration holds; null otherwise.
toolkit::Form* form_of(CTagDialog& dialog);

}  // namespace editor_test
