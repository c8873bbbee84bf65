#include "cli/tag_document.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "cli/hex_text.h"
#include "cli/utf8_text.h"
#include "core/byte_swap.h"
#include "definitions/group_registry.h"
#include "definitions/local_physics_definitions.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

bool group_matches(tag_code group, const Json* value) {
    if (!value || !value->is_string()) return false;
    const std::string& text = value->get_ref<const std::string&>();
    if (text == code_to_json_text(group)) return true;
    return same_ignoring_case(text, tag_group_get_folder_name(group));
}

std::optional<std::vector<std::byte>> hex_member(const Json& document, const char* key,
                                                 std::vector<std::string>& errors) {
    const Json* value = find_member(document, key);
    std::optional<std::vector<std::byte>> bytes;
    if (value && value->is_string()) bytes = from_hex(value->get_ref<const std::string&>());
    if (!bytes) errors.push_back(std::string(key) + ": expected a string of hexadecimal digit pairs");
    return bytes;
}

bool only_members(const Json& document, std::initializer_list<std::string_view> allowed,
                  std::vector<std::string>& errors) {
    bool good = true;
    for (const auto& [key, value] : document.items()) {
        if (std::ranges::find(allowed, key) == allowed.end()) {
            errors.push_back(key + ": not a member of a tag document");
            good = false;
        }
    }
    return good;
}

// The parameter block of a local physics record is laid out by the record's type:
// documents give its fields by that type, and its bytes for a type outside the six
// models. The record is in host order.
constexpr tag_code local_physics_group = make_tag("phys");
constexpr std::size_t parameters_offset = offsetof(definitions::local_physics_definition, parameters);
constexpr std::size_t parameters_size = sizeof(definitions::local_physics_parameters);

const definitions::RecordDescription* parameters_layout(tag_code group, std::span<const std::byte> record) {
    if (group != local_physics_group || record.size() < sizeof(definitions::local_physics_definition)) return nullptr;
    definitions::local_physics_definition physics;
    std::memcpy(&physics, record.data(), sizeof physics);
    return definitions::local_physics_parameters_description(physics.type);
}

Json record_fields_to_json(tag_code group, const definitions::RecordDescription& description,
                                  std::span<const std::byte> record, const TagNames& names) {
    Json fields = record_to_json(description, record, names);
    const definitions::RecordDescription* layout = parameters_layout(group, record);
    if (!layout) return fields;
    fields["parameters"] = record_to_json(*layout, record.subspan(parameters_offset, parameters_size), names);
    return fields;
}

// Fields whose block is given by its fields are read in two steps: the record with an
// empty block, then the block by the type just read.
void record_fields_from_json(tag_code group, const definitions::RecordDescription& description,
                             const Json& fields, std::span<std::byte> record, const TagNames& names,
                             std::vector<std::string>& errors) {
    const Json* block = find_member(fields, "parameters");
    if (group != local_physics_group || !block || !block->is_object()) {
        record_from_json(description, fields, record, names, errors);
        return;
    }
    Json members = fields;
    members["parameters"] = "";
    if (!record_from_json(description, members, record, names, errors)) return;
    const definitions::RecordDescription* layout = parameters_layout(group, record);
    if (!layout) {
        errors.push_back("parameters: the type has no parameter fields; give the block's bytes in hexadecimal");
        return;
    }
    std::vector<std::string> block_errors;
    record_from_json(*layout, *block, record.subspan(parameters_offset, parameters_size), names, block_errors);
    for (const std::string& error : block_errors) errors.push_back("parameters." + error);
}

}  // namespace

const definitions::RecordDescription* tag_record_description(tag_code group) {
    const definitions::TagGroupEntry* row = definitions::find_group(group);
    return row ? row->description : nullptr;
}

void convert_tag_record(tag_code group, std::span<std::byte> data, ByteOrder to) {
    const definitions::TagGroupEntry* row = definitions::find_group(group);
    if (!row || !row->description || data.size() < row->description->size) return;
    if (!row->byte_swap_codes.empty() && row->definition_size == row->description->size) {
        if (to == ByteOrder::host) {
            definitions::record_to_host_order(*row, data.data());
        } else {
            definitions::record_to_file_order(*row, data.data());
        }
    } else if (!row->description->codes.empty()) {
        byte_swap_data(row->description->name, data.data(), static_cast<int32_t>(row->description->size), 1,
                       row->description->codes);
    }
}

std::optional<std::uint32_t> tag_user_data(tag_code group, std::span<const std::byte> data) {
    const definitions::TagGroupEntry* row = definitions::find_group(group);
    if (!row || !row->get_user_data || !row->description || data.size() < row->description->size) {
        return std::nullopt;
    }
    std::vector<std::byte> record(data.begin(), data.begin() + row->description->size);
    convert_tag_record(group, record, ByteOrder::host);
    return static_cast<std::uint32_t>(row->get_user_data(record.data()));
}

Json tag_data_to_document(tag_code group, std::span<const std::byte> data, const TagNames& names) {
    Json document = {{"group", code_to_json_text(group)}};
    const definitions::RecordDescription* description = tag_record_description(group);
    if (!description || data.size() < description->size) {
        document["data"] = to_hex(data);
        return document;
    }
    std::vector<std::byte> record(data.begin(), data.begin() + description->size);
    convert_tag_record(group, record, ByteOrder::host);
    document["record"] = description->name;
    document["fields"] = record_fields_to_json(group, *description, record, names);
    if (data.size() > description->size) document["trailing_data"] = to_hex(data.subspan(description->size));
    return document;
}

std::optional<std::vector<std::byte>> tag_data_from_document(tag_code group, const Json& document,
                                                             const TagNames& names,
                                                             std::vector<std::string>& errors) {
    if (!document.is_object()) {
        errors.push_back(std::string("expected a tag document (an object), found ") + document.type_name());
        return std::nullopt;
    }
    const std::size_t errors_before = errors.size();
    if (!group_matches(group, find_member(document, "group"))) {
        errors.push_back("group: the document must name the group \"" + code_to_json_text(group) + "\"");
    }
    if (document.contains("data")) {
        only_members(document, {"group", "data"}, errors);
        std::optional<std::vector<std::byte>> data = hex_member(document, "data", errors);
        if (errors.size() != errors_before) return std::nullopt;
        return data;
    }
    const definitions::RecordDescription* description = tag_record_description(group);
    if (!description) {
        errors.push_back("data: the group has no field description, so the document must give \"data\"");
        return std::nullopt;
    }
    only_members(document, {"group", "record", "fields", "trailing_data"}, errors);
    const Json* record_name = find_member(document, "record");
    if (!record_name || !record_name->is_string() || record_name->get_ref<const std::string&>() != description->name) {
        errors.push_back(std::string("record: the document must name the record \"") + description->name + "\"");
    }
    std::vector<std::byte> data(description->size);
    const Json* fields = find_member(document, "fields");
    if (!fields) {
        errors.push_back("fields: missing");
    } else {
        std::vector<std::string> field_errors;
        record_fields_from_json(group, *description, *fields, data, names, field_errors);
        for (const std::string& error : field_errors) errors.push_back("fields." + error);
    }
    if (document.contains("trailing_data")) {
        if (const std::optional<std::vector<std::byte>> trailing = hex_member(document, "trailing_data", errors)) {
            data.insert(data.end(), trailing->begin(), trailing->end());
        }
    }
    if (errors.size() != errors_before) return std::nullopt;
    convert_tag_record(group, data, ByteOrder::file);
    return data;
}

}  // namespace cli
