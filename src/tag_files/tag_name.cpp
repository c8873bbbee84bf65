#include "tag_files/tag_name.h"

#include <cstring>

namespace {

constexpr int name_limit = tag_name_maximum_length;  // positions beyond this are cut
constexpr const char* forbidden_characters = "\\/|\"<>*?:";

bool is_style_letter(char letter) {
    switch (letter) {
        case 'b': case 'c': case 'i': case 'l': case 'p': case 'r': case 's':
        case 'B': case 'C': case 'I': case 'L': case 'P': case 'R': case 'S':
            return true;
        default:
            return false;
    }
}

}  // namespace

int text_character_length(const char* text) {
    return (text[0] == '|' && is_style_letter(text[1])) ? 2 : 1;
}

bool sanitize_tag_name(char* name) {
    bool changed = false;
    int trail = -1;
    int position = 0;
    for (;;) {
        const char character = name[position];
        // The byte after a vertical bar is looked at only while it is inside the field.
        const int length = (character == '|' && position + 1 <= name_limit) ? text_character_length(name + position) : 1;
        const int next = position + length;

        // A character that will not fit is dropped before it can end the trailing
        // run of periods and spaces, so a cut name never ends in one.
        if (next > name_limit && character != '\0') {
            name[position] = '\0';
            changed = true;
            break;
        }
        if (character == '.' || character == ' ') {
            if (trail < 0) trail = position;
        } else if (character != '\0') {
            trail = -1;
        }
        if (length == 1 && character != '\0' && std::strchr(forbidden_characters, character)) {
            name[position] = '_';
            changed = true;
        }
        if (character == '\0') break;
        position = next;
    }
    if (trail >= 0) name[trail] = '\0';
    return changed;
}
