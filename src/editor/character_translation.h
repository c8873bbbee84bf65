#pragma once

// Game text is stored in the Mac OS Roman character set; the editor's controls
// show Windows-1252 text. These map one to the other, byte by byte, and carry
// Windows-1252 bytes into and out of Qt's strings.

#include <QString>

#include <string>
#include <string_view>

// The Windows-1252 byte shown for a byte of game text ('?' where there is none).
unsigned char to_display_character(unsigned char game_character);

// The game text byte for a shown byte: the lowest one shown as it, else '?'.
unsigned char from_display_character(unsigned char display_character);

// Windows-1252 bytes (tag names, shown game text) as Qt text, and back; a
// character Windows-1252 cannot hold becomes '?'.
QString text_from_windows_1252(std::string_view bytes);
std::string text_to_windows_1252(const QString& text);
