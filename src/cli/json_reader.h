#pragma once

// Reads JSON text, which comes from users and scripts and is treated as
// untrusted: the text must be valid UTF-8, nesting is limited, object keys must
// be unique, and every failure names its line and column.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cli/json_value.h"

namespace cli::json {

inline constexpr int maximum_nesting = 64;

struct ReadResult {
    std::optional<Value> value;
    std::string error;  // "line L, column C: ..." when value is empty
};

// One value, optionally surrounded by white space, and nothing else.
ReadResult read(std::string_view text);

}  // namespace cli::json
