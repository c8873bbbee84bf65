#include "cli/json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "cli/utf8_text.h"

namespace cli::json {

namespace {

void append_escape(std::string& out, std::uint32_t unit) {
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(unit));
    out += escape;
}

void append_string(std::string& out, const std::string& text) {
    out += '"';
    for (const char32_t point : decode_utf8(text)) {
        switch (point) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                if (point >= 0x20 && point < 0x7F) {
                    out += static_cast<char>(point);
                } else if (point < 0x10000) {
                    append_escape(out, point);
                } else {
                    const std::uint32_t offset = point - 0x10000;
                    append_escape(out, 0xD800 + (offset >> 10));
                    append_escape(out, 0xDC00 + (offset & 0x3FF));
                }
        }
    }
    out += '"';
}

std::string double_text(double value) {
    char text[400];
    const double magnitude = std::fabs(value);
    const bool plain = magnitude != std::floor(magnitude) && magnitude >= 1e-5;
    const auto result = plain ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
                              : std::to_chars(text, text + sizeof text, value);
    std::string written(text, result.ptr);
    // "1e20" rather than "1e+20", as the tool has always written exponents.
    std::erase(written, '+');
    return written;
}

void append_value(std::string& out, const Json& value, int indent, bool pretty) {
    const auto new_line = [&](int depth) {
        if (!pretty) return;
        out += '\n';
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
    };
    switch (value.type()) {
        case Json::value_t::null:
            out += "null";
            break;
        case Json::value_t::boolean:
            out += value.get<bool>() ? "true" : "false";
            break;
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float:
            out += number_text(value);
            break;
        case Json::value_t::string:
            append_string(out, value.get_ref<const std::string&>());
            break;
        case Json::value_t::array: {
            out += '[';
            bool first = true;
            for (const Json& element : value) {
                if (!first) out += pretty ? "," : ", ";
                first = false;
                new_line(indent + 1);
                append_value(out, element, indent + 1, pretty);
            }
            if (!value.empty()) new_line(indent);
            out += ']';
            break;
        }
        case Json::value_t::object: {
            out += '{';
            bool first = true;
            for (const auto& [key, member] : value.items()) {
                if (!first) out += pretty ? "," : ", ";
                first = false;
                new_line(indent + 1);
                append_string(out, key);
                out += ": ";
                append_value(out, member, indent + 1, pretty);
            }
            if (!value.empty()) new_line(indent);
            out += '}';
            break;
        }
        default:
            out += "null";  // binary and discarded values: never built by the tool
    }
}

}  // namespace

std::string number_text(const Json& number) {
    if (number.is_number_unsigned()) return std::to_string(number.get<std::uint64_t>());
    if (number.is_number_integer()) return std::to_string(number.get<std::int64_t>());
    return double_text(number.get<double>());
}

std::string write_pretty(const Json& value) {
    std::string out;
    append_value(out, value, 0, true);
    return out;
}

std::string write_compact(const Json& value) {
    std::string out;
    append_value(out, value, 0, false);
    return out;
}

}  // namespace cli::json
