#include "editor/forms/unit_form.h"

#include "definitions/monster_definitions.h"
#include "definitions/unit_definitions.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/tag_reads.h"

#include <cstring>
#include <optional>

namespace unit_form {

namespace {

using definitions::unit_definition;

constexpr tag_code monsters = make_tag("mons");

// The user data of a collection reference is the subgroup of its collection, so the
// references dressing a monster are those whose user data is the monster's collection.
// A monster that cannot be read lists nothing.
std::optional<int32_t> collection_of_monster(int32_t monster) {
    const auto record = toolkit::read_record(monsters, static_cast<tag_code>(monster));
    if (!record) return std::nullopt;
    int32_t collection = NONE;
    std::memcpy(&collection, record->data() + offsetof(definitions::monster_definition, collection),
                sizeof collection);
    return collection;
}

const EditorRegistration unit_editor(make_tag("unit"), &create_unit_dialog);

}  // namespace

void declare(toolkit::Form& form) {
    form.reference(monster_id, "Monster:", monsters, &unit_definition::monster);
    form.dependent_reference(collection_reference_id, "Collection Reference:", toolkit::collection_reference_group,
                             &unit_definition::collection_reference, user_data_equals_filter, monster_id,
                             collection_of_monster);
}

}  // namespace unit_form

CUnitDlg::CUnitDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CFormTagDialog(unit_form::template_id, group, subgroup, parent, sizeof(definitions::unit_definition),
                     definitions::unit_definition_codes, unit_form::declare) {}

CTagDialog* create_unit_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
    return new CUnitDlg(group, subgroup, parent);
}
