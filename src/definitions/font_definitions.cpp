#include "definitions/font_definitions.h"

#include "definitions/field_builders.h"

namespace definitions {

using namespace fields;

namespace {

constexpr FieldDescription font_definition_fields[] = {
    int32("flags", 0),
    int16("ascent", 4),
    int16("descent", 6),
    int16("leading", 8),
    int16("margin", 10),
    int32("character_count", 12),
    int32("characters_offset", 16),
    int32("characters_size", 20),
    reference("style_fonts", 24, make_tag("font"), font_style_count),
    reserved("runtime", 40, 24),
};

constexpr FieldDescription font_character_fields[] = {
    uint16("code", 0),
    int16("advance", 2),
    int16("width", 4),
    int16("height", 6),
    int16("origin_x", 8),
    int16("origin_y", 10),
    reserved("runtime", 12, 4),
};

}  // namespace

const RecordDescription font_definition_description{
    "font_definition", sizeof(font_definition), font_definition_codes, font_definition_fields};
const RecordDescription font_character_description{
    "font_character", sizeof(font_character), font_character_codes, font_character_fields};

}  // namespace definitions
