#pragma once

// Helpers for checking records as they lie in a tag file: big-endian, converted
// by their byte-swap codes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "definitions/field_description.h"

namespace test_support {

// One stored number: `width` bytes (1, 2 or 4) at `offset`, repeated `count` times.
struct stored_value {
    uint32_t offset;
    uint8_t width;
    int64_t value;
    uint32_t count = 1;
};

// A copy of a host-order record converted to file order with the codes.
std::vector<uint8_t> file_order_bytes(const void* record, size_t size, std::span<const int16_t> codes);

// A record of `size` zero bytes with the values written big-endian.
std::vector<uint8_t> big_endian_bytes(size_t size, std::span<const stored_value> values);

// "" when the buffers are equal, else the first differing offsets with both bytes.
std::string byte_differences(std::span<const uint8_t> actual, std::span<const uint8_t> expected);

// "" when every enumeration of the description (and of its sub-records) lists its
// names in item order with stored value = item - bias, else the offending fields.
std::string enumeration_bias_faults(const definitions::RecordDescription& description);

}  // namespace test_support
