#include "core/tag_code.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::string_view word_separators = " \t\n()[]{}?!:;-";

char lower(char character) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
}

// Later words overwrite the tail of the code: the first fills up to four bytes, the
// second up to two from byte 2, the third one byte at byte 3.
tag_code code_from_words(std::string_view text, std::size_t maximum_length, unsigned char fill,
                         bool& found_word) {
    std::array<unsigned char, 4> bytes;
    bytes.fill(fill);
    found_word = false;
    const std::string_view source = text.substr(0, maximum_length);
    std::size_t position = 0;
    std::size_t cursor = 0;
    while (position < 4) {
        const std::size_t start = source.find_first_not_of(word_separators, cursor);
        if (start == std::string_view::npos) break;
        std::size_t end = source.find_first_of(word_separators, start);
        if (end == std::string_view::npos) end = source.size();
        found_word = true;
        const std::size_t copied = std::min(end - start, 4 - position);
        for (std::size_t index = 0; index < copied; ++index) {
            bytes[position + index] = static_cast<unsigned char>(lower(source[start + index]));
        }
        position = std::max<std::size_t>(position + 1, 2);
        cursor = end;
    }
    return make_tag(static_cast<char>(bytes[0]), static_cast<char>(bytes[1]), static_cast<char>(bytes[2]),
                    static_cast<char>(bytes[3]));
}

std::array<std::array<char, 5>, 6> code_text_buffers{};
int code_text_position = 0;

}  // namespace

tag_code tag_code_from_text(std::string_view text) {
    bool found_word;
    const tag_code code = code_from_words(text, 32, 0xFF, found_word);
    return found_word ? code : static_cast<tag_code>(NONE);
}

tag_code subgroup_from_name(std::string_view name) {
    bool found_word;
    return code_from_words(name, 31, ' ', found_word);
}

const char* tag_code_to_text(tag_code code) {
    code_text_position = (code_text_position + 1) % static_cast<int>(code_text_buffers.size());
    char* buffer = code_text_buffers[static_cast<std::size_t>(code_text_position)].data();
    if (code == NONE) {
        buffer[0] = '\0';
        return buffer;
    }
    // Up to four characters, ending early at a zero byte, right-aligned in four.
    char characters[4];
    std::size_t length = 0;
    while (length < 4) {
        const auto character = static_cast<char>(code >> (24 - 8 * length));
        if (character == '\0') break;
        characters[length++] = character;
    }
    std::memset(buffer, ' ', 4 - length);
    std::memcpy(buffer + (4 - length), characters, length);
    buffer[4] = '\0';
    return buffer;
}

int compare_text_ignoring_case(std::string_view first, std::string_view second) {
    if (first == second) return 0;
    constexpr std::size_t compared_length = 63;
    first = first.substr(0, compared_length);
    second = second.substr(0, compared_length);
    for (std::size_t index = 0;; ++index) {
        // Past its end a text reads as NUL, so a prefix sorts first.
        const auto a = static_cast<unsigned char>(index < first.size() ? lower(first[index]) : '\0');
        const auto b = static_cast<unsigned char>(index < second.size() ? lower(second[index]) : '\0');
        if (a != b) return a < b ? -1 : 1;
        if (index >= first.size() && index >= second.size()) return 0;
    }
}

std::string printable_code_text(tag_code code) {
    const char characters[4] = {static_cast<char>(code >> 24), static_cast<char>(code >> 16),
                                static_cast<char>(code >> 8), static_cast<char>(code)};
    for (const char character : characters) {
        if (character < 0x20 || character > 0x7E) {
            char text[16];
            std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(code));
            return text;
        }
    }
    return std::string(characters, 4);
}
