#include "editor/toolkit/field_conversions.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cfloat>
#include <cmath>
#include <limits>

namespace toolkit {

namespace {

// Every intermediate value is single precision, as the stored formats were designed
// around it; the results of rounding therefore match what the game's tools produced.
// Only the rounding of a shown value to its decimals is done on the value itself.

struct Scale {
    float units;    // stored units per displayed unit
    bool rounds;    // halves away from zero; otherwise truncated toward zero
    bool clamps;    // out-of-range results are clamped rather than refused
};

std::optional<Scale> scale_of(NumberKind kind) {
    switch (kind) {
        case NumberKind::world_distance: return Scale{512.0f, true, false};
        case NumberKind::game_ticks: return Scale{30.0f, true, false};
        case NumberKind::short_fixed: return Scale{256.0f, false, false};
        case NumberKind::fixed: return Scale{65536.0f, false, false};
        case NumberKind::fraction: return Scale{65535.0f, true, true};
        case NumberKind::byte_fraction: return Scale{255.0f, true, true};
        default: return std::nullopt;
    }
}

float power_of_ten(int decimals) {
    float result = 1.0f;
    for (int i = 0; i < decimals; ++i) result *= 10.0f;
    return result;
}

// Beyond this magnitude a float holds no fraction, so rounding to decimals is moot
// (and multiplying by a power of ten could overflow).
constexpr float exact_integer_limit = 16777216.0f;

// The shown value is rounded as it is, not as its product with the power of ten
// rounds in single precision: 655359 / 65536 shows 9.99998, as printing it would.
double round_to_decimals(double value, int decimals) {
    const double factor = power_of_ten(decimals);
    const double scaled = value * factor;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= exact_integer_limit) return value;
    return std::round(scaled) / factor + 0.0;  // + 0 turns -0 into 0
}

std::string format_fixed_point(double value, int decimals) {
    char buffer[512];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                            std::chars_format::fixed, decimals);
    std::string text = error == std::errc{} ? std::string(buffer, end) : std::string("0");
    if (text.size() < 2) text.insert(0, 2 - text.size(), ' ');
    return text;
}

std::string format_general(double value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return error == std::errc{} ? std::string(buffer, end) : std::string("0");
}

constexpr int64_t saturated_integer = int64_t{1} << 60;

std::string_view trim(std::string_view text) {
    const auto is_space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && is_space(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
    return text;
}

// Values too long for 64 bits saturate; every caller refuses or clamps them anyway.
std::optional<int64_t> parse_integer_text(std::string_view text) {
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        value = value > (saturated_integer - digit) / 10 ? saturated_integer : value * 10 + digit;
    }
    return negative ? -value : value;
}

std::optional<double> parse_decimal_text(std::string_view text) {
    text = trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    // from_chars also reads "inf" and "nan", which are not numbers to a form.
    const std::string_view digits = !text.empty() && text.front() == '-' ? text.substr(1) : text;
    if (digits.empty() || !(digits.front() == '.' || (digits.front() >= '0' && digits.front() <= '9')))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value,
                                              std::chars_format::general);
    if (end != text.data() + text.size()) return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return std::fabs(value) < 1.0 ? 0.0 : std::copysign(HUGE_VAL, value);
    if (error != std::errc{}) return std::nullopt;
    return value;
}

ParseResult refused(const NumberFormat& format, int64_t minimum, int64_t maximum) {
    return {ParseStatus::out_of_range, 0, range_message(format, minimum, maximum)};
}

ParseResult not_a_number(const NumberFormat& format) {
    return {ParseStatus::not_a_number, 0,
            std::string(format.is_integer_entry() ? integer_message : number_message)};
}

// Turns a whole-valued float into stored units when it lies in [minimum, maximum].
std::optional<int64_t> to_integer(float value, int64_t minimum, int64_t maximum) {
    const double whole = value;
    if (!(whole >= static_cast<double>(minimum) && whole <= static_cast<double>(maximum)))
        return std::nullopt;
    return static_cast<int64_t>(whole);
}

