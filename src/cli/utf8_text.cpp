#include "cli/utf8_text.h"

#include <algorithm>
#include <cctype>

namespace cli {

void append_utf8(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

std::string bytes_to_text(std::string_view bytes) {
    std::string text;
    for (const char byte : bytes) append_utf8(text, static_cast<unsigned char>(byte));
    return text;
}

std::optional<std::string> text_to_bytes(std::string_view text) {
    std::string bytes;
    for (const char32_t point : decode_utf8(text)) {
        if (point > 0xFF) return std::nullopt;
        bytes += static_cast<char>(point);
    }
    return bytes;
}

bool same_ignoring_case(std::string_view first, std::string_view second) {
    return std::ranges::equal(first, second, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace cli
