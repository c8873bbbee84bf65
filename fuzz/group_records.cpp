// Random bytes as the data of a tag of one of the registry's groups (the first
// byte picks the row). The record at the start is read the way a form reads it
// (bytes the data lacks are zeros), converted to host order with its
// sub-records, its user data derived, and converted back to file order, which
// must give the stored bytes again. The whole data is then exported as the
// command-line tool's JSON document, printed, read back and imported, which
// must give exactly the same bytes, or be refused when an element count of the
// record lies beyond its array.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/tag_document.h"
#include "core/byte_swap.h"
#include "definitions/field_description.h"
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

void convert_record_both_ways(const TagGroupEntry& row, std::span<const std::byte> tag_data) {
    // Exactly the record's size, so that a conversion reaching past it is caught.
    const std::size_t record_size = record_size_of(row);
    if (record_size == 0) return;
    std::unique_ptr<std::byte[]> stored(new std::byte[record_size]());
    std::memcpy(stored.get(), tag_data.data(), std::min(tag_data.size(), record_size));
    std::unique_ptr<std::byte[]> record(new std::byte[record_size]);
    std::memcpy(record.get(), stored.get(), record_size);

    to_host_order(row, record.get());
    if (row.get_user_data) static_cast<void>(row.get_user_data(record.get()));
    to_file_order(row, record.get());
    if (std::memcmp(record.get(), stored.get(), record_size) != 0) __builtin_trap();
}

// Import refuses a count beyond its array, so such data exports but cannot come back.
bool counts_within_arrays(const TagGroupEntry& row, std::span<const std::byte> tag_data) {
    if (!row.description) return true;
    for (const definitions::FieldDescription& field : row.description->fields) {
        if (field.count_capacity < 0 || field.offset + field.width > tag_data.size()) continue;
        std::int64_t count = 0;
        for (std::uint32_t index = 0; index < field.width; ++index) {
            count = (count << 8) | std::to_integer<std::uint8_t>(tag_data[field.offset + index]);
        }
        if (field.is_signed && (count >> (8 * field.width - 1)) != 0) {
            count -= std::int64_t{1} << (8 * field.width);
        }
        if (count < 0 || count > field.count_capacity) return false;
    }
    return true;
}

void export_and_import(const TagGroupEntry& row, std::span<const std::byte> tag_data) {
    const cli::NoTagNames names;
    const std::string text = cli::json::write_pretty(cli::tag_data_to_document(row.group_tag, tag_data, names));
    const cli::json::ReadResult read = cli::json::read(text);
    if (!read.value) __builtin_trap();
    std::vector<std::string> errors;
    const auto imported = cli::tag_data_from_document(row.group_tag, *read.value, names, errors);
    if (!imported) {
        if (counts_within_arrays(row, tag_data)) __builtin_trap();
        return;
    }
    if (!std::ranges::equal(*imported, tag_data)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto rows = definitions::tag_group_registry();
    const TagGroupEntry& row = rows[data[0] % rows.size()];
    const std::span<const std::byte> tag_data(reinterpret_cast<const std::byte*>(data + 1), size - 1);
    convert_record_both_ways(row, tag_data);
    export_and_import(row, tag_data);
    return 0;
}
