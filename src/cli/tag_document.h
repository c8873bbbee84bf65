#pragma once

// The whole data of a tag as one JSON document. A group with a field
// description gives
//   {"group": "mons", "record": "monster_definition", "fields": {...}}
// with "trailing_data" (hexadecimal) for any bytes after the record; other
// groups, and data too short to hold the record, give
//   {"group": "mesh", "data": "<hexadecimal>"}.
// Either way the document turns back into exactly the same bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/record_json.h"
#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace cli {

// The record at the start of the group's tags, or nullptr.
const definitions::RecordDescription* tag_record_description(tag_code group);

enum class ByteOrder { host, file };

// Converts the record at the start of data (which must hold it) in place,
// sub-records included, as the editor does.
void convert_tag_record(tag_code group, std::span<std::byte> data, ByteOrder to);

// The tag header's user data for data in file order, by the group's user-data
// function; nothing when the group has none or the data is too short.
std::optional<std::uint32_t> tag_user_data(tag_code group, std::span<const std::byte> data);

// data is in file order.
Json tag_data_to_document(tag_code group, std::span<const std::byte> data, const TagNames& names);

// The data in file order; nothing, with the reasons in errors, when the
// document does not fit the group.
std::optional<std::vector<std::byte>> tag_data_from_document(tag_code group, const Json& document,
                                                             const TagNames& names,
                                                             std::vector<std::string>& errors);

}  // namespace cli
