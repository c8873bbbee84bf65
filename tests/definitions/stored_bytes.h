#pragma once

// Helpers for checking records as they lie in a tag file: big-endian, converted
// by their byte-swap codes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "definitions/field_description.h"

namespace test_support {

// One stored number: `width` bytes (1, 2 or 4) at `offset`, repeated `count` times.
struct stored_value {
    uint32_t offset;
    uint8_t width;
    int64_t value;
    uint32_t count = 1;
};

// "" when a host-order record, converted to file order with the codes, holds
// exactly the values given and zero everywhere else; else the first differing
// offsets with both bytes.
std::string file_order_differences(const void* record, size_t size, std::span<const int16_t> codes,
                                   std::span<const stored_value> expected);

// "" when the codes are well formed and cover exactly size bytes, else what is wrong.
std::string coverage_fault(std::span<const int16_t> codes, size_t size);

// "" when every enumeration of the description (and of its sub-records) lists its
// names in item order with stored value = item - bias, else the offending fields.
std::string enumeration_bias_faults(const definitions::RecordDescription& description);

}  // namespace test_support
