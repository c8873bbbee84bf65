#pragma once

// Interface definition (group `inte`): the interface collection and six fonts.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

inline constexpr int interface_font_count = 6;

struct interface_definition {
    tag_code collection;                   // `.256`
    tag_code fonts[interface_font_count];  // `font`, in the order of the names below
    int32_t unused_28[2];
    uint8_t reserved[220];
};
static_assert(sizeof(interface_definition) == 256);
static_assert(offsetof(interface_definition, fonts) == 4);
static_assert(offsetof(interface_definition, unused_28) == 28);
static_assert(offsetof(interface_definition, reserved) == 36);

inline constexpr int16_t interface_definition_codes[] = {-100, 1, -100, 9, -4, -101, 200, 16, 4, -101};

extern const interface_definition interface_definition_default;
int32_t interface_user_data(const void* record);
extern const RecordDescription interface_definition_description;

inline constexpr NamedValue interface_font_names[] = {
    {0, "System:"}, {1, "High Resolution:"}, {2, "Low Resolution:"},
    {3, "Narration Header:"}, {4, "Narration Body:"}, {5, "Narration Caption:"},
};

}  // namespace definitions
