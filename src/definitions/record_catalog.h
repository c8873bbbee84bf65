#pragma once

// Every record and sub-record layout of the group definitions, for tools that
// walk them all (exporters, layout checks).

#include <span>
#include <string_view>

#include "definitions/field_description.h"

namespace definitions {

std::span<const RecordDescription* const> all_record_descriptions();

// The description with that name, or nullptr.
const RecordDescription* find_record_description(std::string_view name);

}  // namespace definitions
