#pragma once

// Short constructors for the rows of a field description table, so that a
// record's table reads like its layout: one line per field.

#include <cstdint>
#include <span>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions::fields {

constexpr FieldDescription scalar(const char* name, uint32_t offset, FieldKind kind, uint8_t width,
                                  bool is_signed, uint32_t count = 1) {
    return {.name = name, .offset = offset, .kind = kind, .width = width, .is_signed = is_signed, .count = count};
}

constexpr FieldDescription int8(const char* name, uint32_t offset, FieldKind kind = FieldKind::integer,
                                uint32_t count = 1) {
    return scalar(name, offset, kind, 1, true, count);
}

constexpr FieldDescription uint8(const char* name, uint32_t offset, FieldKind kind = FieldKind::integer,
                                 uint32_t count = 1) {
    return scalar(name, offset, kind, 1, false, count);
}

constexpr FieldDescription int16(const char* name, uint32_t offset, FieldKind kind = FieldKind::integer,
                                 uint32_t count = 1) {
    return scalar(name, offset, kind, 2, true, count);
}

constexpr FieldDescription uint16(const char* name, uint32_t offset, FieldKind kind = FieldKind::integer,
                                  uint32_t count = 1) {
    return scalar(name, offset, kind, 2, false, count);
}

constexpr FieldDescription int32(const char* name, uint32_t offset, FieldKind kind = FieldKind::integer,
                                 uint32_t count = 1) {
    return scalar(name, offset, kind, 4, true, count);
}

constexpr FieldDescription uint32(const char* name, uint32_t offset, FieldKind kind = FieldKind::integer,
                                  uint32_t count = 1) {
    return scalar(name, offset, kind, 4, false, count);
}

constexpr FieldDescription reference(const char* name, uint32_t offset, tag_code group, uint32_t count = 1) {
    return {.name = name, .offset = offset, .kind = FieldKind::tag_reference, .width = 4, .is_signed = false,
            .count = count, .reference_group = group};
}

// The signed 16-bit count of the elements in use of an array of that capacity.
constexpr FieldDescription element_count(const char* name, uint32_t offset, int32_t capacity) {
    return {.name = name, .offset = offset, .kind = FieldKind::integer, .width = 2, .is_signed = true,
            .count_capacity = capacity};
}

// Bytes the codes leave alone and nothing edits.
constexpr FieldDescription reserved(const char* name, uint32_t offset, uint32_t count) {
    return scalar(name, offset, FieldKind::reserved, 1, false, count);
}

// Unedited 16- or 32-bit words that the codes still swap.
constexpr FieldDescription reserved_words(const char* name, uint32_t offset, uint8_t width, uint32_t count = 1) {
    return scalar(name, offset, FieldKind::reserved, width, true, count);
}

// bias 1: the first name stands for NONE (-1), the name at index k for the stored k - 1.
constexpr FieldDescription enumeration(const char* name, uint32_t offset, std::span<const NamedValue> names,
                                       int32_t bias, uint8_t width = 2, uint32_t count = 1) {
    return {.name = name, .offset = offset, .kind = FieldKind::enumeration, .width = width, .is_signed = true,
            .count = count, .names = names, .bias = bias};
}

constexpr FieldDescription flags(const char* name, uint32_t offset, uint8_t width, std::span<const NamedValue> names) {
    return {.name = name, .offset = offset, .kind = FieldKind::flags, .width = width, .is_signed = false,
            .names = names};
}

constexpr FieldDescription color(const char* name, uint32_t offset, uint32_t count = 1) {
    return {.name = name, .offset = offset, .kind = FieldKind::rgb_color, .width = 2, .is_signed = false,
            .count = count};
}

constexpr FieldDescription records(const char* name, uint32_t offset, const RecordDescription& element,
                                   uint32_t count) {
    return {.name = name, .offset = offset, .kind = FieldKind::record_array, .width = 0, .is_signed = false,
            .count = count, .element = &element};
}

// Fixed-length byte text, zero padded.
constexpr FieldDescription text(const char* name, uint32_t offset, uint32_t length) {
    return scalar(name, offset, FieldKind::text, 1, false, length);
}

// IEEE single precision.
constexpr FieldDescription real(const char* name, uint32_t offset) {
    return scalar(name, offset, FieldKind::real, 4, true);
}

}  // namespace definitions::fields
