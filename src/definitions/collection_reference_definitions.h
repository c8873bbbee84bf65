#pragma once

// Collection references (group `core`): a collection with up to five colour
// permutations and a tint. Also home of the 8-byte colour that several groups store.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

// Four unsigned 16-bit words; each component runs 0..65535.
struct rgb_color {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
    uint16_t flags;
};
static_assert(sizeof(rgb_color) == 8);

inline constexpr NamedValue rgb_color_flag_names[] = {
    {0x1, "Is Reversed"},
    {0x2, "Uses Global Tint"},
    {0x4, "Is Unused"},
};

inline constexpr int collection_reference_maximum_permutations = 5;
inline constexpr int color_permutation_colors = 8;

// Colour i recolours the collection's hue change i.
struct color_permutation {
    rgb_color colors[color_permutation_colors];
};
static_assert(sizeof(color_permutation) == 64);

inline constexpr int16_t color_permutation_codes[] = {
    -100, 1, -100, 8, -2, -2, -2, -2, -101, -101};

struct collection_reference {
    tag_code collection;  // `.256` subgroup; also the tag's user data
    int16_t permutation_count;
    int16_t tint_fraction;  // 256 = full tint
    color_permutation permutations[collection_reference_maximum_permutations];
    rgb_color tint_color;
    uint8_t reserved[36];
    int16_t runtime_collection_index;  // engine's, never converted
    int16_t runtime_shading_tables[5];
};
static_assert(sizeof(collection_reference) == 384);
static_assert(offsetof(collection_reference, permutation_count) == 4);
static_assert(offsetof(collection_reference, tint_fraction) == 6);
static_assert(offsetof(collection_reference, permutations) == 8);
static_assert(offsetof(collection_reference, tint_color) == 328);
static_assert(offsetof(collection_reference, reserved) == 336);
static_assert(offsetof(collection_reference, runtime_collection_index) == 372);
static_assert(offsetof(collection_reference, runtime_shading_tables) == 374);

inline constexpr int16_t collection_reference_codes[] = {
    -100, 1,
    -4, -2, -2,
    -100, 5, -100, 8, -2, -2, -2, -2, -101, -101,
    -2, -2, -2, -2,
    36, 2, 10,
    -101};

extern const collection_reference collection_reference_default;

// The referenced collection: the record's first word.
int32_t collection_reference_user_data(const void* record);

extern const RecordDescription color_permutation_description;
extern const RecordDescription collection_reference_description;

}  // namespace definitions
