// Random bytes as the data of a tag of one of the registry's groups (the first
// byte picks the row): the record at the start of the data is read the way a
// form reads it, converted to host order (sub-records included), its user data
// derived, and converted back to file order, which must give the stored bytes
// again. Bytes the data lacks are zeros, as in a record the reader fills.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

#include "core/byte_swap.h"
#include "definitions/group_registry.h"

namespace {

using definitions::TagGroupEntry;

// The size of the record a row reads from the start of its tags: the one its
// codes describe, or for a group without a default the described header alone.
std::uint32_t record_size_of(const TagGroupEntry& row) {
    if (!row.byte_swap_codes.empty()) return row.definition_size;
    return row.description ? row.description->size : 0;
}

void to_host_order(const TagGroupEntry& row, void* record) {
    if (!row.byte_swap_codes.empty()) {
        definitions::record_to_host_order(row, record);
    } else {
        byte_swap_data(row.description->name, record, static_cast<std::int32_t>(row.description->size), 1,
                       row.description->codes);
    }
}

void to_file_order(const TagGroupEntry& row, void* record) {
    if (!row.byte_swap_codes.empty()) {
        definitions::record_to_file_order(row, record);
    } else {
        byte_swap_data(row.description->name, record, static_cast<std::int32_t>(row.description->size), 1,
                       row.description->codes);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto rows = definitions::tag_group_registry();
    const TagGroupEntry& row = rows[data[0] % rows.size()];
    // Exactly the record's size, so that a conversion reaching past it is caught.
    const std::size_t record_size = record_size_of(row);
    if (record_size == 0) return 0;
    std::unique_ptr<std::byte[]> stored(new std::byte[record_size]());
    std::memcpy(stored.get(), data + 1, std::min(size - 1, record_size));
    std::unique_ptr<std::byte[]> record(new std::byte[record_size]);
    std::memcpy(record.get(), stored.get(), record_size);

    to_host_order(row, record.get());
    if (row.get_user_data) static_cast<void>(row.get_user_data(record.get()));
    to_file_order(row, record.get());
    if (std::memcmp(record.get(), stored.get(), record_size) != 0) __builtin_trap();
    return 0;
}
