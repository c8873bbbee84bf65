#pragma once

// Four-character tag codes, the NONE value and the name helpers shared by the
// tag file system and the editor.

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

// NONE stands for "no tag, no code, no index, no handle" in every integer width:
// it converts to all bits set in whatever integer it is assigned to, and compares
// equal to exactly that value. Being its own type keeps `code == NONE` free of
// signed/unsigned mismatches whether the code is a uint32_t or an int16_t.
struct none_value {
    template <std::integral Integer>
    constexpr operator Integer() const noexcept { return static_cast<Integer>(-1); }

    template <std::integral Integer>
    friend constexpr bool operator==(Integer value, none_value) noexcept {
        return value == static_cast<Integer>(-1);
    }
};
inline constexpr none_value NONE{};

// A group or subgroup code: four characters, the first in the most significant
// byte. Stored big-endian, so the characters read in order in a file.
using tag_code = uint32_t;

constexpr tag_code make_tag(char first, char second, char third, char fourth) noexcept {
    return (static_cast<tag_code>(static_cast<unsigned char>(first)) << 24) |
           (static_cast<tag_code>(static_cast<unsigned char>(second)) << 16) |
           (static_cast<tag_code>(static_cast<unsigned char>(third)) << 8) |
           static_cast<tag_code>(static_cast<unsigned char>(fourth));
}

// make_tag("mons"): for tables of group codes.
constexpr tag_code make_tag(const char (&text)[5]) noexcept {
    return make_tag(text[0], text[1], text[2], text[3]);
}

// The code named by the first words of a text (lower-cased; "Dwarf Lord" gives
// "dwlo"), or NONE when the text holds no word. At most 32 characters are read.
tag_code tag_code_from_text(std::string_view text);

// The code as text of at most four characters, right-aligned, in one of six
// buffers used in turn: the result stays valid for six further calls. NONE gives "".
const char* tag_code_to_text(tag_code code);

// The code's four characters when all are printable, else "0x" and eight hex
// digits, so that messages never carry control bytes.
std::string printable_code_text(tag_code code);

// The subgroup code made from a tag name: like tag_code_from_text over at most 31
// characters, with unfilled bytes spaces instead of 0xFF; never NONE.
tag_code subgroup_from_name(std::string_view name);

// Negative, 0 or positive; compares the first 63 characters without regard to case.
int compare_text_ignoring_case(std::string_view first, std::string_view second);
