#pragma once

// Fonts (group `font`): a 64-byte font record followed by one variable-length
// record per character, each a 16-byte header and an 8-bit grey bitmap.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

inline constexpr int font_style_count = 4;

struct font_definition {
    int32_t flags;
    int16_t ascent;
    int16_t descent;
    int16_t leading;
    int16_t margin;  // stored 0; the engine derives it after loading
    int32_t character_count;
    int32_t characters_offset;  // from the start of the tag's data
    int32_t characters_size;
    tag_code style_fonts[font_style_count];  // `font`: italic, bold, condensed, underlined
    uint8_t runtime[24];
};
static_assert(sizeof(font_definition) == 64);
static_assert(offsetof(font_definition, ascent) == 4);
static_assert(offsetof(font_definition, margin) == 10);
static_assert(offsetof(font_definition, character_count) == 12);
static_assert(offsetof(font_definition, characters_offset) == 16);
static_assert(offsetof(font_definition, characters_size) == 20);
static_assert(offsetof(font_definition, style_fonts) == 24);
static_assert(offsetof(font_definition, runtime) == 40);

inline constexpr int16_t font_definition_codes[] = {
    -100, 1, -4, -2, -2, -2, -2, -4, -4, -4, -100, 4, -4, -101, 24, -101};

extern const RecordDescription font_definition_description;

inline constexpr NamedValue font_style_names[] = {
    {0, "Italic:"}, {1, "Bold:"}, {2, "Condensed:"}, {3, "Underlined:"}};

// The fixed part of a character record; width x height pixel bytes follow it,
// 0 full ink to 255 none, then a pad byte when their number is odd.
struct font_character {
    uint16_t code;  // game character in the low byte, lead byte in the high
    int16_t advance;
    int16_t width;
    int16_t height;
    int16_t origin_x;  // pixels left of the pen position
    int16_t origin_y;  // rows above the baseline
    uint8_t runtime[4];
};
static_assert(sizeof(font_character) == 16);
static_assert(offsetof(font_character, origin_y) == 10);
static_assert(offsetof(font_character, runtime) == 12);

inline constexpr int16_t font_character_codes[] = {-100, 1, -100, 6, -2, -101, 4, -101};

extern const RecordDescription font_character_description;

// Bytes a character record occupies, header and pad included; 64-bit so that a
// header read from a file cannot overflow it. Negative sizes count as empty.
constexpr int64_t font_character_record_length(int16_t width, int16_t height) {
    const int64_t pixels = (width > 0 && height > 0) ? int64_t{width} * height : 0;
    return int64_t{sizeof(font_character)} + pixels + (pixels & 1);
}

}  // namespace definitions
