#pragma once

// Game text is stored in the Mac OS Roman character set; the editor's controls
// and the font import work in Windows-1252. These map one to the other, byte by
// byte, and turn a text tag's bytes into the text shown for it and back.

#include <optional>
#include <string>
#include <string_view>

// The Windows-1252 byte shown for a byte of game text ('?' where there is none).
unsigned char to_display_character(unsigned char game_character);

// The game text byte for a shown byte: the lowest one shown as it, else '?'.
unsigned char from_display_character(unsigned char display_character);

// False for game bytes from 128 on that have no Windows-1252 character.
bool game_character_is_shown(unsigned char game_character);

// The game text byte a typed character stands for: nothing when the game's
// character set has no byte that shows as it. '?' stands for itself; line ends
// are the caller's.
std::optional<unsigned char> game_character_of(char32_t unicode);

// The code points of valid UTF-8 text.
std::u32string decode_utf8(std::string_view text);

// A file name (UTF-8, as the system gives it) as game text: each character the
// game's byte for it, '?' where the game has none, as for a typed name.
std::string file_name_to_game_text(std::string_view file_name);

// The Unicode character of a Windows-1252 byte; 0 for the five bytes without one.
char16_t windows_1252_unicode(unsigned char byte);

// The Windows-1252 byte of a Unicode character, or '?' when it has none.
unsigned char windows_1252_byte(char16_t unicode);

// The shown text of a text tag's data: every byte through to_display_character,
// every CR then followed by an LF so that the lines show as lines.
std::string game_text_to_display(std::string_view game_text);
// The data of a shown text: LF bytes dropped, every other byte through
// from_display_character.
std::string display_text_to_game(std::string_view display_text);
