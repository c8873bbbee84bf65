#include "definitions/connector_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

constinit const connector_definition connector_definition_default{
    .flags = 0,
    .collection_reference = NONE,
    .normal_sequence = NONE,
    .origin_object_height_fraction = 256,
    .interpolant_distance = 512,
    .damaged_sequence = NONE,
    .reserved = {},
};

int32_t connector_user_data(const void*) { return NONE; }

namespace {

constexpr FieldDescription connector_fields[] = {
    reserved_words("flags", 0, 4),
    reference("collection_reference", 4, make_tag("core")),
    int16("normal_sequence", 8, FieldKind::sequence_index),
    int16("origin_object_height_fraction", 10, FieldKind::short_fixed),
    int16("interpolant_distance", 12, FieldKind::world_distance),
    int16("damaged_sequence", 14, FieldKind::sequence_index),
    reserved("reserved", 16, 16),
};

}  // namespace

const RecordDescription connector_definition_description{
    "connector_definition", sizeof(connector_definition), connector_definition_codes, connector_fields};

}  // namespace definitions
