#pragma once

// Connectors (group `conn`): a collection reference with two sequences and two
// placement values.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

struct connector_definition {
    uint32_t flags;
    tag_code collection_reference;  // `core`
    int16_t normal_sequence;
    int16_t origin_object_height_fraction;  // short fixed
    int16_t interpolant_distance;           // world distance
    int16_t damaged_sequence;
    uint8_t reserved[16];
};
static_assert(sizeof(connector_definition) == 32);
static_assert(offsetof(connector_definition, normal_sequence) == 8);
static_assert(offsetof(connector_definition, origin_object_height_fraction) == 10);
static_assert(offsetof(connector_definition, interpolant_distance) == 12);
static_assert(offsetof(connector_definition, damaged_sequence) == 14);
static_assert(offsetof(connector_definition, reserved) == 16);

inline constexpr int16_t connector_definition_codes[] = {-100, 1, -4, -4, -2, -2, -2, -2, 6, 10, -101};

extern const connector_definition connector_definition_default;
int32_t connector_user_data(const void* record);
extern const RecordDescription connector_definition_description;

}  // namespace definitions
