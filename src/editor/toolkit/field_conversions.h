#pragma once

// Text <-> stored value conversions of every numeric field kind the forms edit.
// Pure functions without Qt so that every rounding rule is testable on its own.
//
// A stored value travels as int64_t: sign-extended for signed fields, zero-extended
// for unsigned ones, and the raw bit pattern for single-precision float fields.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace toolkit {

inline constexpr std::string_view number_message = "Please enter a number.";
inline constexpr std::string_view integer_message = "Please enter an integer.";

enum class NumberKind : uint8_t {
    integer,         // plain count
    world_distance,  // 1/512 world unit, 3 decimals, rounded
    game_ticks,      // 1/30 second, shown in seconds, 3 decimals, rounded
    short_fixed,     // 8.8, 3 decimals, truncated
    fixed,           // 16.16, `decimals` decimals, truncated
    fraction,        // 65535 = 1.0, 3 decimals, rounded and clamped
    byte_fraction,   // 255 = 1.0 in the low byte, 3 decimals, rounded and clamped
    angle,           // 65536 = full turn, whole degrees
    angular_speed,   // 65536 = full turn per tick, whole degrees per second
    real,            // IEEE single precision, `decimals` decimals shown, saved as parsed
};

// Width and signedness of a stored integer.
struct Storage {
    uint8_t width = 2;  // bytes: 1, 2 or 4
    bool is_signed = true;

    int64_t minimum() const;
    int64_t maximum() const;
    bool holds(int64_t value) const { return value >= minimum() && value <= maximum(); }
    // `value` reduced to this width and extended back (what a store then a load gives).
    int64_t wrap(int64_t value) const;
};

struct NumberFormat {
    NumberKind kind = NumberKind::integer;
    Storage storage;
    int decimals = 3;
    // Integers only: a narrower control through which a wider field is exchanged (the
    // control shows the low bits, an entered value must fit it and is stored extended).
    std::optional<Storage> control = std::nullopt;
    // Integers only: shown as stored + display_offset, entered - display_offset stored.
    int32_t display_offset = 0;
    // Integers only: an entered value outside [clamp_minimum, clamp_maximum] (stored
    // units) is clamped into it instead of being refused.
    std::optional<int64_t> clamp_minimum = std::nullopt;
    std::optional<int64_t> clamp_maximum = std::nullopt;

    bool is_integer_entry() const { return kind == NumberKind::integer; }
};

// Field kinds by name, with their stored widths.
NumberFormat integer_format(Storage storage);
NumberFormat world_distance_format(uint8_t width = 2);
NumberFormat game_ticks_format(uint8_t width = 2);
NumberFormat short_fixed_format();
NumberFormat fixed_format(int decimals = 5);
NumberFormat fraction_format();
NumberFormat byte_fraction_format(uint8_t width = 1);
NumberFormat angle_format();
NumberFormat angular_speed_format();
NumberFormat real_format(int decimals);

// The text shown for a stored value.
std::string format_stored(const NumberFormat& format, int64_t stored);

// The longest text the format shows: that of a bound of its range, or for a real
// number seven digits, a sign and its decimals.
std::string widest_shown_text(const NumberFormat& format);

enum class ParseStatus : uint8_t {
    ok,
    not_a_number,  // text that does not parse; message is the standard parse message
    out_of_range,  // parsed, but the converted value does not fit the field
};

struct ParseResult {
    ParseStatus status = ParseStatus::ok;
    int64_t stored = 0;
    std::string message;  // empty when ok

    bool ok() const { return status == ParseStatus::ok; }
};

// Converts entered text to the stored value and checks that it fits the field.
ParseResult parse_stored(const NumberFormat& format, std::string_view text);

// Converts entered text to stored units without the storage check: the upper bound of
// a range is never stored itself, only the delta it gives. Clamping kinds still clamp;
// values beyond the 32-bit range are refused with `refusal_minimum..refusal_maximum`.
ParseResult parse_unbounded(const NumberFormat& format, std::string_view text,
                            int64_t refusal_minimum, int64_t refusal_maximum);

// "Please enter a number between A and B." with A and B the stored bounds shown in the
// field's units, rounded inward so that every value inside the stated bounds is taken.
std::string range_message(const NumberFormat& format, int64_t minimum, int64_t maximum);

// Bounds (stored units) of what parse_stored accepts.
int64_t stored_minimum(const NumberFormat& format);
int64_t stored_maximum(const NumberFormat& format);

// Value ranges: two fields, lower and delta, where delta counts the values of the
// inclusive range and 0 means a single value.
int64_t range_upper(int64_t lower, int64_t delta);

struct DeltaResult {
    bool ok = true;
    int64_t delta = 0;
    int64_t upper_minimum = 0;  // when not ok: the uppers that give a storable delta
    int64_t upper_maximum = 0;
};
DeltaResult range_delta(int64_t lower, int64_t upper, Storage delta_storage);

}  // namespace toolkit
