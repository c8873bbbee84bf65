#pragma once

// Exact conversions between stored integers and the decimal numbers JSON shows
// for them. A field kind's unit is a ratio: shown = stored × numerator /
// denominator (1/512 world unit, 1/30 second, 360/65536 degree, ...). Text is
// turned back by rounding to the nearest stored value (halves away from zero),
// and a stored value is written as the shortest decimal that turns back into it,
// so a written document always reads back to the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

struct Scale {
    std::int64_t numerator = 1;    // positive
    std::int64_t denominator = 1;  // positive
};

std::string format_scaled(std::int64_t stored, Scale scale);

enum class NumberStatus {
    ok,
    not_a_number,     // not JSON number syntax
    too_many_digits,  // more than 20 significant digits
    out_of_range,     // far beyond any stored width
};

struct ParsedNumber {
    NumberStatus status = NumberStatus::ok;
    std::int64_t stored = 0;
};

ParsedNumber parse_scaled(std::string_view text, Scale scale);

// Whether JSON number text denotes a whole number (after its exponent).
bool is_whole_number(std::string_view text);

// Single precision: the shortest text that reads back to the same value (for
// normal numbers and zeros), and the value nearest to a JSON number, nothing
// when it is beyond the float range.
std::string format_float(float value);
std::optional<float> parse_float(std::string_view text);

}  // namespace cli
