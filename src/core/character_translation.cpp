#include "core/character_translation.h"

#include <array>
#include <cstdint>

namespace {

// Unicode of Mac OS Roman bytes 128 to 255 (0xDB as the currency sign).
constexpr std::array<char16_t, 128> mac_roman_upper = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3,
    0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3,
    0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA,
    0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB,
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D,
    0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044, 0x00A4, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE,
    0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

// Unicode of Windows-1252 bytes 128 to 159 (0: no character); 160 to 255 are
// the same numbers in Unicode.
constexpr std::array<char16_t, 32> windows_1252_c1 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

constexpr unsigned char windows_1252_byte_of(char16_t unicode) {
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF)) return static_cast<unsigned char>(unicode);
    for (int index = 0; index < 32; ++index) {
        if (windows_1252_c1[index] == unicode) return static_cast<unsigned char>(0x80 + index);
    }
    return '?';
}

// 202 is the Mac no-break space, which the controls are not given.
constexpr unsigned char mac_no_break_space = 202;

constexpr std::array<unsigned char, 256> build_display_table() {
    std::array<unsigned char, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        if (byte < 32) {
            table[byte] = byte == '\t' || byte == '\n' || byte == '\r' ? byte : '?';
        } else if (byte < 128) {
            table[byte] = static_cast<unsigned char>(byte);
        } else if (byte == mac_no_break_space) {
            table[byte] = '?';
        } else {
            table[byte] = windows_1252_byte_of(mac_roman_upper[byte - 128]);
        }
    }
    return table;
}

constexpr std::array<unsigned char, 256> display_table = build_display_table();

}  // namespace

unsigned char to_display_character(unsigned char game_character) {
    return display_table[game_character];
}

unsigned char from_display_character(unsigned char display_character) {
    if (display_character == '?') return '?';
    for (int byte = 0; byte < 256; ++byte) {
        if (display_table[byte] == display_character) return static_cast<unsigned char>(byte);
    }
    return '?';
}

bool game_character_is_shown(unsigned char game_character) {
    return game_character < 128 || display_table[game_character] != '?';
}

std::optional<unsigned char> game_character_of(char32_t unicode) {
    if (unicode == '?') return '?';
    if (unicode > 0xFFFF) return std::nullopt;
    const unsigned char shown = windows_1252_byte(static_cast<char16_t>(unicode));
    // '?' stands for every character Windows-1252 lacks.
    if (shown == '?') return std::nullopt;
    const unsigned char game = from_display_character(shown);
    // Only a game byte that shows as this character stands for it.
    if (to_display_character(game) != shown) return std::nullopt;
    return game;
}

char16_t windows_1252_unicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return windows_1252_c1[byte - 0x80];
    return byte;
}

unsigned char windows_1252_byte(char16_t unicode) {
    return windows_1252_byte_of(unicode);
}

std::string game_text_to_display(std::string_view game_text) {
    std::string shown;
    shown.reserve(game_text.size() + game_text.size() / 16);
    for (const char byte : game_text) {
        shown.push_back(static_cast<char>(to_display_character(static_cast<unsigned char>(byte))));
        if (byte == '\r') shown.push_back('\n');
    }
    return shown;
}

std::string display_text_to_game(std::string_view display_text) {
    std::string game_text;
    game_text.reserve(display_text.size());
    for (const char byte : display_text) {
        if (byte == '\n') continue;
        game_text.push_back(static_cast<char>(from_display_character(static_cast<unsigned char>(byte))));
    }
    return game_text;
}

std::u32string decode_utf8(std::string_view text) {
    std::u32string points;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t index = 1; index < length && at + index < text.size(); ++index) {
            point = (point << 6) | (static_cast<unsigned char>(text[at + index]) & 0x3Fu);
        }
        points.push_back(point);
        at += length;
    }
    return points;
}

std::string file_name_to_game_text(std::string_view file_name) {
    std::string text;
    for (const char32_t point : decode_utf8(file_name)) text += static_cast<char>(game_character_of(point).value_or('?'));
    return text;
}
