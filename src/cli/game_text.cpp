#include "cli/game_text.h"

#include <cstdint>
#include <cstdio>

#include "cli/utf8_text.h"
#include "core/character_translation.h"
#include "media/string_definitions.h"

namespace cli {

namespace {

constexpr char32_t byte_order_mark = 0xFEFF;
// The rare LF byte of a tag is no line end in the game; it travels as LINE
// SEPARATOR so that every line-end convention of the text can mean CR.
constexpr char32_t lf_byte_point = 0x2028;

// The code point starting at text[at] and its length; nothing when the bytes
// there are not a well-formed UTF-8 sequence.
std::optional<std::pair<char32_t, std::size_t>> next_point(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return std::pair<char32_t, std::size_t>{lead, 1};
    std::size_t length = 0;
    char32_t point = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size()) return std::nullopt;
    for (std::size_t index = 1; index < length; ++index) {
        const auto next = static_cast<unsigned char>(text[at + index]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        point = point << 6 | (next & 0x3F);
    }
    if (point < smallest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
    return std::pair<char32_t, std::size_t>{point, length};
}

std::optional<unsigned char> game_byte(char32_t point) {
    if (point == '\n' || point == '\r') return '\r';
    if (point == lf_byte_point) return '\n';
    return game_character_of(point);
}

std::string where(std::size_t line, std::size_t column) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string code_point_text(char32_t point) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(point));
    return text;
}

}  // namespace

ExportedText game_text_to_utf8(std::string_view data) {
    ExportedText exported;
    exported.text.reserve(data.size());
    for (std::size_t at = 0; at < data.size(); ++at) {
        const auto byte = static_cast<unsigned char>(data[at]);
        if (byte == '\r') {
            exported.text += '\n';
            continue;
        }
        if (byte == '\n') {
            append_utf8(exported.text, lf_byte_point);
            continue;
        }
        const unsigned char shown = to_display_character(byte);
        if (shown == '?' && byte != '?') {
            if (exported.unshown++ == 0) exported.first_unshown = at;
        }
        append_utf8(exported.text, windows_1252_unicode(shown));
    }
    return exported;
}

ImportedText utf8_to_game_text(std::string_view text) {
    std::string data;
    data.reserve(text.size());
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t at = 0; at < text.size();) {
        const auto point = next_point(text, at);
        if (!point) return {std::nullopt, where(line, column) + ": not UTF-8 text"};
        const auto [character, length] = *point;
        at += length;
        if (character == byte_order_mark && at == length) continue;
        if (character == '\r' && at < text.size() && text[at] == '\n') continue;
        const std::optional<unsigned char> byte = game_byte(character);
        if (!byte) {
            std::string shown;
            append_utf8(shown, character);
            return {std::nullopt, where(line, column) + ": the character " + code_point_text(character) + " '" +
                                      shown + "' has no equivalent in the game's character set"};
        }
        data += static_cast<char>(*byte);
        if (character == '\n' || character == '\r') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return {std::move(data), {}};
}

bool is_text_group(std::uint32_t group) {
    return group == string_list_group || group == template_group || group == text_group;
}

}  // namespace cli
