#pragma once

// The game's bitmap fonts (`font` tags) as the engine reads them: the font
// record, then character records found by code through 256 pages indexed by
// the code's lead byte. Tag bytes are untrusted: every count, offset and size
// is checked against the data, and a violation fails the read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "definitions/font_definitions.h"
#include "tag_files/tag_directory.h"

inline constexpr tag_code font_group_tag = make_tag("font");

// What the engine adds for a font without a space: 4 pixels of advance.
inline constexpr std::int16_t built_in_space_advance = 4;

struct bitmap_font {
    definitions::font_definition definition;  // host order, margin derived
    std::vector<std::byte> characters;        // the records, headers in host order
    // Per lead byte, the position in `characters` of each code's record; -1 none.
    using page = std::array<std::int32_t, 256>;
    std::array<std::unique_ptr<page>, 256> pages;
    bool uses_built_in_space = false;
};

// The record of a code, the built-in space, or null when the font has none.
const definitions::font_character* bitmap_font_character(const bitmap_font& font, std::uint16_t code);

// The pixels behind a record found in the font (width x height bytes, or none).
std::span<const std::uint8_t> bitmap_font_pixels(const definitions::font_character& character);

// Reads a font from a tag's whole data (file order), reporting failures with
// handle_error under the font's name.
std::optional<bitmap_font> read_bitmap_font(std::span<const std::byte> data, const char* name);

// The same from a tag of the directory.
std::optional<bitmap_font> read_bitmap_font_tag(tag_handle handle);

// Whether the character block a font record (host order) names lies within data
// of `data_size` bytes, after the record itself.
bool font_character_block_fits(const definitions::font_definition& definition, std::int64_t data_size);

// The character block of a font record (host order) read from untrusted data:
// characters_size bytes from characters_offset, with each of character_count
// records inside it. Headers stay as stored. Null when the record does not fit.
std::optional<std::span<const std::byte>> font_character_block(const definitions::font_definition& definition,
                                                               std::span<const std::byte> data);

// Why the data of a font tag cannot be edited as it is (the form's reading
// rules), or nothing when it can.
std::optional<std::string> font_data_problem(std::span<const std::byte> data);

// Converts the headers of a character block between file and host order
// (to_host: headers are in file order now), marking them as the readers do
// (first reserved word -1) when converting to host order. False when a record
// runs past the block or the count does not fit it; the block is then partly
// converted.
bool byte_swap_font_characters(std::span<std::byte> block, std::int32_t count, bool to_host);

// For an editor of the block (host order, as byte_swap_font_characters left it):
// false when a record has a negative width or height. The game draws such a
// record as an empty bitmap, but its pixels are then read as the next header.
bool font_character_sizes_are_whole(std::span<const std::byte> block, std::int32_t count);
