#pragma once

// UTF-8 for JSON text, and the mapping between stored byte text and JSON
// strings: each byte stands for the code point of the same value (0 to 255), so
// every byte string, NUL bytes and the game's 8-bit characters included, goes
// through a JSON string and back unchanged.

#include "core/character_translation.h"

#include <optional>
#include <string>
#include <string_view>

namespace cli {

// Appends the UTF-8 form of a code point (at most 0x10FFFF, not a surrogate).
void append_utf8(std::string& out, char32_t point);


std::string bytes_to_text(std::string_view bytes);
// Nothing when a code point is above 255.
std::optional<std::string> text_to_bytes(std::string_view text);

// Equal when only the case of ASCII letters differs, as names are compared.
bool same_ignoring_case(std::string_view first, std::string_view second);

}  // namespace cli
