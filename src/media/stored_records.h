#pragma once

// Moving records between stored (big-endian) bytes and host-order structs. Every
// access is bounds-checked in 64-bit arithmetic, so offsets and counts read from
// a file can be passed straight in.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "media/collection_format.h"

// True when [offset, offset + size) lies inside a block of block_size bytes.
constexpr bool range_fits(std::int64_t offset, std::int64_t size, std::int64_t block_size) {
    return offset >= 0 && size >= 0 && offset <= block_size && size <= block_size - offset;
}

inline std::uint16_t load_big_endian_16(const std::byte* bytes) {
    return static_cast<std::uint16_t>((std::to_integer<unsigned>(bytes[0]) << 8) | std::to_integer<unsigned>(bytes[1]));
}

inline void store_big_endian_16(std::byte* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::byte>(value >> 8);
    bytes[1] = static_cast<std::byte>(value);
}

// Copies count records from offset and converts them to host order; false (and
// nothing copied) when they do not lie inside the bytes.
template <typename Record>
bool load_records(std::span<const std::byte> bytes, std::int64_t offset, std::int64_t count, std::vector<Record>& records) {
    if (count < 0 || count > std::int64_t(bytes.size() / sizeof(Record)) ||
        !range_fits(offset, count * std::int64_t(sizeof(Record)), std::int64_t(bytes.size()))) {
        return false;
    }
    records.resize(static_cast<std::size_t>(count));
    if (count > 0) {
        std::memcpy(records.data(), bytes.data() + offset, records.size() * sizeof(Record));
        byte_swap_records(records.data(), static_cast<std::int32_t>(count));
    }
    return true;
}

template <typename Record>
bool load_record(std::span<const std::byte> bytes, std::int64_t offset, Record& record) {
    if (!range_fits(offset, sizeof(Record), std::int64_t(bytes.size()))) {
        return false;
    }
    std::memcpy(&record, bytes.data() + offset, sizeof(Record));
    byte_swap_records(&record, 1);
    return true;
}

// Converts a copy of the record to file order and writes it at offset; the
// caller has laid the bytes out to hold it.
template <typename Record>
void store_record(std::span<std::byte> bytes, std::int64_t offset, Record record) {
    byte_swap_records(&record, 1);
    std::memcpy(bytes.subspan(static_cast<std::size_t>(offset), sizeof(Record)).data(), &record, sizeof(Record));
}
