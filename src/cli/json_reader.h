#pragma once

// Reads JSON text, which comes from users and scripts and is treated as
// untrusted, with nlohmann::json's parser: the text must be valid UTF-8,
// nesting is limited, object keys must be unique, and every failure names its
// line and column in the tool's own words. Nothing here throws on bad text.

#include <optional>
#include <string>
#include <string_view>

#include "cli/json.h"

namespace cli::json {

inline constexpr int maximum_nesting = 64;

struct ReadResult {
    std::optional<Json> value;
    std::string error;  // "line L, column C: ..." when value is empty
};

// One value, optionally surrounded by white space, and nothing else.
ReadResult read(std::string_view text);

}  // namespace cli::json