ParseResult convert_integer(const NumberFormat& format, std::string_view text, int64_t minimum,
                            int64_t maximum) {
    const std::optional<int64_t> entered = parse_integer_text(text);
    if (!entered) return not_a_number(format);
    int64_t value = *entered - format.display_offset;
    if (format.clamp_minimum && value < *format.clamp_minimum) value = *format.clamp_minimum;
    if (format.clamp_maximum && value > *format.clamp_maximum) value = *format.clamp_maximum;
    if (value < minimum || value > maximum) return refused(format, minimum, maximum);
    return {ParseStatus::ok, value, {}};
}

ParseResult convert(const NumberFormat& format, std::string_view text, int64_t minimum,
                    int64_t maximum) {
    if (format.is_integer_entry()) return convert_integer(format, text, minimum, maximum);
    const std::optional<double> parsed = parse_decimal_text(text);
    if (!parsed) return not_a_number(format);
    if (std::fabs(*parsed) > FLT_MAX) return refused(format, minimum, maximum);
    const float entered = static_cast<float>(*parsed);

    switch (format.kind) {
        case NumberKind::real:
            return {ParseStatus::ok, std::bit_cast<uint32_t>(entered), {}};
        case NumberKind::angle: {
            const float turns = std::trunc(entered * 65536.0f / 360.0f);
            float wrapped = std::fmod(turns, 65536.0f);
            if (wrapped < 0) wrapped += 65536.0f;
            return {ParseStatus::ok, static_cast<int64_t>(wrapped), {}};
        }
        case NumberKind::angular_speed: {
            // The game has no backward turning; a negative speed is refused, not made 0.
            const float per_tick = std::trunc(entered * 65536.0f / 10800.0f);
            if (per_tick < 0) return refused(format, 0, 65535);
            return {ParseStatus::ok, static_cast<int64_t>(std::min(per_tick, 65535.0f)), {}};
        }
        default: break;
    }

    const Scale scale = *scale_of(format.kind);
    const float product = entered * scale.units;
    float whole = scale.rounds ? std::round(product) : std::trunc(product);
    if (scale.clamps) whole = std::clamp(whole, 0.0f, scale.units);
    const std::optional<int64_t> stored = to_integer(whole, minimum, maximum);
    if (!stored) return refused(format, minimum, maximum);
    return {ParseStatus::ok, *stored, {}};
}

constexpr int64_t int32_minimum = std::numeric_limits<int32_t>::min();
constexpr int64_t int32_maximum = std::numeric_limits<int32_t>::max();

}  // namespace

int64_t Storage::minimum() const {
    if (!is_signed) return 0;
    return -(int64_t{1} << (8 * width - 1));
}

int64_t Storage::maximum() const {
    if (!is_signed) return (int64_t{1} << (8 * width)) - 1;
    return (int64_t{1} << (8 * width - 1)) - 1;
}

int64_t Storage::wrap(int64_t value) const {
    const int bits = 8 * width;
    const uint64_t mask = bits >= 64 ? ~uint64_t{0} : (uint64_t{1} << bits) - 1;
    const uint64_t low = static_cast<uint64_t>(value) & mask;
    if (is_signed && bits < 64 && (low >> (bits - 1)) != 0) return static_cast<int64_t>(low | ~mask);
    return static_cast<int64_t>(low);
}

NumberFormat integer_format(Storage storage) { return {NumberKind::integer, storage, 0}; }
NumberFormat world_distance_format(uint8_t width) {
    return {NumberKind::world_distance, {width, true}, 3};
}
NumberFormat game_ticks_format(uint8_t width) { return {NumberKind::game_ticks, {width, true}, 3}; }
NumberFormat short_fixed_format() { return {NumberKind::short_fixed, {2, true}, 3}; }
NumberFormat fixed_format(int decimals) { return {NumberKind::fixed, {4, true}, decimals}; }
NumberFormat fraction_format() { return {NumberKind::fraction, {2, false}, 3}; }
NumberFormat byte_fraction_format(uint8_t width) {
    return {NumberKind::byte_fraction, {width, false}, 3};
}
NumberFormat angle_format() { return {NumberKind::angle, {2, false}, 0}; }
NumberFormat angular_speed_format() { return {NumberKind::angular_speed, {2, false}, 0}; }
NumberFormat real_format(int decimals) { return {NumberKind::real, {4, false}, decimals}; }

