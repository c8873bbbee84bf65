#pragma once

// Reading other tags for pickers and filters. Any failure (no such tag, a short or
// unreadable tag, an implausible size) counts as "not present".

#include "core/tag_code.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace toolkit {

inline constexpr tag_code collection_group = make_tag(".256");
inline constexpr tag_code collection_reference_group = make_tag("core");

// The record of a tag of a group with a default record, in host order: nothing when
// the tag is missing, unreadable or shorter than the record.
std::optional<std::vector<std::byte>> read_record(tag_code group, tag_code subgroup);

// The collection subgroup a `core` tag names (its record's first field).
std::optional<tag_code> collection_of_reference(tag_code core_subgroup);

// The names of a collection's sequences, in order.
std::optional<std::vector<std::string>> sequence_names_of_collection(tag_code collection_subgroup);

// While one lives, each collection is read once: a form whose pickers all list the
// same collection reads it once per exchange rather than once per picker.
class SequenceNamesScope {
public:
    SequenceNamesScope();
    ~SequenceNamesScope();
    SequenceNamesScope(const SequenceNamesScope&) = delete;
    SequenceNamesScope& operator=(const SequenceNamesScope&) = delete;
};

}  // namespace toolkit
