#include "cli/json_writer.h"

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
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
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

void append_value(std::string& out, const Value& value, int indent, bool pretty) {
    const auto new_line = [&](int depth) {
        if (!pretty) return;
        out += '\n';
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
    };
    if (value.is_null()) {
        out += "null";
    } else if (value.is_bool()) {
        out += value.as_bool() ? "true" : "false";
    } else if (value.is_number()) {
        out += value.as_number().text;
    } else if (value.is_string()) {
        append_string(out, value.as_string());
    } else if (value.is_array()) {
        const Array& array = value.as_array();
        out += '[';
        for (std::size_t index = 0; index < array.size(); ++index) {
            if (index > 0) out += pretty ? "," : ", ";
            new_line(indent + 1);
            append_value(out, array[index], indent + 1, pretty);
        }
        if (!array.empty()) new_line(indent);
        out += ']';
    } else {
        const Object& object = value.as_object();
        out += '{';
        bool first = true;
        for (const auto& [key, member] : object.members()) {
            if (!first) out += pretty ? "," : ", ";
            first = false;
            new_line(indent + 1);
            append_string(out, key);
            out += ": ";
            append_value(out, member, indent + 1, pretty);
        }
        if (!object.empty()) new_line(indent);
        out += '}';
    }
}

}  // namespace

std::string write_pretty(const Value& value) {
    std::string out;
    append_value(out, value, 0, true);
    return out;
}

std::string write_compact(const Value& value) {
    std::string out;
    append_value(out, value, 0, false);
    return out;
}

}  // namespace cli::json
