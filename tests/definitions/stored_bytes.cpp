#include "definitions/stored_bytes.h"

#include <cstring>
#include <vector>

#include "core/byte_swap.h"

namespace test_support {

namespace {

std::vector<uint8_t> file_order_bytes(const void* record, size_t size, std::span<const int16_t> codes) {
    std::vector<uint8_t> bytes(size);
    std::memcpy(bytes.data(), record, size);
    byte_swap_data("test record", bytes.data(), static_cast<int32_t>(size), 1, codes);
    return bytes;
}

std::vector<uint8_t> big_endian_bytes(size_t size, std::span<const stored_value> values) {
    std::vector<uint8_t> bytes(size);
    for (const stored_value& value : values) {
        for (uint32_t element = 0; element < value.count; ++element) {
            const size_t start = value.offset + size_t{element} * value.width;
            for (uint8_t byte = 0; byte < value.width; ++byte) {
                const int shift = 8 * (value.width - 1 - byte);
                bytes.at(start + byte) = static_cast<uint8_t>(static_cast<uint64_t>(value.value) >> shift);
            }
        }
    }
    return bytes;
}

std::string byte_differences(std::span<const uint8_t> actual, std::span<const uint8_t> expected) {
    if (actual.size() != expected.size()) {
        return "size " + std::to_string(actual.size()) + " instead of " + std::to_string(expected.size());
    }
    std::string differences;
    int reported = 0;
    for (size_t offset = 0; offset < actual.size() && reported < 12; ++offset) {
        if (actual[offset] == expected[offset]) continue;
        differences += "offset " + std::to_string(offset) + ": " + std::to_string(actual[offset]) +
                       " instead of " + std::to_string(expected[offset]) + "; ";
        ++reported;
    }
    return differences;
}

}  // namespace

std::string file_order_differences(const void* record, size_t size, std::span<const int16_t> codes,
                                   std::span<const stored_value> expected) {
    return byte_differences(file_order_bytes(record, size, codes), big_endian_bytes(size, expected));
}

std::string coverage_fault(std::span<const int16_t> codes, size_t size) {
    const byte_swap_walk_result walk = byte_swap_measure(codes);
    if (!walk.valid) return "malformed codes";
    if (walk.codes_used != static_cast<int32_t>(codes.size())) {
        return "codes end after " + std::to_string(walk.codes_used) + " of " + std::to_string(codes.size());
    }
    if (walk.bytes_covered != static_cast<int64_t>(size)) {
        return "codes cover " + std::to_string(walk.bytes_covered) + " bytes of " + std::to_string(size);
    }
    return "";
}

std::string enumeration_bias_faults(const definitions::RecordDescription& description) {
    std::string faults;
    for (const definitions::FieldDescription& field : description.fields) {
        if (field.kind == definitions::FieldKind::record_array && field.element != nullptr) {
            faults += enumeration_bias_faults(*field.element);
            continue;
        }
        if (field.kind != definitions::FieldKind::enumeration) continue;
        if (field.names.empty()) faults += std::string(description.name) + "." + field.name + " has no names; ";
        for (size_t item = 0; item < field.names.size(); ++item) {
            if (field.names[item].value != static_cast<int32_t>(item) - field.bias) {
                faults += std::string(description.name) + "." + field.name + " item " + std::to_string(item) +
                          " stores " + std::to_string(field.names[item].value) + "; ";
            }
        }
    }
    return faults;
}

}  // namespace test_support