std::string format_stored(const NumberFormat& format, int64_t stored) {
    switch (format.kind) {
        case NumberKind::integer: {
            const int64_t shown = format.control ? format.control->wrap(stored) : stored;
            return std::to_string(shown + format.display_offset);
        }
        case NumberKind::angle:
            return std::to_string(static_cast<int64_t>(
                std::round(static_cast<float>(stored) * 360.0f / 65536.0f)));
        case NumberKind::angular_speed:
            return std::to_string(static_cast<int64_t>(
                std::round(static_cast<float>(stored) * 10800.0f / 65536.0f)));
        case NumberKind::real: {
            const float value = std::bit_cast<float>(static_cast<uint32_t>(stored));
            if (!std::isfinite(value)) return format_general(value);
            return format_fixed_point(round_to_decimals(value, format.decimals), format.decimals);
        }
        default: break;
    }
    const int64_t value = format.kind == NumberKind::byte_fraction ? (stored & 0xFF) : stored;
    // The exact stored value is rounded: through single precision a large 16.16
    // value would lose its last shown digit.
    const double shown = static_cast<double>(value) / scale_of(format.kind)->units;
    return format_fixed_point(round_to_decimals(shown, format.decimals), format.decimals);
}

std::string widest_shown_text(const NumberFormat& format) {
    if (format.kind == NumberKind::real)
        return "-9999999" + (format.decimals > 0 ? "." + std::string(static_cast<size_t>(format.decimals), '9') : "");
    const std::string lowest = format_stored(format, stored_minimum(format));
    const std::string highest = format_stored(format, stored_maximum(format));
    return lowest.size() >= highest.size() ? lowest : highest;
}

int64_t stored_minimum(const NumberFormat& format) {
    if (format.kind == NumberKind::integer && format.control) return format.control->minimum();
    if (format.kind == NumberKind::real) return 0;
    return format.storage.minimum();
}

int64_t stored_maximum(const NumberFormat& format) {
    if (format.kind == NumberKind::integer && format.control) return format.control->maximum();
    if (format.kind == NumberKind::byte_fraction) return 255;
    if (format.kind == NumberKind::real) return 0xFFFFFFFF;
    return format.storage.maximum();
}

ParseResult parse_stored(const NumberFormat& format, std::string_view text) {
    return convert(format, text, stored_minimum(format), stored_maximum(format));
}

ParseResult parse_unbounded(const NumberFormat& format, std::string_view text,
                            int64_t refusal_minimum, int64_t refusal_maximum) {
    return convert(format, text, std::max(refusal_minimum, int32_minimum),
                   std::min(refusal_maximum, int32_maximum));
}

std::string range_message(const NumberFormat& format, int64_t minimum, int64_t maximum) {
    if (format.kind == NumberKind::integer) {
        return "Please enter an integer between " + std::to_string(minimum + format.display_offset) +
               " and " + std::to_string(maximum + format.display_offset) + ".";
    }
    if (format.kind == NumberKind::real) {
        return "Please enter a number between " + format_general(-FLT_MAX) + " and " +
               format_general(FLT_MAX) + ".";
    }
    const std::optional<Scale> scale = scale_of(format.kind);
    const float units = format.kind == NumberKind::angular_speed ? 65536.0f / 10800.0f : scale ? scale->units : 1.0f;
    const float factor = power_of_ten(format.decimals);
    const auto bound = [&](int64_t stored, bool is_lower) {
        const double shown = static_cast<double>(stored) / units * factor;
        // Inward, and a hair inside so that a bound which is itself a multiple is kept.
        const double whole = is_lower ? std::ceil(shown - 1e-9) : std::floor(shown + 1e-9);
        const std::string text = format_fixed_point(whole / factor + 0.0, format.decimals);
        return text.substr(text.find_first_not_of(' '));
    };
    return "Please enter a number between " + bound(minimum, true) + " and " +
           bound(maximum, false) + ".";
}

int64_t range_upper(int64_t lower, int64_t delta) { return delta == 0 ? lower : lower + delta - 1; }

DeltaResult range_delta(int64_t lower, int64_t upper, Storage delta_storage) {
    if (upper == lower) return {true, 0, 0, 0};
    const int64_t delta = upper - lower + 1;
    if (delta_storage.holds(delta)) return {true, delta, 0, 0};
    return {false, 0, lower + delta_storage.minimum() - 1, lower + delta_storage.maximum() - 1};
}

}  // namespace toolkit
