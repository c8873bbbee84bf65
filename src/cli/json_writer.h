#pragma once

// Prints JSON values deterministically: members in key order (as the object
// keeps them), two-space indentation, and ASCII only, every other character
// written as a \u escape, so output diffs cleanly whatever the terminal.
// Numbers that are not integers are the shortest decimal that reads back to the
// same double, in plain decimal notation like the fields' units show them, and
// in exponent notation only where that is shorter and the number is whole or
// below 0.00001.

#include <string>

#include "cli/json.h"

namespace cli::json {

// Indented over several lines, ending without a newline.
std::string write_pretty(const Json& value);
// On one line, for values quoted inside messages and diff lines.
std::string write_compact(const Json& value);

// A number as the writer prints it.
std::string number_text(const Json& number);

}  // namespace cli::json
