#pragma once

// A record as JSON, through its field description: every field becomes one
// member named after it. Numbers are shown in their field kind's unit,
// enumerations and flag bits by name, references by the name of the tag they
// point to, texts as strings. The mapping is exact both ways: a value the
// names cannot express (an unnamed enumeration value or flag bit, a reference
// to a tag that is not there, a float that is not a normal number) is written
// in a form that keeps its stored bits, so export followed by import gives
// back the same bytes.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json.h"
#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace cli {

// The tags a reference may name.
class TagNames {
public:
    virtual ~TagNames() = default;
    // The name of the tag of the group with that subgroup, if there is one.
    virtual std::optional<std::string> name_of(tag_code group, tag_code subgroup) const = 0;
    // The subgroup of the tag of the group with that name (ignoring case), if any.
    virtual std::optional<tag_code> subgroup_of(tag_code group, std::string_view name) const = 0;
};

// Knows no tags: references are written as codes.
class NoTagNames final : public TagNames {
public:
    std::optional<std::string> name_of(tag_code, tag_code) const override { return std::nullopt; }
    std::optional<tag_code> subgroup_of(tag_code, std::string_view) const override { return std::nullopt; }
};

// record holds description.size bytes in host order.
Json record_to_json(const definitions::RecordDescription& description, std::span<const std::byte> record,
                           const TagNames& names);

// Writes every field of the object into record (description.size bytes, host
// order). Every member must name a field and every field must be given; each
// problem adds "path: message" to errors. False when there was any.
bool record_from_json(const definitions::RecordDescription& description, const Json& fields,
                      std::span<std::byte> record, const TagNames& names, std::vector<std::string>& errors);

// A code as JSON text of four characters (each byte its own code point).
std::string code_to_json_text(tag_code code);

}  // namespace cli
