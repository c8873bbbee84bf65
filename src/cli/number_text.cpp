#include "cli/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace cli {

namespace {

using wide = unsigned __int128;

constexpr int maximum_significant_digits = 20;
// Beyond this many decimal places a value rounds to 0 in every unit used here.
constexpr int maximum_fraction_places = 30;
constexpr std::int64_t maximum_magnitude = std::int64_t{1} << 62;

wide power_of_ten(int exponent) {
    wide result = 1;
    for (int index = 0; index < exponent; ++index) result *= 10;
    return result;
}

// A decimal number split into sign, significant digits and a power of ten.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading or trailing zeros; empty for zero
    long exponent = 0;
};

std::optional<Decimal> split_decimal(std::string_view text) {
    Decimal decimal;
    std::size_t at = 0;
    if (at < text.size() && text[at] == '-') {
        decimal.negative = true;
        ++at;
    }
    const auto is_digit = [&](std::size_t index) {
        return index < text.size() && text[index] >= '0' && text[index] <= '9';
    };
    if (!is_digit(at)) return std::nullopt;
    if (text[at] == '0' && is_digit(at + 1)) return std::nullopt;
    std::string digits;
    while (is_digit(at)) digits += text[at++];
    long fraction_length = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        if (!is_digit(at)) return std::nullopt;
        while (is_digit(at)) {
            digits += text[at++];
            ++fraction_length;
        }
    }
    long exponent = 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool exponent_negative = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) exponent_negative = text[at++] == '-';
        if (!is_digit(at)) return std::nullopt;
        while (is_digit(at)) exponent = std::min(exponent * 10 + (text[at++] - '0'), 1000000L);
        if (exponent_negative) exponent = -exponent;
    }
    if (at != text.size()) return std::nullopt;
    decimal.exponent = exponent - fraction_length;
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) return decimal;
    const std::size_t last = digits.find_last_not_of('0');
    decimal.exponent += static_cast<long>(digits.size() - 1 - last);
    decimal.digits = digits.substr(first, last - first + 1);
    return decimal;
}

// round(mantissa × 10^exponent × denominator / numerator) for mantissa below 10^20.
ParsedNumber round_to_stored(wide mantissa, long digit_count, long exponent, Scale scale) {
    wide value_numerator = 0;
    wide value_denominator = 0;
    if (mantissa == 0) return {};
    if (exponent >= 0) {
        if (digit_count + exponent > maximum_significant_digits + 1) return {NumberStatus::out_of_range, 0};
        value_numerator = mantissa * power_of_ten(static_cast<int>(exponent)) * wide(scale.denominator);
        value_denominator = wide(scale.numerator);
    } else {
        if (-exponent > maximum_fraction_places) return {};
        value_numerator = mantissa * wide(scale.denominator);
        value_denominator = wide(scale.numerator) * power_of_ten(static_cast<int>(-exponent));
    }
    const wide rounded = (2 * value_numerator + value_denominator) / (2 * value_denominator);
    if (rounded > wide(maximum_magnitude)) return {NumberStatus::out_of_range, 0};
    return {NumberStatus::ok, static_cast<std::int64_t>(rounded)};
}

std::string wide_to_text(wide value) {
    std::string text;
    do {
        text += static_cast<char>('0' + static_cast<int>(value % 10));
        value /= 10;
    } while (value != 0);
    std::reverse(text.begin(), text.end());
    return text;
}

}  // namespace

std::string format_scaled(std::int64_t stored, Scale scale) {
    const wide magnitude = stored < 0 ? wide(-(stored + 1)) + 1 : wide(stored);
    std::string text;
    for (int places = 0;; ++places) {
        const wide shifted = magnitude * wide(scale.numerator) * power_of_ten(places);
        const wide rounded = (2 * shifted + wide(scale.denominator)) / (2 * wide(scale.denominator));
        const std::string digits = wide_to_text(rounded);
        const ParsedNumber back = round_to_stored(rounded, static_cast<long>(digits.size()), -places, scale);
        if (wide(back.stored) != magnitude && places < maximum_significant_digits) continue;
        if (places == 0) {
            text = digits;
        } else {
            const std::size_t width = static_cast<std::size_t>(places) + 1;
            const std::string padded = std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
            text = padded.substr(0, padded.size() - static_cast<std::size_t>(places)) + "." +
                   padded.substr(padded.size() - static_cast<std::size_t>(places));
        }
        break;
    }
    return stored < 0 ? "-" + text : text;
}

ParsedNumber parse_scaled(std::string_view text, Scale scale) {
    const std::optional<Decimal> decimal = split_decimal(text);
    if (!decimal) return {NumberStatus::not_a_number, 0};
    if (decimal->digits.size() > maximum_significant_digits) return {NumberStatus::too_many_digits, 0};
    wide mantissa = 0;
    for (const char digit : decimal->digits) mantissa = mantissa * 10 + wide(digit - '0');
    ParsedNumber result =
        round_to_stored(mantissa, static_cast<long>(decimal->digits.size()), decimal->exponent, scale);
    if (decimal->negative) result.stored = -result.stored;
    return result;
}

bool is_whole_number(std::string_view text) {
    const std::optional<Decimal> decimal = split_decimal(text);
    return decimal && (decimal->digits.empty() || decimal->exponent >= 0);
}

std::string format_float(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // JSON has no "1e+20" plus sign and no bare "inf"; to_chars gives finite values here.
    text.erase(std::remove(text.begin(), text.end(), '+'), text.end());
    return text;
}

std::optional<float> parse_float(std::string_view text) {
    if (!split_decimal(text)) return std::nullopt;
    float value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace cli
