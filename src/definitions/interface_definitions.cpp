#include "definitions/interface_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

// A new tag names no narration caption font by subgroup 0, not NONE, as the
// engine's own default does; the form shows and saves it as "No Tag".
constinit const interface_definition interface_definition_default{
    .collection = NONE,
    .fonts = {NONE, NONE, NONE, NONE, NONE, 0},
    .unused_28 = {},
    .reserved = {},
};

int32_t interface_user_data(const void*) { return NONE; }

namespace {

constexpr FieldDescription interface_fields[] = {
    reference("collection", 0, make_tag(".256")),
    reference("fonts", 4, make_tag("font"), interface_font_count),
    reserved_words("unused_28", 28, 4, 2),
    reserved("reserved", 36, 220),
};

}  // namespace

const RecordDescription interface_definition_description{
    "interface_definition", sizeof(interface_definition), interface_definition_codes, interface_fields};

}  // namespace definitions
