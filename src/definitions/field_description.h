#pragma once

// Field descriptions: one table per record, kept beside the record's struct and
// byte-swap codes. The command-line tool exports and imports tags as JSON through
// them, the editor's generic views use them, and tests check them against the
// byte-swap codes so the two can never drift apart.

#include <cstdint>
#include <span>

namespace definitions {

// How a stored number is presented: the storage conventions of the editor's
// field kinds, plus the plain kinds a record needs around them.
enum class FieldKind : uint8_t {
    integer,         // plain signed or unsigned number
    world_distance,  // 1/512 world unit
    game_ticks,      // 1/30 second
    short_fixed,     // 8.8 fixed point (16-bit)
    fixed,           // 16.16 fixed point (32-bit)
    fraction,        // 65535 = 1.0 (16-bit)
    byte_fraction,   // 255 = 1.0 (8-bit)
    angle,           // 65536 = full turn
    angular_speed,   // angle per tick
    enumeration,     // value (after bias) names one of `names`
    flags,           // bits named by `names` (value = bit mask)
    tag_reference,   // subgroup code of a tag of `reference_group`, NONE for none
    tag_code,        // a four-character code stored as a number
    sequence_index,  // index of a sequence in the current collection, NONE for none
    rgb_color,       // four unsigned 16-bit words: red, green, blue, flags (8 bytes)
    color_ref,       // 32-bit 0x00BBGGRR
    real,            // IEEE single precision
    text,            // fixed-length byte text, NUL padded; width 1, count = length
    reserved,        // bytes carried through unchanged (padding, unused)
    record_array,    // `count` consecutive sub-records described by `element`
};

// One value of an enumeration, or one bit (mask) of a flag word.
struct NamedValue {
    int32_t value;
    const char* name;
};

struct RecordDescription;

struct FieldDescription {
    const char* name;      // JSON key: lower case with underscores
    uint32_t offset;       // byte offset in the record
    FieldKind kind;
    uint8_t width;         // bytes per scalar: 1, 2 or 4 (rgb_color: 2; record_array: 0)
    bool is_signed;
    uint32_t count = 1;    // consecutive elements (array length, text length)
    std::span<const NamedValue> names = {};          // enumeration values or flag bits
    int32_t bias = 0;                                // enumeration: stored = index - bias
    uint32_t reference_group = 0;                    // tag_reference: the referenced group's code
    const RecordDescription* element = nullptr;      // record_array: the sub-record
    // The count of an element array: the values its array can hold, 0 to this.
    // Negative for a field that counts nothing.
    int32_t count_capacity = -1;
};

// Bytes one element of the field occupies.
constexpr uint32_t field_element_size(const FieldDescription& field);

struct RecordDescription {
    const char* name;  // byte-swap definition name, such as "monster_definition"
    uint32_t size;     // record size in bytes
    std::span<const int16_t> codes;  // byte-swap codes covering exactly `size` bytes
    std::span<const FieldDescription> fields;  // in offset order, not overlapping
};

constexpr uint32_t field_element_size(const FieldDescription& field) {
    switch (field.kind) {
        case FieldKind::rgb_color: return 8;
        case FieldKind::record_array: return field.element ? field.element->size : 0;
        default: return field.width;
    }
}

constexpr uint32_t field_size(const FieldDescription& field) {
    return field_element_size(field) * field.count;
}

}  // namespace definitions
