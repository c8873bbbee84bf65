#pragma once

// Prints JSON values deterministically: members in key order (as the object
// keeps them), two-space indentation, and ASCII only, every other character
// written as a \u escape, so output diffs cleanly whatever the terminal.

#include <string>

#include "cli/json_value.h"

namespace cli::json {

// Indented over several lines, ending without a newline.
std::string write_pretty(const Value& value);
// On one line, for values quoted inside messages and diff lines.
std::string write_compact(const Value& value);

}  // namespace cli::json
