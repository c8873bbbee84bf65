#pragma once

// Game text (Mac OS Roman) and the Windows-1252 text of the controls: the byte
// mappings live in core, this carries Windows-1252 bytes into and out of Qt's
// strings.

#include <QString>

#include <optional>

#include <string>
#include <string_view>

#include "core/character_translation.h"

// Windows-1252 bytes (tag names, shown game text) as Qt text, and back; a
// character Windows-1252 cannot hold becomes '?'.
QString text_from_windows_1252(std::string_view bytes);
std::string text_to_windows_1252(const QString& text);

// What a text field can hold: game text (Mac OS Roman, through the shown
// Windows-1252 characters) or a tag name (Windows-1252).
enum class HeldText { game_text, tag_name };

// The first character of a typed text that its field cannot hold: where it is
// (index in the text; line and column from 1, in characters, lines broken at LF
// or at a document's paragraph and line separators)
// and what it is.
struct UnheldCharacter {
    qsizetype index;
    qsizetype line;
    qsizetype column;
    char32_t character;
};
std::optional<UnheldCharacter> first_unheld_character(const QString& text, HeldText kind);

// "the character U+20AC '€' has no equivalent in the game's character set", or
// for a tag name "... cannot be part of a tag name".
QString unheld_character_sentence(const UnheldCharacter& unheld, HeldText kind);
